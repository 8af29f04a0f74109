#include "panel/MainGui.h"

#include "engine/TextSurface.h"
#include "engine/Window.h"
#include "engine/gui/ImageButton.h"
#include "history/HistoryRecorder.h"
#include "panel/FittedText.h"
#include "panel/HistoryBars.h"
#include "panel/JoinGame.h"
#include "panel/ServerHosts.h"
#include "panel/ShownStatus.h"
#include "query/ServerPoller.h"
#include "engine/UserEvent.h"
#include "settings/ServerAddress.h"
#include "settings/Settings.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <sstream>
#include <vector>

namespace {

using Engine::Surface;
using Engine::TextSurface;

} // namespace

struct MainGui::Column {
    std::vector<Surface> rows;
    int height = 10;
};

MainGui::MainGui() : Frame("MainGui", Settings::instance().getFont())
{
    closeButton = addImageButton("CloseButton", Surface::load("CloseUp.gif", false),
                                 Surface::load("CloseDown.gif", false), 0, 0);
    settingsButton = addImageButton("SettingsButton", Surface::load("SettingsUp.gif", false),
                                    Surface::load("SettingsDown.gif", false), 0, 0);
    headLeft = Surface::load("head.gif", false);
    headRight = Surface::load("head2.gif", false);
    sourceOverView.setGame(false);
    goOverView.setGame(true);
    dirty = true;
    settingsGui.setVisible(false);
    notifier.setOptions(Notifier::optionsFromSettings());
}

MainGui::~MainGui() = default;

int MainGui::buildColumn(const ServerStatus& status, bool game, const ColumnPlace& place, Column& column)
{
    Settings& s = Settings::instance();
    const int width = place.width;
    auto add = [&](Surface row) {
        if (row.isEmpty())
            return;
        column.height += row.getHeight() + 2;
        column.rows.push_back(std::move(row));
    };
    // Every text row is drawn no wider than its column: smaller down to the player font size,
    // then cut.
    auto text = [&](const std::string& text, const Color& colour) {
        return FittedText::row(text, width, s.getFont(), s.getFontSize(), s.getPlayerFontSize(), colour);
    };
    add(text(game ? "CS:Go" : "CS:Source", s.getTextColor()));
    if (s.getJoin()) {
        Surface link = text(s.translate("Join Game"), s.getLinkColor());
        const int w = link.getWidth(), h = link.getHeight();
        link.drawLine(0, h - 2, w - 1, h - 2, s.getLinkColor());
        Engine::Box& box = game ? goJoinBox : sourceJoinBox;
        box.setX(place.centre - w / 2);
        box.setY(place.headerHeight + column.rows.front().getHeight() + 7);
        box.setWidth(w);
        box.setHeight(h);
        if (s.getSettingsOnTheLeft() && settingsGui.isVisible())
            box.setX(box.getX() + settingsGui.getWidth());
        add(link);
    }
    // The last day's players: known also of a server that does not answer now.
    auto addHistory = [&] {
        if (!s.getHistory() || !history)
            return;
        const ServerHosts& hosts = serverHosts();
        const DayBars day = history->bars(game ? HistoryRecorder::serverKey(hosts.csgoHost, hosts.csgoPort)
                                               : HistoryRecorder::serverKey(hosts.cssHost, hosts.cssPort));
        const HistoryBars::Style style{s.getPlayerBackgroundColor(), s.getMapColor(), s.getTextColor(), s.getFont(),
                                       s.getPlayerFontSize()};
        add(HistoryBars::draw(day, width - 6, style));
    };
    // A server that never answered, or whose outage is no longer smoothed: nothing of it is
    // known but where it is.
    if (!status.isAnswered() && status.getMap().empty()) {
        add(text(s.translate("Status: offline"), s.getBadColor()));
        std::string line = s.translate("No answer from <address>");
        const std::size_t at = line.find("<address>");
        if (at != std::string::npos)
            line.replace(at, 9, place.address);
        add(text(line, s.getTextColor()));
        addHistory();
        return column.height;
    }
    const int ping = status.getPing();
    if (s.getStatus())
        add(status.isAnswered() ? text(s.translate("Status: online"), s.getGoodColor())
                                : text(s.translate("Status: offline"), s.getBadColor()));
    if (s.getPing()) {
        std::ostringstream row;
        row << s.translate("Ping: ") << ping;
        add(text(row.str(), ping < 80 ? s.getGoodColor() : s.getBadColor()));
    }
    if (s.getMap())
        add(text(s.translate("Map: ") + status.getMap(), s.getMapColor()));
    if (s.getOverView()) {
        MapOverView& overview = game ? goOverView : sourceOverView;
        overview.setMap(status.getMap());
        const Surface& picture = overview.getSurface();
        // A picture wider than its column is scaled down to it, keeping its shape.
        if (picture.getWidth() > width && width > 0)
            add(picture.scaled(width, std::max(1, picture.getHeight() * width / picture.getWidth())));
        else
            add(picture);
    }
    if (s.getPass())
        add(status.getVisibility() == 0 ? text(s.translate("PasswordProtected: No"), s.getGoodColor())
                                        : text(s.translate("PasswordProtected: Yes"), s.getBadColor()));
    if (s.getVac())
        add(status.getVac() != 0 ? text(s.translate("VAC Secure: Yes"), s.getGoodColor())
                                 : text(s.translate("VAC Secure: No"), s.getBadColor()));
    if (s.getBots())
        add(text(s.translate("Bots: ") + std::to_string(status.getBots()), s.getTextColor()));
    if (s.getPlayers()) {
        std::ostringstream row;
        row << s.translate("Players: ") << static_cast<int>(status.getPlayers()) << " / "
            << static_cast<int>(status.getMaxPlayers());
        add(text(row.str(), s.getTextColor()));
    }
    addHistory();
    if (s.getPlayerList()) {
        // The list ends where the window would leave the screen it stands on.
        add(renderPlayerList(status, place.screenBottom - (place.headerHeight + column.height) - 2));
    }
    return column.height;
}

int MainGui::screenBottom()
{
    const Engine::Window& window = Engine::Window::instance();
    return window.getScreenHeight() - window.getY();
}

void MainGui::rebuild()
{
    Settings& s = Settings::instance();
    const int W = s.getWidth();
    const int W2 = W / 2;
    Surface title;
    if (s.getHead())
        title = FittedText::row("Holmik", std::max(1, W - 2 * headLeft.getWidth() - 4), s.getFont(),
                                2 * s.getFontSize(), s.getFontSize(), s.getTextColor());
    const int headerHeight = std::max(title.getHeight(), headLeft.getHeight());
    const bool both = s.getCSGo() && s.getCSSource();
    const int sourceCentre = s.getCSGo() ? W2 / 2 : W2;
    const int goCentre = s.getCSSource() ? (W2 / 2) * 3 : W2;
    // Each column keeps 2 pixels to either side, so the columns never touch.
    const int columnWidth = std::max(0, ((both ? W2 : W) - 4) / 2 * 2);
    const int bottom = screenBottom();
    builtForBottom = bottom;
    const ServerHosts& hosts = serverHosts();

    Column source, go;
    if (s.getCSSource())
        buildColumn(sourceStatus, false,
                    {sourceCentre, columnWidth, headerHeight, bottom, ServerAddress::text(hosts.cssHost, hosts.cssPort)},
                    source);
    if (s.getCSGo())
        buildColumn(goStatus, true,
                    {goCentre, columnWidth, headerHeight, bottom, ServerAddress::text(hosts.csgoHost, hosts.csgoPort)},
                    go);
    int H = std::max(source.height, go.height);
    if (H < 20)
        H = 20;
    H += headerHeight;

    panel = Surface(W, H);
    panel.fill(s.getBackgroundColor());
    if (s.getHead()) {
        const int titleWidth = title.getWidth();
        panel.blit(W2 - (titleWidth / 2 + headLeft.getWidth()), 5, headLeft);
        panel.blit(W2 - titleWidth / 2, 5, title);
        panel.blit(W2 + titleWidth / 2, 5, headRight);
    }
    const std::pair<Column*, int> columns[] = {{&source, sourceCentre}, {&go, goCentre}};
    for (const auto& [column, centre] : columns) {
        int y = headerHeight + 10;
        panel.setClipRect(centre - columnWidth / 2, 0, columnWidth, H);
        for (const Surface& row : column->rows) {
            panel.blit(centre - row.getWidth() / 2, y, row);
            y += row.getHeight() + 2;
        }
    }
    panel.resetClipRect();
    const int w = panel.getWidth(), h = panel.getHeight();
    const Color& border = s.getTextColor();
    panel.drawLine(0, 0, w - 1, 0, border);
    panel.drawLine(w - 1, 0, w - 1, h - 1, border);
    panel.drawLine(w - 1, h - 1, 0, h - 1, border);
    panel.drawLine(0, h - 1, 0, 0, border);
}

void MainGui::draw()
{
    Settings& s = Settings::instance();
    Engine::Window& window = Engine::Window::instance();
    const bool asked = Engine::EventHandler::instance().takeRedrawRequest();

    if (settingsGui.takeChanged())
        dirty = true; // what the settings panel changes shows beside it at once
    if (!window.isDragging() && screenBottom() != builtForBottom)
        dirty = true; // moved up or down: the player list has another room
    if (isVisible()) {
        if (fitWindow())
            dirty = true;
    } else if (settingsGui.isCloseRequested()) {
        settingsGui.setVisible(false);
        setVisible(true);
        takeSavedServers();
        notifier.setOptions(Notifier::optionsFromSettings()); // settings change only in the panel
        dirty = true;
    }
    // A frame that nobody asked for and in which nothing changed draws nothing.
    if (!dirty && !asked)
        return;

    const bool settingsOpen = settingsGui.isVisible();
    if (!settingsOpen) // while the settings are open they keep the side they opened on
        s.setSettingsOnTheLeft(settingsOnTheLeft(window));
    if (dirty) {
        rebuild();
        dirty = false;
    }
    fitWindow(); // a new picture of another size: the window follows before it is drawn on
    window.fill(s.getBackgroundColor());
    window.blit(settingsOpen && s.getSettingsOnTheLeft() ? settingsGui.getWidth() : 0, 0, panel);
    if (isVisible()) {
        closeButton->setX(window.getWidth() - closeButton->getWidth() - 2);
        closeButton->setY(2);
        settingsButton->setX(closeButton->getX() - (closeButton->getWidth() + 2));
        settingsButton->setY(2);
        Frame::draw();
    }
    settingsGui.draw();
    window.markDrawn();
}

bool MainGui::fitWindow()
{
    Engine::Window& window = Engine::Window::instance();
    const bool settingsOpen = settingsGui.isVisible();
    if (panel.isEmpty() && !settingsOpen)
        return false;
    const int width = settingsOpen ? Settings::instance().getWidth() + settingsGui.getWidth() : panel.getWidth();
    const int height = settingsOpen ? settingsGui.getHeight() : panel.getHeight();
    if (width == window.getWidth() && height == window.getHeight())
        return false;
    window.setSize(width, height);
    // Grown past the primary screen's right edge, the window moves left to stay on it.
    const int screenWidth = window.getPrimaryScreenWidth();
    if (window.getX() > 0 && window.getX() < screenWidth && window.getX() + width > screenWidth)
        window.setPosition(std::max(0, screenWidth - width), window.getY());
    return true;
}

bool MainGui::settingsOnTheLeft(const Engine::Window& window)
{
    return window.getX() + 100 > window.getScreenWidth() - window.getWidth();
}

void MainGui::onEvent(Engine::Gui::Control* sender)
{
    if (!sender || sender->getKind() != Engine::Gui::ImageButton::Kind)
        return;
    auto* button = dynamic_cast<Engine::Gui::ImageButton*>(sender);
    if (!button || button->isPressed())
        return;
    if (button->getName() == "CloseButton") {
        Engine::EventHandler::instance().setQuit(true);
    } else if (button->getName() == "SettingsButton") {
        // The side is decided here and kept until the panel closes, so that opening and
        // saving leaves the main panel where it stood.
        Engine::Window& window = Engine::Window::instance();
        Settings::instance().setSettingsOnTheLeft(settingsOnTheLeft(window));
        const ServerHosts& hosts = serverHosts();
        settingsGui.setServerTexts(ServerAddress::text(hosts.csgoHost, hosts.csgoPort),
                                   ServerAddress::text(hosts.cssHost, hosts.cssPort));
        setVisible(false);
        settingsGui.setVisible(true);
        settingsGui.setCloseRequested(false);
        if (Settings::instance().getSettingsOnTheLeft())
            window.setPosition(window.getX() - settingsGui.getWidth(), window.getY());
        Engine::EventHandler::instance().requestRedraw();
    }
}

bool MainGui::onUserEvent(const SDL_Event& event, bool handled)
{
    if (handled)
        return false;
    if (event.user.code == MapOverView::pictureEventCode || event.user.code == HistoryRecorder::eventCode) {
        dirty = true; // a map picture or new bars have arrived: the next rebuild takes them
        return true;
    }
    if (event.user.code != Engine::serverStatusEventCode || !event.user.data1) {
        dirty = true;
        return true;
    }
    const ServerStatus& status = *static_cast<const ServerStatus*>(event.user.data1);
    // A status says which column's poller made it; one of a poller the column has since
    // replaced, or one without a host (no good answer yet), goes to none.
    const int column = status.getColumn();
    const bool source = column == ServerStatus::SourceColumn && !serverHosts().cssHost.empty();
    const bool go = column == ServerStatus::GoColumn;
    const bool current = (go || source) && status.getPollerSerial() >= firstSerial[column];
    if (current && !status.getHost().empty()) {
        // Most seconds a status changes nothing shown: the picture then stays as it is.
        const std::string shown = ShownStatus::of(status);
        auto take = [&](ServerStatus& column, std::string& columnShown) {
            if (columnShown != shown)
                dirty = true;
            column = status;
            columnShown = shown;
        };
        if (source)
            take(sourceStatus, sourceShown);
        if (go)
            take(goStatus, goShown);
        if (history)
            history->see(status);
        // News for the user who isn't looking, once for a server both columns watch.
        notifier.see(go ? Notifier::Go : Notifier::Source, status);
    }
    return true;
}

void MainGui::takeSavedServers()
{
    bool goChanged = false, sourceChanged = false;
    settingsGui.takeChangedServers(goChanged, sourceChanged);
    ServerHosts& hosts = serverHosts();
    // An address typed into the panel replaces the command line's for the rest of the run.
    if (goChanged)
        hosts.csgoGiven = false;
    if (sourceChanged)
        hosts.cssGiven = false;
    const ServerHosts before = hosts;
    Settings& s = Settings::instance();
    const bool sourceColumnWasOn = s.getCSSource();
    takeServersFromSettings(hosts, s);
    if (s.getCSSource() != sourceColumnWasOn)
        s.save(); // the file tells which columns are shown
    const bool goMoved = hosts.csgoHost != before.csgoHost || hosts.csgoPort != before.csgoPort;
    const bool sourceMoved = hosts.cssHost != before.cssHost || hosts.cssPort != before.cssPort;
    // A column that watches another server starts over: nothing is known of the new one yet.
    // What the replaced pollers still send is dropped: the new ones have larger serials.
    if (goMoved)
        firstSerial[ServerStatus::GoColumn] = ServerPoller::nextSerial();
    if (sourceMoved)
        firstSerial[ServerStatus::SourceColumn] = ServerPoller::nextSerial();
    if (goMoved) {
        goStatus = ServerStatus();
        goShown.clear();
        notifier.forget(Notifier::Go);
    }
    if (sourceMoved) {
        sourceStatus = ServerStatus();
        sourceShown.clear();
        notifier.forget(Notifier::Source);
    }
    if ((goMoved || sourceMoved) && serversChanged)
        serversChanged();
}

bool MainGui::onMouseMotion(const SDL_Event& event, bool handled)
{
    if (handled)
        return false;
    Settings& s = Settings::instance();
    const int x = event.motion.x, y = event.motion.y;
    if (s.getJoin() && ((s.getCSSource() && sourceJoinBox.contains(x, y)) || (s.getCSGo() && goJoinBox.contains(x, y)))) {
        Engine::Window::instance().setCursor(Engine::Window::Hand);
        return true;
    }
    return false;
}

bool MainGui::onMouseButton(const SDL_Event& event, bool handled)
{
    if (!isVisible() || handled)
        return false;
    const int x = event.button.x, y = event.button.y;
    if (closeButton->contains(x, y) || settingsButton->contains(x, y))
        return false;
    if (event.button.button != SDL_BUTTON_LEFT)
        return false;
    Settings& s = Settings::instance();
    if (event.type == SDL_MOUSEBUTTONDOWN) {
        if (s.getJoin() && ((s.getCSSource() && sourceJoinBox.contains(x, y)) || (s.getCSGo() && goJoinBox.contains(x, y))))
            return true;
        return false;
    }
    if (event.type == SDL_MOUSEBUTTONUP && s.getJoin()) {
        const ServerHosts& hosts = serverHosts();
        if (s.getCSSource()) {
            if (sourceJoinBox.contains(x, y)) {
                joinGame(240, "+connect " + hosts.cssHost + ":" + std::to_string(hosts.cssPort));
                return true;
            }
            s.save();
        }
        if (s.getCSGo()) {
            if (goJoinBox.contains(x, y)) {
                joinGame(730, "+connect " + hosts.csgoHost + ":" + std::to_string(hosts.csgoPort));
                return true;
            }
            s.save();
        }
    }
    return false;
}
