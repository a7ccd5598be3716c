// The test program's entry: every test runs headless unless it asks for a display itself.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    // Defaults only: a test (or the caller) that sets a driver keeps its own.
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
