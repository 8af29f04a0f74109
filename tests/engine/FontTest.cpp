#include "engine/FontManager.h"
#include "engine/TextSurface.h"
#include "tests/engine/gui/GuiTestSupport.h"
#include "tests/support/Platform.h"

#include <gtest/gtest.h>

namespace {

using namespace gui_test;
using Engine::TextSurface;

class FontTest : public GuiTest {};

TEST_F(FontTest, EachFileAndSizeIsOpenedOnceAndTextIsMeasuredAsUtf8)
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

using FontDeathTest = FontTest;

TEST_F(FontDeathTest, FailuresEndTheProgramWithTheirMessages)
{
    const auto failed = testing::ExitedWithCode(testing_support::exitStatusOf(-1));
    EXPECT_EXIT(Engine::FontManager::instance().getFont("no-such-font.ttf", 9), failed,
                "Failed To Load Font: Failed to load font : no-such-font.ttf\n");
    EXPECT_EXIT(TextSurface("", fontFile, 9, White), failed, "Failed To Render TextSurface: ");
}

} // namespace
