// Surfaces and text surfaces: what a blit copies, shared pixels, fonts opened once, text
// measured as UTF-8, and the failures that end the program.
#include "engine/FontManager.h"
#include "engine/Surface.h"
#include "engine/TextSurface.h"
#include "engine/Window.h"
#include "tests/engine/gui/GuiTestSupport.h"
#include "tests/support/Platform.h"

#include <gtest/gtest.h>

namespace {

using namespace gui_test;
using Engine::Surface;
using Engine::TextSurface;

class SurfaceRulesTest : public GuiTest {
protected:
    // The screen, black, with the surface drawn at (x, y); how many pixels are not black.
    int drawn(const Surface& s, int x = 0, int y = 0)
    {
        screen().fill(Black);
        screen().blit(x, y, s);
        return 320 * 240 - count(0, 0, 320, 240, Black);
    }
    static Surface& screen() { return Engine::Window::instance(); }
};

TEST_F(SurfaceRulesTest, BlitCopiesOnlyTheSourceClipRectangleAndEmptySurfacesDoNothing)
{
    Surface s(20, 20);
    s.fill(Red);
    s.setClipRect(0, 0, 5, 5);
    EXPECT_EQ(drawn(s, 3, 4), 25);
    EXPECT_EQ(pixel(7, 8), Red);
    s.resetClipRect();
    EXPECT_EQ(drawn(s, 310, 230), 100) << "cut at the screen's edge";
    Surface none;
    none.blit(0, 0, s);
    none.drawRect(0, 0, 3, 3, Red, true);
    EXPECT_EQ(drawn(none), 0);
}

// Copies share the pixels; freeing them once, by the last holder, is the sanitizer build's check.
// A picture shrunk to a column: its size, each half keeps its colour, and a pixel that covers
// both is their mean.
TEST_F(SurfaceRulesTest, AShrunkPictureAveragesThePixelsEachOneCovers)
{
    Surface picture(160, 120);
    picture.fill(Red);
    picture.drawRect(80, 0, 79, 119, Blue, true);
    const Surface shrunk = picture.scaled(146, 110);
    EXPECT_EQ(std::make_pair(shrunk.getWidth(), shrunk.getHeight()), std::make_pair(146, 110));
    EXPECT_EQ(shrunk.getPixel(10, 50), Red);
    EXPECT_EQ(shrunk.getPixel(140, 50), Blue);
    const Color seam = picture.scaled(1, 1).getPixel(0, 0); // half red, half blue
    EXPECT_EQ(std::make_pair(int(seam.r()), int(seam.b())), std::make_pair(127, 127));
    EXPECT_TRUE(Surface().scaled(10, 10).isEmpty() && picture.scaled(0, 10).isEmpty());
}

TEST_F(SurfaceRulesTest, CopiesShareThePixels)
{
    Surface first(8, 8), third;
    first.fill(Black);
    Surface second = first;
    third = second;
    third = third;
    second.drawPixel(1, 1, Red);
    second = Surface(2, 2); // reassigning a copy leaves the others
    EXPECT_EQ(drawn(first), 1);
}

// Our surfaces carry their own alpha per pixel, so SDL keeps a colour key and a surface alpha
// only as settings; a missing picture asked for quietly is a 1 x 1 stand-in.
TEST_F(SurfaceRulesTest, ColourKeyAndAlphaAreKeptAndAQuietLoadDoesNotEndTheProgram)
{
    Surface s(4, 4), none;
    s.setColorKey(Red);
    s.setAlpha(128);
    EXPECT_TRUE(s.hasColorKey() && s.hasAlpha() && !none.hasColorKey());
    EXPECT_EQ(s.getColorKey(), Color(255, 0, 0, 255));
    EXPECT_EQ(s.getAlpha(), 128);
    const Surface stand = Surface::load("/nonexistent/CloseUp.gif", true);
    EXPECT_EQ(stand.getWidth() * stand.getHeight(), 1);
}

TEST_F(SurfaceRulesTest, EachFontFileAndSizeIsOpenedOnceAndTextIsMeasuredAsUtf8)
{
    Engine::FontManager& fonts = Engine::FontManager::instance();
    const int before = fonts.openCount();
    TTF_Font* thirteen = fonts.getFont(fontFile, 13);
    EXPECT_NE(fonts.getFont(fontFile, 14), thirteen);
    EXPECT_EQ(fonts.getFont(fontFile, 13), thirteen);
    EXPECT_EQ(fonts.openCount(), before + 2);

    EXPECT_EQ(TextSurface("Join Game", fontFile, 12, Red).getWidth(), TextSurface::textWidth("Join Game", fontFile, 12));
    EXPECT_GT(TextSurface::lineSkip(fontFile, 12), TextSurface::lineSkip(fontFile, 6));
    // A stranger's endless name is cut where SDL's rows end, not refused.
    const int cut = TextSurface(std::string(3000, 'W') + "\xC3\xB6", fontFile, 12, Red).getWidth();
    EXPECT_TRUE(cut > 7900 && cut <= 8000) << cut;
    // UTF-8 is rendered as such: one Cyrillic letter is one glyph, narrower than its bytes
    // read as two Latin-1 letters.
    EXPECT_LT(TextSurface("\xD0\x96", fontFile, 12, White).getWidth(), TextSurface::textWidth("\xD0\x96", fontFile, 12));
}

using SurfaceRulesDeathTest = SurfaceRulesTest;

TEST_F(SurfaceRulesDeathTest, FailuresEndTheProgramWithTheirMessages)
{
    const auto failed = testing::ExitedWithCode(testing_support::exitStatusOf(-1));
    EXPECT_EXIT(Surface::load("/nonexistent/CloseUp.gif", false), failed, ": ERROR, Faild To Load Image");
    EXPECT_EXIT(
        {
            SDL_LockSurface(screen().getSDLSurface()); // SDL refuses to blit onto a locked surface
            screen().blit(0, 0, Surface(2, 2));
        },
        failed, "ERROR, Blit Surface Filed: .*locked");
    EXPECT_EXIT(Engine::FontManager::instance().getFont("no-such-font.ttf", 9), failed,
                "Failed To Load Font: Failed to load font : no-such-font.ttf\n");
    EXPECT_EXIT(TextSurface("", fontFile, 9, White), failed, "Failed To Render TextSurface: ");
}

} // namespace
