#include "engine/FontManager.h"
#include "engine/Surface.h"
#include "engine/TextSurface.h"
#include "tests/support/TempDir.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

namespace {

const char* const font = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class SurfaceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("HOLMIK_DIALOGS", "stderr", 1);
        SDL_Init(SDL_INIT_VIDEO);
        SDL_SetVideoMode(200, 200, 32, SDL_SWSURFACE);
        TTF_Init();
    }
    static int count(const Engine::Surface& s, const Color& c)
    {
        int n = 0;
        for (int y = 0; y < s.getHeight(); ++y)
            for (int x = 0; x < s.getWidth(); ++x)
                if (s.getPixel(x, y) == c)
                    ++n;
        return n;
    }
};

TEST_F(SurfaceTest, RectanglesHaveInclusiveCorners)
{
    Engine::Surface s(40, 40);
    s.fill(Black);
    s.drawRect(0, 0, 10, 10, White, true);
    EXPECT_EQ(count(s, White), 121);
    s.fill(Black);
    s.drawRect(2, 2, 10, 10, White, false);
    EXPECT_EQ(count(s, White), 40) << "the outline of an 11x11 square";
    EXPECT_EQ(s.getPixel(12, 12), White);
}

TEST_F(SurfaceTest, BlitCopiesOnlyTheSourceClipRectangle)
{
    Engine::Surface source(20, 20);
    source.fill(Red);
    source.setClipRect(0, 0, 5, 5);
    Engine::Surface target(30, 30);
    target.fill(Black);
    target.blit(3, 4, source);
    EXPECT_EQ(count(target, Red), 25);
    EXPECT_EQ(target.getPixel(3, 4), Red);
    EXPECT_EQ(target.getPixel(8, 4), Black);
    Engine::Surface empty;
    target.blit(0, 0, empty); // nothing to draw, nothing happens
    empty.blit(0, 0, source);
    EXPECT_EQ(empty.getWidth(), 0);
}

TEST_F(SurfaceTest, CopiesSharePixelsAndOutliveTheFirstHolder)
{
    auto* first = new Engine::Surface(8, 8);
    Engine::Surface copy = *first;
    first->fill(Blue);
    EXPECT_EQ(copy.getPixel(1, 1), Blue) << "one SDL surface behind both";
    delete first;
    copy.drawPixel(0, 0, Yellow);
    EXPECT_EQ(copy.getPixel(0, 0), Yellow);
    Engine::Surface other(2, 2);
    other = copy;
    EXPECT_EQ(other.useCount(), 2u);
}

TEST_F(SurfaceTest, QuietLoadGivesOnePixelAndLoudLoadEnds)
{
    testing_support::TempDir tmp;
    Engine::Surface missing = Engine::Surface::load(tmp.file("missing.gif"), true);
    EXPECT_EQ(missing.getWidth(), 1);
    EXPECT_EQ(missing.getHeight(), 1);
    Engine::Surface picture = Engine::Surface::load(std::string(HOLMIK_SOURCE_DIR) + "/data/files/CloseUp.gif", false);
    EXPECT_EQ(picture.getWidth(), 16);
    EXPECT_EXIT(Engine::Surface::load(tmp.file("missing.gif"), false), ::testing::ExitedWithCode(255),
                "ERROR, Faild To Load Image");
}

TEST_F(SurfaceTest, FontsOpenOncePerFileAndSize)
{
    auto& fonts = Engine::FontManager::instance();
    const int before = fonts.openCount();
    TTF_Font* a = fonts.getFont(font, 9);
    EXPECT_EQ(fonts.getFont(font, 9), a);
    EXPECT_EQ(fonts.openCount(), before + 1);
    EXPECT_NE(fonts.getFont(font, 10), a);
    EXPECT_EQ(fonts.openCount(), before + 2);
    Engine::TextSurface text("Holmik", font, 10, Black);
    EXPECT_GT(text.getWidth(), 20);
    EXPECT_EQ(Engine::TextSurface::textWidth("Holmik", font, 10), text.getWidth());
    EXPECT_GT(Engine::TextSurface::lineSkip(font, 10), 8);
    EXPECT_EXIT(fonts.getFont("/nonexistent.ttf", 9), ::testing::ExitedWithCode(255), "Failed To Load Font");
    EXPECT_EXIT(Engine::TextSurface("", font, 9, Black), ::testing::ExitedWithCode(255),
                "Failed To Render TextSurface");
}

} // namespace
