#include "engine/Surface.h"
#include "tests/engine/SdlTestVideo.h"
#include "tests/support/Platform.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using engine_tests::countOther;
using engine_tests::Rgb;
using Engine::Surface;

const Rgb black{0, 0, 0}, red{255, 0, 0}, white{255, 255, 255};

Rgb at(Surface& s, int x, int y) { return engine_tests::pixelAt(s.getSDLSurface(), x, y); }

class SurfaceRulesTest : public ::testing::Test {
protected:
    void SetUp() override { engine_tests::startDummyVideo(); }
};

TEST_F(SurfaceRulesTest, RectanglesIncludeBothCornersAndLinesBothEnds)
{
    Surface s(20, 20);
    s.fill(Color(0, 0, 255, 0)); // fill ignores the alpha byte
    EXPECT_EQ(at(s, 7, 7), (Rgb{0, 0, 255}));
    s.fill(Black);
    s.drawRect(2, 3, 10, 10, Red, true);
    EXPECT_EQ(countOther(s.getSDLSurface(), black), 11 * 11);
    EXPECT_EQ(at(s, 2, 3), red);
    EXPECT_EQ(at(s, 12, 13), red);
    s.fill(Black);
    s.drawRect(0, 0, 10, 10, White, false);
    EXPECT_EQ(countOther(s.getSDLSurface(), black), 40); // the frame of an 11x11 square
    EXPECT_EQ(at(s, 10, 10), white);
    s.fill(Black);
    s.drawLine(0, 8, 15, 8, White);
    s.drawPixel(4, 5, Red);
    EXPECT_EQ(countOther(s.getSDLSurface(), black), 17);
    EXPECT_EQ(at(s, 15, 8), white);
    EXPECT_EQ(at(s, 4, 5), red);
}

TEST_F(SurfaceRulesTest, BlitCopiesOnlyTheSourceClipRectangleAndEmptySurfacesDoNothing)
{
    Surface picture(20, 20), target(30, 30), none;
    picture.fill(Red);
    picture.setClipRect(0, 0, 5, 5);
    target.fill(Black);
    target.blit(3, 4, picture);
    EXPECT_EQ(countOther(target.getSDLSurface(), black), 25);
    EXPECT_EQ(at(target, 7, 8), red);
    picture.resetClipRect();
    target.fill(Black);
    target.blit(25, 25, picture); // cut at the target's edge
    EXPECT_EQ(countOther(target.getSDLSurface(), black), 25);

    target.blit(0, 0, none);
    none.blit(0, 0, picture);
    none.fill(Red);
    none.drawRect(0, 0, 3, 3, Red, true);
    EXPECT_EQ(none.getWidth(), 0);
    EXPECT_EQ(none.getAlpha(), 255);
    EXPECT_FALSE(none.hasColorKey());
}

TEST_F(SurfaceRulesTest, CopiesShareThePixelsAndTheLastOneFreesOnce)
{
    std::optional<Surface> first(Surface(8, 8));
    SDL_Surface* sdl = first->getSDLSurface();
    ++sdl->refcount; // keep it readable after the wrapper lets it go
    first->fill(Black);
    Surface second = *first, third;
    third = second;
    third = third;
    second.drawPixel(1, 1, Red);
    third.setColorKey(Color(1, 2, 3, 0));
    third.setAlpha(100);
    EXPECT_EQ(at(*first, 1, 1), red);
    EXPECT_EQ(first->getColorKey(), Color(1, 2, 3, 255));
    EXPECT_TRUE(first->hasColorKey() && first->hasAlpha());
    EXPECT_EQ(first->getAlpha(), 100);

    first.reset();
    EXPECT_EQ(sdl->refcount, 2);
    second = Surface(2, 2); // reassigning a copy frees nothing
    EXPECT_EQ(sdl->refcount, 2);
    third = Surface();
    EXPECT_EQ(sdl->refcount, 1); // the last holder freed it, once
    SDL_FreeSurface(sdl);
}

TEST_F(SurfaceRulesTest, LoadGivesThePictureInTheDisplayFormatOrQuietlyOnePixel)
{
    testing_support::TempDir dir;
    Surface drawn(7, 5);
    drawn.fill(Black);
    drawn.drawPixel(2, 3, Red);
    ASSERT_EQ(SDL_SaveBMP(drawn.getSDLSurface(), dir.file("p.bmp").c_str()), 0);
    Surface loaded = Surface::load(dir.file("p.bmp"), false);
    EXPECT_EQ(loaded.getHeight(), 5);
    EXPECT_EQ(loaded.getSDLSurface()->format->BitsPerPixel, SDL_GetVideoSurface()->format->BitsPerPixel);
    EXPECT_EQ(at(loaded, 2, 3), red);
    EXPECT_EQ(Surface::load(std::string(HOLMIK_SOURCE_DIR) + "/data/files/CloseUp.gif", false).getWidth(), 16);
    Surface converted = Surface::displayFormat(drawn);
    EXPECT_EQ(at(converted, 2, 3), red);

    dir.write("broken.gif", "GIF89a nonsense");
    testing::internal::CaptureStderr();
    EXPECT_EQ(Surface::load(dir.file("missing.gif"), true).getWidth(), 1);
    EXPECT_EQ(Surface::load(dir.file("broken.gif"), true).getHeight(), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

using SurfaceRulesDeathTest = SurfaceRulesTest;

TEST_F(SurfaceRulesDeathTest, FailuresEndTheProgramWithTheirMessages)
{
    const auto failed = testing::ExitedWithCode(testing_support::exitStatusOf(-1));
    EXPECT_EXIT(Surface::load("/nonexistent/CloseUp.gif", false), failed, ": ERROR, Faild To Load Image");
    EXPECT_EXIT(
        {
            Surface target(4, 4);
            Surface source(2, 2);
            SDL_LockSurface(target.getSDLSurface()); // SDL refuses to blit onto a locked surface
            target.blit(0, 0, source);
        },
        failed, "ERROR, Blit Surface Filed: .*locked");
}

} // namespace
