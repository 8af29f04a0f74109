// The engine window under SDL's dummy video driver, as the widget and panel tests use it:
// no desktop window, events pushed into SDL's queue, the drag following the events' points.
#include "engine/Window.h"
#include "tests/engine/gui/GuiTestSupport.h"
#include "tests/support/SdlInput.h"

#include <gtest/gtest.h>

namespace {

using Engine::Window;
using testing_support::pushButton;

struct Corner : Engine::MouseListner {
    bool onMouseMotion(const SDL_Event&, bool) override { return false; }
    bool onMouseButton(const SDL_Event& e, bool handled) override { return !handled && e.button.x < 20 && e.button.y < 20; }
};

class WindowTest : public gui_test::GuiTest {};

// Without a desktop window the drag follows the events' own points.
TEST_F(WindowTest, APressAWidgetTookDoesNotDragAnUnhandledOneDoesAndAnUnhandledMotionBringsTheArrowBack)
{
    Window& window = Window::instance();
    Corner corner;
    window.setPosition(50, 60);
    pushButton(true, 10, 10); // the corner's
    window.update();
    EXPECT_FALSE(window.isDragging());
    pushButton(true, 100, 40);
    testing_support::pushMotion(130, 50); // the pointer travelled 30 right, 10 down
    window.update();
    EXPECT_EQ(std::vector<int>({window.getX(), window.getY()}), std::vector<int>({80, 70}));
    pushButton(false, 100, 40);
    window.update();

    window.setCursor(Window::Hand);
    SDL_Cursor* hand = SDL_GetCursor();
    EXPECT_EQ(hand->hot_x, 9);
    window.setCursor(3); // no such cursor: nothing changes
    EXPECT_EQ(SDL_GetCursor(), hand);
    testing_support::pushMotion(150, 150);
    window.update();
    EXPECT_NE(SDL_GetCursor(), hand);
    EXPECT_EQ(SDL_GetCursor()->hot_x, 0) << "the arrow's tip";
}

} // namespace
