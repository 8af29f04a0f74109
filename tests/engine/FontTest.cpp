#include "engine/FontManager.h"
#include "engine/TextSurface.h"
#include "engine/Window.h"
#include "tests/engine/gui/GuiTestSupport.h"
#include "tests/support/Platform.h"

#include <gtest/gtest.h>

namespace {

using namespace gui_test;
using Engine::TextSurface;

class FontTest : public GuiTest {};

TEST_F(FontTest, EachFileAndSizeIsOpenedOnceAndTextIsRenderedBlendedInItsColour)
{
    Engine::FontManager& fonts = Engine::FontManager::instance();
    const int before = fonts.openCount();
    TTF_Font* thirteen = fonts.getFont(fontFile(), 13);
    EXPECT_NE(fonts.getFont(fontFile(), 14), thirteen);
    EXPECT_EQ(fonts.getFont(fontFile(), 13), thirteen);
    EXPECT_EQ(fonts.openCount(), before + 2);

    const TextSurface text("Join Game", fontFile(), 12, Red);
    EXPECT_EQ(text.getWidth(), TextSurface::textWidth("Join Game", fontFile(), 12));
    EXPECT_GT(TextSurface::lineSkip(fontFile(), 12), TextSurface::lineSkip(fontFile(), 6));
    // Blitted onto black, the letters come out red and the background stays black.
    Engine::Window::instance().fill(Black);
    Engine::Window::instance().blit(0, 0, text);
    int reddish = 0, other = 0;
    for (int y = 0; y < text.getHeight(); ++y)
        for (int x = 0; x < text.getWidth(); ++x) {
            const Color p = pixel(x, y);
            reddish += p.r() > 200 && !p.g() && !p.b();
            other += p.g() || p.b();
        }
    EXPECT_GT(reddish, 20);
    EXPECT_EQ(other, 0);
    // UTF-8 is rendered as such: one Cyrillic letter is one glyph, narrower than its bytes
    // read as two Latin-1 letters.
    EXPECT_LT(TextSurface("\xD0\x96", fontFile(), 12, White).getWidth(), TextSurface::textWidth("\xD0\x96", fontFile(), 12));
}

using FontDeathTest = FontTest;

TEST_F(FontDeathTest, FailuresEndTheProgramWithTheirMessages)
{
    const auto failed = testing::ExitedWithCode(testing_support::exitStatusOf(-1));
    EXPECT_EXIT(Engine::FontManager::instance().getFont("no-such-font.ttf", 9), failed,
                "Failed To Load Font: Failed to load font : no-such-font.ttf\n");
    EXPECT_EXIT(TextSurface("", fontFile(), 9, White), failed, "Failed To Render TextSurface: ");
}

} // namespace
