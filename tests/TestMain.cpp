// The main() of every test program: headless defaults (no display, no sound card) unless the
// caller chose otherwise, and where the build put the suite.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::setenv("SDL_AUDIODRIVER", "dummy", 0);
  ::setenv("STORYLOOM_SUITE_DIR", STORYLOOM_SUITE_DIR, 0);
  ::setenv("STORYLOOM_SOURCE_DIR", STORYLOOM_SOURCE_DIR, 0);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
