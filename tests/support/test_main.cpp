// The main of every test executable: tests run headless unless the caller picked a driver,
// so SDL never opens a real window or sound card (ctest cannot pass both variables through
// discovered tests' properties).
#include <gtest/gtest.h>
#include <cstdlib>

#include "tests/support/program_state.h"

// After every test (and its fixture) the program-wide state goes back to its starting values,
// so no test sees what another left; the first test of a run sees the real initialisers.
class ResetAfterEachTest : public testing::EmptyTestEventListener {
    void OnTestEnd(const testing::TestInfo&) override { ResetProgramState(); }
};

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new ResetAfterEachTest);
    return RUN_ALL_TESTS();
}
