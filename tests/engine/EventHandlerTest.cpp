#include "engine/EventHandler.h"
#include "engine/UserEvent.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> calls;

struct Mouse : Engine::MouseListner {
    std::string name;
    bool takes;
    std::function<void()> during;
    Mouse(std::string n, bool t) : name(std::move(n)), takes(t) {}
    bool onMouseMotion(const SDL_Event&, bool handled) override
    {
        calls.push_back(name + (handled ? ":motion(handled)" : ":motion"));
        return takes;
    }
    bool onMouseButton(const SDL_Event&, bool handled) override
    {
        calls.push_back(name + (handled ? ":button(handled)" : ":button"));
        if (during)
            during();
        return takes;
    }
};

struct User : Engine::UserListner {
    int seen = 0;
    int lastCode = 0;
    bool onUserEvent(const SDL_Event& e, bool) override
    {
        ++seen;
        lastCode = e.user.code;
        return true;
    }
};

struct Record {
    static int alive;
    Record() { ++alive; }
    ~Record() { --alive; }
};
int Record::alive = 0;

class EventHandlerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        SDL_Init(SDL_INIT_VIDEO);
        SDL_SetVideoMode(64, 64, 32, SDL_SWSURFACE);
    }
    void SetUp() override
    {
        calls.clear();
        SDL_Event drain;
        while (SDL_PollEvent(&drain)) {
        }
    }
    static void push(Uint8 type)
    {
        SDL_Event e{};
        e.type = type;
        if (type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP)
            e.button.button = SDL_BUTTON_LEFT;
        SDL_PushEvent(&e);
    }
};

TEST_F(EventHandlerTest, RegistrationOrderHandledFlagAndTheWindowLast)
{
    Mouse window("window", false);
    Engine::EventHandler::instance().removeMouseListener(&window);
    Engine::EventHandler::instance().setWindowMouseListener(&window);
    Mouse first("first", true);
    Mouse second("second", false);
    push(SDL_MOUSEBUTTONDOWN);
    push(SDL_MOUSEMOTION);
    Engine::EventHandler::instance().poll();
    EXPECT_EQ(calls, (std::vector<std::string>{"first:button", "second:button(handled)", "window:button(handled)",
                                               "first:motion", "second:motion(handled)", "window:motion(handled)"}));
    Mouse never("never", false);
    Engine::EventHandler::instance().removeMouseListener(&never);
    Engine::EventHandler::instance().removeMouseListener(&never); // removing twice changes nothing
}

TEST_F(EventHandlerTest, ListenersAddedOrRemovedDuringDispatchDoNotDisturbIt)
{
    auto first = std::make_unique<Mouse>("first", false);
    auto second = std::make_unique<Mouse>("second", false);
    std::unique_ptr<Mouse> added;
    first->during = [&] {
        second.reset();                                    // a callback deletes a later listener
        added = std::make_unique<Mouse>("added", false);    // and creates a new one
    };
    push(SDL_MOUSEBUTTONDOWN);
    Engine::EventHandler::instance().poll();
    EXPECT_EQ(calls, (std::vector<std::string>{"first:button"}));
    first->during = nullptr;
    calls.clear();
    push(SDL_MOUSEBUTTONUP);
    Engine::EventHandler::instance().poll();
    EXPECT_EQ(calls, (std::vector<std::string>{"first:button", "added:button"}));
}

TEST_F(EventHandlerTest, UserEventsReachEveryoneAndReleaseTheirRecordOnce)
{
    User a, b;
    SDL_Event e{};
    e.type = SDL_USEREVENT;
    e.user.code = Engine::userEventCode;
    e.user.data1 = new Record;
    e.user.data2 = reinterpret_cast<void*>(&Engine::releaseUserRecord<Record>);
    SDL_PushEvent(&e);
    e.user.code = 7; // another code still reaches every listener and is released
    e.user.data1 = new Record;
    SDL_PushEvent(&e);
    EXPECT_EQ(Record::alive, 2);
    Engine::EventHandler::instance().poll();
    EXPECT_EQ(a.seen, 2);
    EXPECT_EQ(b.seen, 2);
    EXPECT_EQ(b.lastCode, 7);
    EXPECT_EQ(Record::alive, 0);

    SDL_Event other{};
    other.type = SDL_USEREVENT + 1; // not ours: reaches nobody, nothing released
    SDL_PushEvent(&other);
    Engine::EventHandler::instance().poll();
    EXPECT_EQ(a.seen, 2);
}

TEST_F(EventHandlerTest, QuitEventSetsTheFlag)
{
    Engine::EventHandler::instance().setQuit(false);
    push(SDL_QUIT);
    Engine::EventHandler::instance().poll();
    EXPECT_TRUE(Engine::EventHandler::instance().isQuit());
    Engine::EventHandler::instance().setQuit(false);
}

} // namespace
