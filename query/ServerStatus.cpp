#include "query/ServerStatus.h"

#include <algorithm>
#include <iterator>

void ServerStatus::insertPlayer(const Player& player)
{
    auto at = std::find_if(playerList.begin(), playerList.end(),
                           [&player](const Player& entry) { return !entry.ranksAbove(player); });
    playerList.insert(at, player);
}

namespace {

// std::string compares as unsigned bytes (char_traits<char>::compare is memcmp).
bool nameLess(const Rule& a, const Rule& b) { return a.getName() < b.getName(); }

} // namespace

void ServerStatus::insertRule(const Rule& rule)
{
    // The list is always ordered, so the first rule not less than the new one is its lower bound.
    rules.insert(std::lower_bound(rules.begin(), rules.end(), rule, nameLess), rule);
}

void ServerStatus::insertRules(std::vector<Rule> batch)
{
    // Inserting one by one puts a rule before every equal name already there, so among
    // equal names the last to arrive comes first, ahead of the older ones.
    std::reverse(batch.begin(), batch.end());
    std::stable_sort(batch.begin(), batch.end(), nameLess);
    std::vector<Rule> merged;
    merged.reserve(batch.size() + rules.size());
    std::merge(std::make_move_iterator(batch.begin()), std::make_move_iterator(batch.end()),
               std::make_move_iterator(rules.begin()), std::make_move_iterator(rules.end()),
               std::back_inserter(merged), nameLess);
    rules = std::move(merged);
}
