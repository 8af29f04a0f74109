// The status panel: the last known state of the two game servers side by side under the
// title band, with the close and settings buttons in its top right corner. The picture is
// rebuilt only when something shown changed, and the window is drawn only in a frame that
// something asked for (input, a new picture, a widget's deadline).
#pragma once

#include "engine/EventHandler.h"
#include "engine/Surface.h"
#include "engine/gui/Box.h"
#include "engine/gui/Frame.h"
#include "panel/MapOverView.h"
#include "panel/Notifier.h"
#include "query/ServerStatus.h"
#include "settings/SettingsGui.h"

#include <climits>
#include <functional>
#include <string>

class HistoryRecorder;
namespace Engine {
class Window;
}
namespace Engine::Gui {
class ImageButton;
}

class MainGui : public Engine::Gui::Frame, public Engine::UserListner, public Engine::MouseListner {
public:
    MainGui();
    ~MainGui() override;

    void onEvent(Engine::Gui::Control* sender) override;
    void draw() override;
    bool onUserEvent(const SDL_Event& event, bool handled) override;
    bool onMouseMotion(const SDL_Event& event, bool handled) override;
    bool onMouseButton(const SDL_Event& event, bool handled) override;

    void rebuild();
    // The settings changed behind the panel's back: rebuild at the next frame.
    void invalidate() { dirty = true; }
    // The ranked player list, no taller than maxHeight: the rows that fit, then a line that
    // counts the rest.
    Engine::Surface renderPlayerList(const ServerStatus& status, int maxHeight = INT_MAX);
    // Called when the settings panel saved new server addresses into serverHosts(): the
    // pollers are to follow them.
    void setServersChangedHandler(std::function<void()> handler) { serversChanged = std::move(handler); }
    // The history that each column's records go to and whose last 24 hours its History row
    // shows; none: no History rows.
    void setHistory(HistoryRecorder* recorder) { history = recorder; }

    // For checks of what the panel shows.
    const Engine::Surface& getPanel() const { return panel; }
    const Engine::Box& getGoJoinBox() const { return goJoinBox; }
    const Engine::Box& getSourceJoinBox() const { return sourceJoinBox; }
    const ServerStatus& getGoStatus() const { return goStatus; }
    const ServerStatus& getSourceStatus() const { return sourceStatus; }
    bool isDirty() const { return dirty; }
    SettingsGui& getSettingsGui() { return settingsGui; }

private:
    struct Column;
    // Where a column stands: its centre and width in the panel, the header's height above it,
    // how far the screen reaches below the window's top, and the address it watches.
    struct ColumnPlace {
        int centre;
        int width;
        int headerHeight;
        int screenBottom;
        std::string address;
    };
    // How far below the window's top the screen it stands on ends.
    static int screenBottom();
    // The settings panel opens on the left when the window stands too near the right edge.
    static bool settingsOnTheLeft(const Engine::Window& window);
    // The one place that sizes the window: the picture, and the settings panel beside it
    // while that is open. True when the size changed.
    bool fitWindow();
    // The settings panel closed: the columns follow the addresses it saved.
    void takeSavedServers();
    int buildColumn(const ServerStatus& status, bool game, const ColumnPlace& place, Column& column);

    ServerStatus sourceStatus;
    ServerStatus goStatus;
    // What each column shows of its status, to tell a status that changes nothing.
    std::string sourceShown;
    std::string goShown;
    // Per column (ServerStatus::Column), the serial of its current poller or one before it.
    std::uint32_t firstSerial[2] = {0, 0};
    Engine::Surface panel;
    Engine::Surface headLeft;
    Engine::Surface headRight;
    bool dirty = true;
    int builtForBottom = 0; // screenBottom() at the last rebuild
    SettingsGui settingsGui;
    Engine::Box sourceJoinBox;
    Engine::Box goJoinBox;
    Engine::Gui::ImageButton* closeButton = nullptr;
    Engine::Gui::ImageButton* settingsButton = nullptr;
    MapOverView sourceOverView{false};
    MapOverView goOverView{true};
    Notifier notifier;
    std::function<void()> serversChanged;
    HistoryRecorder* history = nullptr;
};
