#include "settings/VisibilityPage.h"

#include "engine/gui/CheckBox.h"
#include "engine/gui/Label.h"
#include "settings/Settings.h"

// One check box of the tab, top to bottom: name, text, the flag it shows.
struct FlagRow {
    const char* name;
    const char* text;
    bool (Settings::*get)() const;
    void (Settings::*set)(bool);
};

namespace {

const FlagRow flagRows[] = {
    {"HeadCheck", "Head", &Settings::getHead, &Settings::setHead},
    {"JoinCheck", "Join", &Settings::getJoin, &Settings::setJoin},
    {"StatusCheck", "Status", &Settings::getStatus, &Settings::setStatus},
    {"PingCheck", "Ping", &Settings::getPing, &Settings::setPing},
    {"MapCheck", "Map", &Settings::getMap, &Settings::setMap},
    {"OverViewCheck", "OverView", &Settings::getOverView, &Settings::setOverView},
    {"PassCheck", "Password", &Settings::getPass, &Settings::setPass},
    {"VacCheck", "VAC", &Settings::getVac, &Settings::setVac},
    {"BotCheck", "Bots", &Settings::getBots, &Settings::setBots},
    {"PlayerCheck", "Players", &Settings::getPlayers, &Settings::setPlayers},
    {"PlayerListCheck", "PlayerList", &Settings::getPlayerList, &Settings::setPlayerList},
    {"TimeCheck", "Player Time", &Settings::getTime, &Settings::setTime},
    {"KillCheck", "Player Kills", &Settings::getKills, &Settings::setKills},
    {"HistoryCheck", "History", &Settings::getHistory, &Settings::setHistory},
};

// Member pointers are called from locals (see ColorsPage.cpp).
bool read(const FlagRow& row)
{
    const auto get = row.get;
    return (Settings::instance().*get)();
}

void write(const FlagRow& row, bool on)
{
    const auto set = row.set;
    (Settings::instance().*set)(on);
}

} // namespace

VisibilityPage::VisibilityPage(Engine::Gui::Frame* panel) : SettingsPage(panel, "VisibilityPage")
{
    heading = addLabel("DisplayLabel", tr("Display"), 0, 0);
    for (const FlagRow& row : flagRows)
        rows.push_back({&row, addCheckBox(row.name, tr(row.text), read(row), 0, 0)});
}

void VisibilityPage::layout(const Measures&)
{
    style(heading, "Display");
    heading->setX(5);
    heading->setY(25);
    Engine::Gui::Control* previous = heading;
    for (const Bound& bound : rows) {
        style(bound.box, bound.row->text);
        bound.box->setX(5);
        bound.box->setY(previous->getRelativeY() + previous->getHeight() + 7);
        previous = bound.box;
    }
}

void VisibilityPage::fill()
{
    for (const Bound& bound : rows)
        bound.box->setChecked(read(*bound.row));
}

void VisibilityPage::onEvent(Engine::Gui::Control* sender)
{
    for (const Bound& bound : rows)
        if (sender == bound.box) {
            write(*bound.row, bound.box->isChecked());
            changed();
            return;
        }
}
