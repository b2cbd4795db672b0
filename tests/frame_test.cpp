// The frame: the pacing arithmetic of the 16 ms budget, and the program-wide state as it is
// before start-up (the screens rely on these starting values).
#include <gtest/gtest.h>

#include "frame/main_loop.h"
#include "frame/state.h"

// Half of what is left of the budget; a frame that ran long wraps the unsigned
// subtraction and sleeps not at all.
TEST(FramePacing, SleepsHalfOfWhatIsLeft)
{
    const struct { Uint32 span; int delay; } cases[] = {
        {0, 8}, {1, 7}, {2, 7}, {3, 6}, {14, 1}, {15, 0}, {16, 0},
        {17, -1}, {18, -1}, {100, -1}, {5000, -1},
    };
    for (const auto& c : cases) EXPECT_EQ(FramePacingDelay(c.span), c.delay) << "span " << c.span;
    // A clock that stepped back leaves more than 16 ms: up to 99 ms it still sleeps half,
    // beyond that it counts as a wrap and never sleeps longer than 49 ms.
    EXPECT_EQ(FramePacingDelay(Uint32(16) - Uint32(99)), 49);
    EXPECT_EQ(FramePacingDelay(Uint32(16) - Uint32(100)), -1);
}

// The settings and the starting state of a run.
TEST(FrameState, StartingValues)
{
    EXPECT_EQ(ScreenWidth, 320);
    EXPECT_EQ(ScreenHeight, 240);
    EXPECT_EQ(BytesPerPixel, 2);
    EXPECT_EQ(DisplayScale, 1);
    EXPECT_EQ(SoundVolume, 120);
    EXPECT_EQ(ScreenMode, ScreenHome);
    EXPECT_EQ(QuitRequested, 0);
    EXPECT_EQ(StoreRoot, "/mnt/sd/vok/");
    EXPECT_EQ(PopupId, PopupNone);
    EXPECT_EQ(PopupCursor, 0);
    EXPECT_EQ(PopupItemCount, 3);
    EXPECT_EQ(NoticeId, NoticeNone);
    EXPECT_EQ(ScreenSurface, nullptr);
    EXPECT_EQ(JoystickHandle, nullptr);
    EXPECT_EQ(FontSmall, nullptr);
    EXPECT_EQ(FontLarge, nullptr);
}
