// The player list under a column: the ranked players with their kills and time, as many as
// fit, then "and N more"; or one wrapped line when the server hides its players' names.
#include "panel/MainGui.h"

#include "engine/TextSurface.h"
#include "panel/FittedText.h"
#include "panel/PlayerRules.h"
#include "settings/Settings.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <sstream>
#include <vector>

using Engine::Surface;
using Engine::TextSurface;

namespace {

// The words of a text in lines no wider than width (a single longer word gets a line of its own).
std::vector<std::string> wrapText(const std::string& text, int width, const std::string& font, int size)
{
    std::vector<std::string> lines;
    std::istringstream words(text);
    std::string word;
    while (words >> word) {
        if (!lines.empty() && TextSurface::textWidth(lines.back() + " " + word, font, size) <= width)
            lines.back() += " " + word;
        else
            lines.push_back(word);
    }
    return lines;
}

} // namespace

Surface MainGui::renderPlayerList(const ServerStatus& status, int maxHeight)
{
    Settings& s = Settings::instance();
    const int columnWidth = s.getCSGo() && s.getCSSource() ? s.getWidth() / 2 : s.getWidth();
    const int listWidth = columnWidth - 10;
    const std::string& font = s.getFont();
    const int size = s.getPlayerFontSize();
    if (const int hidden = PlayerRules::hiddenPlayers(status)) {
        if (listWidth <= 0)
            return Surface();
        const std::string text = std::to_string(hidden) + " " + s.translate("players (names hidden by the server)");
        const std::vector<std::string> lines = wrapText(text, listWidth - 4, font, size);
        std::vector<Surface> rows;
        int height = 0;
        for (const std::string& line : lines) {
            const std::string shown = FittedText::cut(line, listWidth - 4, font, size);
            if (shown.empty())
                continue;
            rows.push_back(TextSurface(shown, font, size, s.getTextColor()));
            height += rows.back().getHeight() + 2;
        }
        if (height <= 0)
            return Surface();
        Surface list(listWidth, height);
        list.fill(s.getPlayerBackgroundColor());
        int y = 0;
        for (const Surface& row : rows) {
            list.blit(2, y, row);
            y += row.getHeight() + 2;
        }
        return list;
    }
    if (status.getPlayerList().empty() || listWidth <= 0)
        return Surface();

    const std::vector<Player> players = PlayerRules::rankedPlayers(status);
    const float botTime = PlayerRules::botTime(status);

    // As many rows as fit, then one line that counts the rest.
    const int rowHeight = TextSurface(" ", font, size, s.getTextColor()).getHeight() + 2;
    std::size_t shownCount = players.size();
    if (static_cast<long long>(rowHeight) * static_cast<long long>(players.size()) > maxHeight)
        shownCount = static_cast<std::size_t>(std::max(0, maxHeight / rowHeight - 1));
    const std::size_t more = players.size() - shownCount;

    struct Line {
        std::string name;
        Color colour;
        std::unique_ptr<TextSurface> kills, time;
    };
    std::vector<Line> lines;
    int killsWidth = 0, timeWidth = 0, longestName = 0;
    for (std::size_t i = 0; i < shownCount; ++i) {
        const Player& p = players[i];
        Color colour = s.getTextColor();
        switch (PlayerRules::classifyName(p.getName(), p.getDuration(), botTime, s.getCustomName())) {
        case PlayerRules::NameClass::Admin: colour = s.getAdminColor(); break;
        case PlayerRules::NameClass::Custom: colour = s.getCustomColor(); break;
        case PlayerRules::NameClass::Bot: colour = s.getBotColor(); break;
        case PlayerRules::NameClass::Plain: break;
        }
        Line line{p.getName(), colour, nullptr, nullptr};
        if (s.getKills()) {
            line.kills = std::make_unique<TextSurface>(std::to_string(p.getScore()), font, size, s.getTextColor());
            killsWidth = std::max(killsWidth, line.kills->getWidth());
        }
        if (s.getTime()) {
            line.time = std::make_unique<TextSurface>(PlayerRules::formatDuration(p.getDuration()), font, size,
                                                      s.getTextColor());
            timeWidth = std::max(timeWidth, line.time->getWidth());
        }
        longestName = std::max(longestName, TextSurface::utf8Width(line.name, font, size));
        lines.push_back(std::move(line));
    }
    // Names give way to the kills and time columns: they are cut first.
    const int nameRoom = listWidth - 4 - (s.getKills() ? killsWidth + 8 : 0) - (s.getTime() ? timeWidth + 8 : 0);
    const int nameWidth = std::max(0, std::min(longestName, nameRoom));

    std::string moreLine;
    if (more > 0) {
        moreLine = s.translate("and <count> more");
        const std::size_t at = moreLine.find("<count>");
        if (at != std::string::npos)
            moreLine.replace(at, 7, std::to_string(more));
        moreLine = FittedText::cut(moreLine, listWidth - 4, font, size);
    }
    const int height = rowHeight * static_cast<int>(lines.size() + (more > 0 ? 1 : 0));
    if (height <= 0)
        return Surface();
    Surface list(listWidth, height);
    list.fill(s.getPlayerBackgroundColor());
    int y = 0;
    for (const Line& line : lines) {
        const std::string name = FittedText::cut(line.name, nameWidth, font, size);
        if (!name.empty())
            list.blit(2, y, TextSurface(name, font, size, line.colour));
        if (line.kills && line.time) {
            list.blit(nameWidth + 10, y, *line.kills);
            list.blit(listWidth - line.time->getWidth() - 2, y, *line.time);
        } else if (line.kills) {
            list.blit(listWidth - line.kills->getWidth() - 2, y, *line.kills);
        } else if (line.time) {
            list.blit(listWidth - line.time->getWidth() - 2, y, *line.time);
        }
        y += rowHeight;
    }
    if (!moreLine.empty())
        list.blit(2, y, TextSurface(moreLine, font, size, s.getTextColor()));
    return list;
}
