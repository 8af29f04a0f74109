#include "engine/EventHandler.h"
#include "engine/UserEvent.h"
#include "tests/engine/SdlTestVideo.h"
#include "tests/support/SdlInput.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Engine::EventHandler;

struct Journal {
    std::vector<std::string> calls;
    void note(const std::string& who, bool handled) { calls.push_back(who + (handled ? "+" : "-")); }
};

struct Mouse : Engine::MouseListner {
    Mouse(Journal& journal, std::string name, bool takes = false) : journal(journal), name(std::move(name)), takes(takes) {}
    bool onMouseMotion(const SDL_Event&, bool handled) override { return call("motion", handled); }
    bool onMouseButton(const SDL_Event& e, bool handled) override { return call(e.type == SDL_MOUSEBUTTONDOWN ? "down" : "up", handled); }
    bool call(const std::string& what, bool handled)
    {
        journal.note(name + ":" + what, handled);
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

struct Keys : Engine::KeyboardListner {
    Keys(Journal& journal, std::string name, bool takes) : journal(journal), name(std::move(name)), takes(takes) {}
    bool onKeyboard(const SDL_Event& e, bool handled) override
    {
        journal.note(name + ":" + std::to_string(e.key.keysym.sym), handled);
        return takes;
    }
    Journal& journal;
    std::string name;
    bool takes;
};

// A record that counts its own destruction, as the poller's status would own strings.
struct Record {
    explicit Record(int* released) : released(released) {}
    ~Record() { ++*released; }
    int* released;
    std::string payload = std::string(100, 'x');
};

struct User : Engine::UserListner {
    User(Journal& journal, std::string name, bool takes) : journal(journal), name(std::move(name)), takes(takes) {}
    bool onUserEvent(const SDL_Event& e, bool handled) override
    {
        // The record is still alive while any listener looks at it.
        auto* record = static_cast<Record*>(e.user.data1);
        journal.note(name + ":" + std::to_string(e.user.code) + ":" + std::to_string(*record->released), handled);
        return takes;
    }
    Journal& journal;
    std::string name;
    bool takes;
};

class EventDispatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        engine_tests::startDummyVideo();
        testing_support::dropQueuedEvents();
        EventHandler::instance().setQuit(false);
    }
    void TearDown() override { EventHandler::instance().setWindowMouseListener(nullptr); }

    static void push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 0); }
    static void pushUser(Uint8 type, int code, Record* record)
    {
        SDL_Event e{};
        e.type = type;
        e.user.type = type;
        e.user.code = code;
        e.user.data1 = record;
        e.user.data2 = reinterpret_cast<void*>(&Engine::releaseUserRecord<Record>);
        push(e);
    }
};

TEST_F(EventDispatchTest, MouseEventsGoToEveryListenerInOrderAndTheWindowLast)
{
    Journal journal;
    Mouse window(journal, "window");
    EventHandler::instance().removeMouseListener(&window);
    EventHandler::instance().setWindowMouseListener(&window);
    Mouse first(journal, "first", true); // the top button takes the click
    Mouse second(journal, "second");

    testing_support::pushButton(true, 5, 5);
    testing_support::pushMotion(0, 0);
    EventHandler::instance().poll();

    EXPECT_EQ(journal.calls, (std::vector<std::string>{"first:down-", "second:down+", "window:down+",
                                                         "first:motion-", "second:motion+", "window:motion+"}));

    journal.calls.clear();
    first.takes = false;
    testing_support::pushButton(false, 5, 5);
    EventHandler::instance().poll();
    EXPECT_EQ(journal.calls, (std::vector<std::string>{"first:up-", "second:up-", "window:up-"}));
}

TEST_F(EventDispatchTest, KeysReachKeyboardListenersOnlyAndRegistrationFollowsLifetime)
{
    Journal journal;
    Mouse mouse(journal, "mouse");
    Keys a(journal, "a", true);
    {
        Keys b(journal, "b", false);
        testing_support::pushKey(true, SDLK_x);
        testing_support::pushKey(false, SDLK_x);
        EventHandler::instance().poll();
    }
    EXPECT_EQ(journal.calls, (std::vector<std::string>{"a:120-", "b:120+", "a:120-", "b:120+"}));

    // A copy is a listener of its own, registered when it is made, gone when it goes.
    journal.calls.clear();
    {
        Keys copy(a);
        copy.name = "copy";
        testing_support::pushKey(true, SDLK_y);
        EventHandler::instance().poll();
    }
    EXPECT_EQ(journal.calls, (std::vector<std::string>{"a:121-", "copy:121+"}));

    const std::size_t before = EventHandler::instance().keyboardListenerCount();
    Keys stranger(journal, "stranger", false);
    EventHandler::instance().removeKeyboardListener(&stranger);
    EventHandler::instance().removeKeyboardListener(&stranger); // never added any more: nothing changes
    EXPECT_EQ(EventHandler::instance().keyboardListenerCount(), before);
    EventHandler::instance().addKeyboardListener(&stranger); // its destructor removes it again
}

TEST_F(EventDispatchTest, UserRecordsLiveUntilEveryListenerHasSeenThemThenAreReleasedOnce)
{
    Journal journal;
    User first(journal, "first", true);
    User second(journal, "second", false);
    int released = 0;
    pushUser(SDL_USEREVENT, Engine::userEventCode, new Record(&released));
    pushUser(SDL_USEREVENT, 7, new Record(&released)); // another code: still delivered and released
    EventHandler::instance().poll();
    EXPECT_EQ(journal.calls, (std::vector<std::string>{"first:256:0-", "second:256:0+", "first:7:1-", "second:7:1+"}));
    EXPECT_EQ(released, 2);
}

TEST_F(EventDispatchTest, OtherEventTypesReachNobodyAndKeepTheirDataAndQuitSetsTheFlag)
{
    Journal journal;
    User user(journal, "user", false);
    Mouse mouse(journal, "mouse");
    int released = 0;
    auto record = std::make_unique<Record>(&released);
    pushUser(SDL_USEREVENT + 1, Engine::userEventCode, record.get());
    SDL_Event active{};
    active.type = SDL_ACTIVEEVENT;
    push(active);
    EventHandler::instance().poll();
    EXPECT_TRUE(journal.calls.empty());
    EXPECT_EQ(released, 0);
    EXPECT_FALSE(EventHandler::instance().isQuit());
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    push(quit);
    EventHandler::instance().poll();
    EXPECT_TRUE(EventHandler::instance().isQuit());
    EventHandler::instance().setQuit(false);
}

TEST_F(EventDispatchTest, ListenersAddedOrRemovedInsideACallbackDoNotDisturbTheDispatch)
{
    Journal journal;
    Mouse first(journal, "first");
    auto doomed = std::make_unique<Mouse>(journal, "doomed");
    Mouse last(journal, "last", true);
    std::unique_ptr<Mouse> late;
    // The first listener destroys a later one and builds a new one, as a panel that
    // rebuilds its buttons on a click does.
    first.hook = [&] {
        if (!doomed)
            return;
        doomed.reset();
        late = std::make_unique<Mouse>(journal, "late");
    };
    testing_support::pushButton(true, 1, 1);
    testing_support::pushButton(false, 1, 1);
    EventHandler::instance().poll();
    EXPECT_EQ(journal.calls, (std::vector<std::string>{"first:down-", "last:down-", "first:up-", "last:up-", "late:up+"}));

    // A listener that destroys itself in its callback (a "Close" button ending its panel).
    journal.calls.clear();
    late->hook = [&] { late.reset(); };
    testing_support::pushButton(true, 1, 1);
    testing_support::pushButton(false, 1, 1);
    EventHandler::instance().poll();
    EXPECT_EQ(journal.calls, (std::vector<std::string>{"first:down-", "last:down-", "late:down+", "first:up-", "last:up-"}));
}

} // namespace

// The frame loop's wait: it sleeps until a record arrives or a deadline passes. A wait that
// did not wake would hang here until the test's time-out.
TEST_F(EventDispatchTest, TheLoopsWaitEndsForARecordFromAnotherThreadAndForADeadline)
{
    EventHandler& events = EventHandler::instance();
    events.poll();
    events.takeRedrawRequest();

    Journal journal;
    User user(journal, "user", false);
    int released = 0;
    std::thread worker([&released] {
        SDL_Delay(50);
        Engine::pushUserRecord(Engine::userEventCode, new Record(&released));
    });
    events.waitForEvents();
    worker.join();
    events.poll();
    EXPECT_EQ(journal.calls, (std::vector<std::string>{"user:256:0-"}));
    EXPECT_EQ(released, 1);
    EXPECT_FALSE(events.takeRedrawRequest()) << "a record alone asks for no drawing";

    events.requestFrameAt(SDL_GetTicks() + 30); // a caret's next blink
    events.waitForEvents();
    EXPECT_TRUE(events.takeRedrawRequest()) << "a reached deadline asks for a frame";

    events.setQuit(true); // from anywhere: the wait returns at once
    events.waitForEvents();
    events.setQuit(false);
}
