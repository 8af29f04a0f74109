#include "engine/Surface.h"
#include "tests/engine/SdlTestVideo.h"
#include "tests/support/Platform.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using engine_tests::countOther;
using engine_tests::pixelAt;
using engine_tests::Rgb;

const Rgb black{0, 0, 0};
const Rgb red{255, 0, 0};

class SurfaceRulesTest : public ::testing::Test {
protected:
    void SetUp() override { engine_tests::startDummyVideo(); }
};

TEST_F(SurfaceRulesTest, RectanglesIncludeBothCorners)
{
    Engine::Surface s(20, 20);
    s.fill(Black);
    s.drawRect(2, 3, 10, 10, Red, true);
    EXPECT_EQ(countOther(s.getSDLSurface(), black), 11 * 11);
    EXPECT_EQ(pixelAt(s.getSDLSurface(), 2, 3), red);
    EXPECT_EQ(pixelAt(s.getSDLSurface(), 12, 13), red);
    EXPECT_EQ(pixelAt(s.getSDLSurface(), 13, 13), black);

    s.fill(Black);
    s.drawRect(0, 0, 10, 10, White, false);
    EXPECT_EQ(countOther(s.getSDLSurface(), black), 40); // the frame of an 11x11 square
    EXPECT_EQ(pixelAt(s.getSDLSurface(), 5, 5), black);
    EXPECT_EQ(pixelAt(s.getSDLSurface(), 10, 10), (Rgb{255, 255, 255}));
}

TEST_F(SurfaceRulesTest, PixelsLinesAndFillDrawWhereAsked)
{
    Engine::Surface s(16, 16);
    s.fill(Color(0, 0, 255, 0)); // fill ignores the alpha byte
    EXPECT_EQ(pixelAt(s.getSDLSurface(), 7, 7), (Rgb{0, 0, 255}));
    s.fill(Black);
    s.drawPixel(4, 5, Lime);
    EXPECT_EQ(pixelAt(s.getSDLSurface(), 4, 5), (Rgb{0, 255, 0}));
    EXPECT_EQ(countOther(s.getSDLSurface(), black), 1);
    s.fill(Black);
    s.drawLine(0, 8, 15, 8, White); // a level line: both ends drawn
    EXPECT_EQ(pixelAt(s.getSDLSurface(), 0, 8), (Rgb{255, 255, 255}));
    EXPECT_EQ(pixelAt(s.getSDLSurface(), 15, 8), (Rgb{255, 255, 255}));
    EXPECT_EQ(pixelAt(s.getSDLSurface(), 7, 2), black);
}

TEST_F(SurfaceRulesTest, BlitCopiesOnlyTheSourceClipRectangle)
{
    Engine::Surface picture(20, 20);
    picture.fill(Red);
    picture.setClipRect(0, 0, 5, 5);
    Engine::Surface target(30, 30);
    target.fill(Black);
    target.blit(3, 4, picture);
    EXPECT_EQ(countOther(target.getSDLSurface(), black), 25);
    EXPECT_EQ(pixelAt(target.getSDLSurface(), 3, 4), red);
    EXPECT_EQ(pixelAt(target.getSDLSurface(), 7, 8), red);
    EXPECT_EQ(pixelAt(target.getSDLSurface(), 8, 8), black);

    picture.resetClipRect();
    target.fill(Black);
    target.blit(25, 25, picture); // cut at the target's edge
    EXPECT_EQ(countOther(target.getSDLSurface(), black), 25);

    Engine::Surface none;
    target.blit(0, 0, none); // nothing to draw, nothing happens
    none.blit(0, 0, picture);
    none.fill(Red);
    none.drawRect(0, 0, 3, 3, Red, true);
    EXPECT_EQ(none.getWidth(), 0);
    EXPECT_EQ(none.getColorKey(), Black);
    EXPECT_EQ(none.getAlpha(), 255);
    EXPECT_FALSE(none.hasColorKey());
}

TEST_F(SurfaceRulesTest, CopiesShareThePixelsAndTheLastOneFreesOnce)
{
    std::optional<Engine::Surface> first(Engine::Surface(8, 8));
    SDL_Surface* sdl = first->getSDLSurface();
    ++sdl->refcount; // keep it readable after the wrapper lets it go
    first->fill(Black);
    Engine::Surface second = *first;
    Engine::Surface third;
    third = second;
    third = third;
    second.drawPixel(1, 1, Red);
    third.setColorKey(Red);
    EXPECT_EQ(pixelAt(first->getSDLSurface(), 1, 1), red);
    EXPECT_TRUE(first->hasColorKey());
    EXPECT_EQ(first->getColorKey(), Red);

    first.reset();
    EXPECT_EQ(sdl->refcount, 2);
    EXPECT_EQ(pixelAt(third.getSDLSurface(), 1, 1), red); // still drawable
    second = Engine::Surface(2, 2);                       // reassigning a copy frees nothing
    EXPECT_EQ(sdl->refcount, 2);
    third = Engine::Surface();
    EXPECT_EQ(sdl->refcount, 1); // the last holder freed it, once
    SDL_FreeSurface(sdl);
}

TEST_F(SurfaceRulesTest, AlphaAndColorKeyBelongToTheSdlSurface)
{
    Engine::Surface s(4, 4);
    s.setAlpha(100);
    EXPECT_EQ(s.getAlpha(), 100);
    EXPECT_TRUE(s.hasAlpha());
    EXPECT_FALSE(s.hasColorKey());
    s.setColorKey(Color(1, 2, 3, 0));
    EXPECT_EQ(s.getColorKey(), Color(1, 2, 3, 255));
}

TEST_F(SurfaceRulesTest, LoadGivesThePictureInTheDisplayFormat)
{
    testing_support::TempDir dir;
    Engine::Surface drawn(7, 5);
    drawn.fill(Black);
    drawn.drawPixel(2, 3, Red);
    ASSERT_EQ(SDL_SaveBMP(drawn.getSDLSurface(), dir.file("p.bmp").c_str()), 0);

    Engine::Surface loaded = Engine::Surface::load(dir.file("p.bmp"), false);
    EXPECT_EQ(loaded.getWidth(), 7);
    EXPECT_EQ(loaded.getHeight(), 5);
    EXPECT_EQ(loaded.getSDLSurface()->format->BitsPerPixel, SDL_GetVideoSurface()->format->BitsPerPixel);
    EXPECT_EQ(pixelAt(loaded.getSDLSurface(), 2, 3), red);
    // The panel's own pictures are GIFs.
    Engine::Surface gif = Engine::Surface::load(std::string(HOLMIK_SOURCE_DIR) + "/data/files/CloseUp.gif", false);
    EXPECT_EQ(gif.getWidth(), 16);
    Engine::Surface converted = Engine::Surface::displayFormat(drawn);
    EXPECT_EQ(pixelAt(converted.getSDLSurface(), 2, 3), red);
    EXPECT_NE(converted.getSDLSurface(), drawn.getSDLSurface());
}

TEST_F(SurfaceRulesTest, QuietLoadOfAMissingOrBrokenFileGivesOnePixel)
{
    testing_support::TempDir dir;
    dir.write("broken.gif", "GIF89a nonsense");
    testing::internal::CaptureStderr();
    Engine::Surface missing = Engine::Surface::load(dir.file("missing.gif"), true);
    Engine::Surface broken = Engine::Surface::load(dir.file("broken.gif"), true);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(missing.getWidth(), 1);
    EXPECT_EQ(missing.getHeight(), 1);
    EXPECT_EQ(broken.getWidth(), 1);
}

using SurfaceRulesDeathTest = SurfaceRulesTest;

TEST_F(SurfaceRulesDeathTest, FailuresEndTheProgramWithTheirMessages)
{
    EXPECT_EXIT(Engine::Surface::load("/nonexistent/CloseUp.gif", false), testing::ExitedWithCode(testing_support::exitStatusOf(-1)),
                ": ERROR, Faild To Load Image");
    EXPECT_EXIT(
        {
            Engine::Surface target(4, 4);
            Engine::Surface source(2, 2);
            SDL_LockSurface(target.getSDLSurface()); // SDL refuses to blit onto a locked surface
            target.blit(0, 0, source);
        },
        testing::ExitedWithCode(testing_support::exitStatusOf(-1)), "ERROR, Blit Surface Filed: .*locked");
}

} // namespace
