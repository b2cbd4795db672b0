// The frame: the pacing arithmetic of the 16 ms budget, and the program-wide state before start-up.
#include <gtest/gtest.h>

#include "frame/main_loop.h"
#include "frame/state.h"

// Half of what is left of the budget; a frame that ran long wraps the unsigned subtraction and
// sleeps not at all.
TEST(FramePacing, SleepsHalfOfWhatIsLeft)
{
    const struct { Uint32 span; int delay; } cases[] = {
        {0, 8}, {1, 7}, {2, 7}, {3, 6}, {14, 1}, {15, 0}, {16, 0}, {17, -1}, {18, -1}, {100, -1}, {5000, -1}};
    for (const auto& c : cases) EXPECT_EQ(FramePacingDelay(c.span), c.delay) << "span " << c.span;
    // A clock that stepped back leaves more than 16 ms: up to 99 ms it still sleeps half,
    // beyond that it counts as a wrap and never sleeps longer than 49 ms.
    EXPECT_EQ(FramePacingDelay(Uint32(16) - Uint32(99)), 49);
    EXPECT_EQ(FramePacingDelay(Uint32(16) - Uint32(100)), -1);
}

// The state a run starts from: the handheld's card, the home screen, no popup or notice, nothing
// opened yet, the mixer's volume. (The 320 x 240 x 16 drawing area: every pixel test.)
TEST(FrameState, StartingValues)
{
    EXPECT_EQ(StoreRoot, "/mnt/sd/vok/");
    EXPECT_EQ(std::vector<int>({ScreenMode, QuitRequested, PopupId, PopupCursor, PopupItemCount, NoticeId, SoundVolume}),
              std::vector<int>({ScreenHome, 0, PopupNone, 0, 3, NoticeNone, 120}));
    EXPECT_TRUE(!ScreenSurface && !JoystickHandle && !FontSmall && !FontLarge);
}
