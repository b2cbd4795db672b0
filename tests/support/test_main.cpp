// The main of every test executable: tests run headless unless the caller picked a driver,
// so SDL never opens a real window or sound card (ctest cannot pass both variables through
// discovered tests' properties).
#include <gtest/gtest.h>
#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
