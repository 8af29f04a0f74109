// The engine window under SDL's dummy video driver, as the widget and panel tests use it:
// no desktop window, events pushed into SDL's queue.
#include "engine/Window.h"
#include "engine/WindowPosition.h"
#include "tests/engine/SdlTestVideo.h"
#include "tests/support/SdlInput.h"

#include <gtest/gtest.h>

namespace {

using Engine::EventHandler;
using Engine::Window;

struct Corner : Engine::MouseListner {
    bool onMouseMotion(const SDL_Event&, bool) override { return false; }
    bool onMouseButton(const SDL_Event& e, bool handled) override { return !handled && e.button.x < 20 && e.button.y < 20; }
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        engine_tests::startDummyVideo();
        testing_support::dropQueuedEvents();
    }
};

TEST_F(WindowTest, OwnsTheScreenSurfaceAndResizesIt)
{
    Window& window = Window::instance();
    EXPECT_EQ(window.getSDLSurface(), SDL_GetVideoSurface());
    EXPECT_EQ(window.getWidth(), 200);
    window.setSize(300, 120);
    EXPECT_EQ(window.getWidth(), 300);
    EXPECT_EQ(window.getHeight(), 120);
    EXPECT_EQ(window.getSDLSurface(), SDL_GetVideoSurface());
    window.fill(Red);
    window.update();
    EXPECT_EQ(engine_tests::pixelAt(window.getSDLSurface(), 299, 119), (engine_tests::Rgb{255, 0, 0}));
    EXPECT_EQ(EventHandler::instance().getWindowMouseListener(), &window);
}

TEST_F(WindowTest, AnUnhandledLeftPressDragsAndAResizeWaitsForTheRelease)
{
    Window& window = Window::instance();
    Corner corner;
    window.setMovable(true);
    window.setSize(200, 100);
    window.setPosition(50, 60);

    testing_support::pushButton(true, 10, 10); // the corner's
    window.update();
    EXPECT_FALSE(window.isDragging());

    testing_support::pushButton(true, 100, 40);
    window.update();
    ASSERT_TRUE(window.isDragging());
    window.setSize(10, 10);
    EXPECT_EQ(window.getWidth(), 200) << "refused while dragging";
    testing_support::pushMotion(130, 50); // the pointer travelled 30 right, 10 down
    window.update();
    EXPECT_EQ(window.getX(), 80);
    EXPECT_EQ(window.getY(), 70);
    testing_support::pushButton(true, 100, 40, SDL_BUTTON_RIGHT); // other buttons change nothing
    window.update();
    EXPECT_TRUE(window.isDragging());
    testing_support::pushButton(false, 100, 40);
    window.update();
    EXPECT_FALSE(window.isDragging());
    window.setSize(10, 10);
    EXPECT_EQ(window.getWidth(), 10);

    int x = 0, y = 0;
    ASSERT_TRUE(Engine::readWindowPosition(x, y)); // what the settings record
    EXPECT_EQ(x, 80);
    EXPECT_EQ(y, 70);

    testing_support::pushButton(true, 5, 5);
    window.update();
    window.setMovable(false); // ends the drag
    EXPECT_FALSE(window.isDragging());
    testing_support::pushButton(true, 50, 5);
    window.update();
    EXPECT_FALSE(window.isDragging());
    window.setMovable(true);
}

TEST_F(WindowTest, KeepsItsOwnColorKeyAndAlpha)
{
    Window& window = Window::instance();
    EXPECT_FALSE(window.hasColorKey());
    EXPECT_EQ(window.getColorKey(), Transparent);
    window.setColorKey(Fuchsia);
    EXPECT_TRUE(window.hasColorKey());
    EXPECT_EQ(window.getColorKey(), Fuchsia);
    window.setColorKey(Transparent);
    EXPECT_FALSE(window.hasColorKey());
    EXPECT_FALSE(window.hasAlpha());
    window.setAlpha(15);
    EXPECT_EQ(window.getAlpha(), 15);
    EXPECT_TRUE(window.hasAlpha());
    window.setAlpha(255);
    EXPECT_FALSE(window.hasAlpha());
}

TEST_F(WindowTest, CursorsAreTheArrowAndTheHand)
{
    Window& window = Window::instance();
    window.setCursor(Window::Hand);
    SDL_Cursor* hand = SDL_GetCursor();
    EXPECT_EQ(hand->hot_x, 9);
    EXPECT_EQ(hand->hot_y, 0);
    window.setCursor(3);
    EXPECT_EQ(SDL_GetCursor(), hand);
    testing_support::pushMotion(150, 150); // nobody handled it: back to the arrow
    window.update();
    SDL_Cursor* arrow = SDL_GetCursor();
    EXPECT_NE(arrow, hand);
    EXPECT_EQ(arrow->hot_x, 0);
    EXPECT_EQ(arrow->hot_y, 0);
    EXPECT_EQ(arrow->area.w, 32);
    EXPECT_EQ(arrow->area.h, 32);
}

} // namespace
