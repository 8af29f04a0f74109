// The event handler hands each event to the listeners of its kind in registration order,
// each told whether an earlier one took it, the window's listener last; records from other
// threads live until every listener has seen them; the frame loop's wait wakes for them.
#include "engine/EventHandler.h"
#include "engine/UserEvent.h"
#include "engine/Window.h"
#include "tests/engine/gui/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace gui_test;
using Journal = std::vector<std::string>;

// A record that counts its own destruction, as the poller's status would own strings.
struct Record {
    explicit Record(int& released) : released(released) {}
    ~Record() { ++released; }
    int& released;
};

// Listens to everything and notes "name:what" with + when an earlier listener took it.
struct Spy : Engine::MouseListner, Engine::KeyboardListner, Engine::UserListner {
    Spy(Journal& journal, std::string name, bool takes = false) : journal(journal), name(std::move(name)), takes(takes) {}
    bool onMouseMotion(const SDL_Event&, bool handled) override { return note("motion", handled); }
    bool onMouseButton(const SDL_Event& e, bool h) override { return note(e.type == SDL_MOUSEBUTTONDOWN ? "down" : "up", h); }
    bool onKeyboard(const SDL_Event& e, bool handled) override { return note(std::to_string(e.key.keysym.sym), handled); }
    // The record is still alive while any listener looks at it.
    bool onUserEvent(const SDL_Event& e, bool h) override
    {
        return note(std::to_string(e.user.code) + "/" + std::to_string(static_cast<Record*>(e.user.data1)->released), h);
    }
    bool note(const std::string& what, bool handled)
    {
        journal.push_back(name + ":" + what + (handled ? "+" : "-"));
        const bool result = takes;
        if (auto run = hook) // the hook may destroy this listener: touch nothing after it
            run();
        return result;
    }
    Journal& journal;
    std::string name;
    bool takes;
    std::function<void()> hook;
};

class EventDispatchTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        events.removeMouseListener(&window); // the window listens to the mouse only, after all others
        events.removeKeyboardListener(&window);
        events.removeUserListener(&window);
        events.setWindowMouseListener(&window);
    }
    void TearDown() override { events.setWindowMouseListener(&Engine::Window::instance()); }
    void dispatch(const Journal& expected)
    {
        events.poll();
        EXPECT_EQ(journal, expected);
        journal.clear();
    }

    Engine::EventHandler& events = Engine::EventHandler::instance();
    Journal journal;
    Spy window{journal, "window"};
    int released = 0;
};

TEST_F(EventDispatchTest, EachKindGoesToItsListenersInOrderAndTheWindowLast)
{
    Spy first(journal, "first", true); // the top button takes the click
    Spy second(journal, "second");
    pushButton(true, 5, 5);
    pushMotion(0, 0);
    pushKey(true, SDLK_x);
    dispatch({"first:down-", "second:down+", "window:down+", "first:motion-", "second:motion+", "window:motion+",
              "first:120-", "second:120+"});
    // Records of any code reach every user listener and are released once, after the last.
    Engine::pushUserRecord(Engine::serverStatusEventCode, new Record(released));
    Engine::pushUserRecord(7, new Record(released));
    dispatch({"first:256/0-", "second:256/0+", "first:7/1-", "second:7/1+"});
    EXPECT_EQ(released, 2);

    // Other events reach nobody and keep their records; a full queue refuses a record and
    // releases it; quitting sets the flag.
    SDL_Event other{};
    other.type = other.user.type = SDL_USEREVENT + 1;
    other.user.data1 = &other;
    other.user.data2 = reinterpret_cast<void*>(&Engine::releaseUserRecord<Record>);
    SDL_PushEvent(&other);
    other.type = SDL_ACTIVEEVENT;
    SDL_PushEvent(&other);
    other.type = SDL_QUIT;
    SDL_PushEvent(&other);
    dispatch({});
    EXPECT_TRUE(events.isQuit());
    events.setQuit(false);
    int refused = 0;
    for (int i = 0; i < 300; ++i)
        refused += !Engine::pushUserRecord(Engine::serverStatusEventCode, new Record(released));
    EXPECT_GT(refused, 0);
    EXPECT_EQ(released, 2 + refused);
    events.poll();
    EXPECT_EQ(released, 302);
}

TEST_F(EventDispatchTest, ListenersAddedOrRemovedInsideACallbackDoNotDisturbTheDispatch)
{
    Spy first(journal, "first");
    auto doomed = std::make_unique<Spy>(journal, "doomed");
    Spy last(journal, "last", true);
    std::unique_ptr<Spy> late;
    // The first listener destroys a later one and builds a new one, as a panel that
    // rebuilds its buttons on a click does.
    first.hook = [&] {
        if (doomed) {
            doomed.reset();
            late = std::make_unique<Spy>(journal, "late");
        }
    };
    pushKey(true, SDLK_a);
    pushKey(false, SDLK_a);
    dispatch({"first:97-", "last:97-", "first:97-", "last:97-", "late:97+"});
    // A listener that destroys itself in its callback (a "Close" button ending its panel).
    first.hook = nullptr;
    late->hook = [&] { late.reset(); };
    pushButton(true, 1, 1);
    pushButton(false, 1, 1);
    dispatch({"first:down-", "last:down-", "late:down+", "window:down+", "first:up-", "last:up-", "window:up+"});
}

// The frame loop's wait: it sleeps until a record arrives or a deadline passes. A wait that
// did not wake would hang here until the test's time-out.
TEST_F(EventDispatchTest, TheLoopsWaitEndsForARecordFromAnotherThreadAndForADeadline)
{
    Spy user(journal, "user");
    events.poll();
    events.takeRedrawRequest();
    std::thread worker([this] {
        SDL_Delay(50);
        Engine::pushUserRecord(Engine::serverStatusEventCode, new Record(released));
    });
    events.waitForEvents();
    worker.join();
    dispatch({"user:256/0-"});
    EXPECT_FALSE(events.takeRedrawRequest()) << "a record alone asks for no drawing";

    // A held key keeps the loop waking for its repeats, and the deadline still comes.
    pushKey(true, SDLK_a);
    events.poll();
    events.takeRedrawRequest();
    events.requestFrameAt(SDL_GetTicks() + 60); // a caret's next blink
    bool drawn = false;
    for (int i = 0; i < 1000 && !drawn; ++i) {
        events.waitForEvents();
        drawn = events.takeRedrawRequest();
    }
    EXPECT_TRUE(drawn) << "a reached deadline asks for a frame";
    pushKey(false, SDLK_a);
    events.setQuit(true); // from anywhere: the wait returns at once
    events.waitForEvents();
    events.setQuit(false);
    events.poll();
    journal.clear();
}

} // namespace
