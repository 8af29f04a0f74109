#include "engine/FontManager.h"
#include "engine/TextSurface.h"
#include "tests/engine/SdlTestVideo.h"
#include "tests/support/Platform.h"

#include <gtest/gtest.h>

namespace {

using engine_tests::testFont;
using Engine::TextSurface;

class FontTest : public ::testing::Test {
protected:
    void SetUp() override { engine_tests::startDummyVideo(); }
};

TEST_F(FontTest, EachFileAndSizeIsOpenedOnce)
{
    Engine::FontManager& fonts = Engine::FontManager::instance();
    const int before = fonts.openCount();
    TTF_Font* thirteen = fonts.getFont(testFont, 13);
    TTF_Font* fourteen = fonts.getFont(testFont, 14);
    EXPECT_NE(fourteen, thirteen);
    EXPECT_EQ(fonts.getFont(testFont, 13), thirteen);
    EXPECT_EQ(fonts.getFont(testFont, 14), fourteen);
    EXPECT_EQ(fonts.openCount(), before + 2);
}

TEST_F(FontTest, TextIsRenderedBlendedInItsColourAndMeasured)
{
    TextSurface text("Join Game", testFont, 12, Red);
    EXPECT_NE(text.getSDLSurface()->format->Amask, 0u); // per-pixel alpha
    EXPECT_EQ(text.getWidth(), TextSurface::textWidth("Join Game", testFont, 12));
    EXPECT_GT(TextSurface::lineSkip(testFont, 12), TextSurface::lineSkip(testFont, 6));
    EXPECT_GE(text.getHeight(), 12);
    // Blitted onto black, the letters come out red and the background stays black.
    Engine::Surface target(text.getWidth(), text.getHeight());
    target.fill(Black);
    target.blit(0, 0, text);
    int reddish = 0, other = 0;
    for (int y = 0; y < target.getHeight(); ++y)
        for (int x = 0; x < target.getWidth(); ++x) {
            const auto p = engine_tests::pixelAt(target.getSDLSurface(), x, y);
            reddish += p.r > 200 && p.g == 0 && p.b == 0;
            other += p.g || p.b;
        }
    EXPECT_GT(reddish, 20);
    EXPECT_EQ(other, 0);
    // UTF-8 is rendered as such: one Cyrillic letter is one glyph, narrower than its bytes
    // read as two Latin-1 letters.
    EXPECT_LT(TextSurface("\xD0\x96", testFont, 12, White).getWidth(), TextSurface::textWidth("\xD0\x96", testFont, 12));
}

using FontDeathTest = FontTest;

TEST_F(FontDeathTest, FailuresEndTheProgramWithTheirMessages)
{
    const auto failed = testing::ExitedWithCode(testing_support::exitStatusOf(-1));
    EXPECT_EXIT(Engine::FontManager::instance().getFont("no-such-font.ttf", 9), failed,
                "Failed To Load Font: Failed to load font : no-such-font.ttf\n");
    EXPECT_EXIT(TextSurface("", testFont, 9, White), failed, "Failed To Render TextSurface: ");
}

} // namespace
