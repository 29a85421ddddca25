// A slice of long work takes as many pieces as fit in its time, and stops at the piece that
// says it was the last.
#include <gtest/gtest.h>

#include <chrono>

#include "runtime/flush/ProgressLoop.h"

namespace {

using namespace std::chrono_literals;

TEST(ProgressSlice, TakesPiecesUntilItsTimeIsSpentOrTheWorkEnds) {
  int pieces = 0;
  const auto started = std::chrono::steady_clock::now();
  EXPECT_TRUE(wdrt::ForAbout(40ms, [&] { return ++pieces > 0; }));
  EXPECT_GT(pieces, 1) << "many quick pieces in one slice";
  EXPECT_GE(std::chrono::steady_clock::now() - started, 40ms);

  int left = 3;
  EXPECT_FALSE(wdrt::ForAbout(10s, [&] { return --left > 0; }));
  EXPECT_EQ(left, 0) << "the slice ends with the last piece, not with its time";
}

}  // namespace
