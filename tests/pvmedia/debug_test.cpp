// PvDebug: the form of its debug lines, the cut of long messages, the command-line switches
// of the debug level, and whole lines when several threads write at once.
#include <gtest/gtest.h>

#include <thread>

#include "pvmedia/PvDebug.h"
#include "runtime/os/DebugOutput.h"
#include "runtime/os/Process.h"
#include "tests/pvmedia/PvTestSupport.h"

namespace {

using Lines = std::vector<std::string>;

class Debug : public pvtest::MediaTest {};

TEST_F(Debug, LineFormsFollowRawNumberAndForce) {
  struct Case {
    std::uint8_t debugging;
    std::int32_t own;
    std::uint8_t raw;
    std::int32_t number;
    std::uint8_t force;
    std::uint8_t useOwn;
    const char* expected;  // nullptr: nothing written
  };
  const Case cases[] = {
      {0, 5, 0, 3, 0, 1, nullptr},             // off and not forced
      {0, 5, 1, 3, 0, 0, nullptr},
      {0, 5, 0, 3, 1, 1, "PV [5] : hello\r\n"},  // forced
      {1, 5, 0, 3, 0, 1, "PV [5] : hello\r\n"},  // own number
      {1, 5, 0, 3, 0, 0, "PV [3] : hello\r\n"},  // given number
      {1, 0, 0, 3, 0, 1, "PV [?] : hello\r\n"},  // own number 0
      {1, 5, 0, 0, 0, 0, "PV [?] : hello\r\n"},  // given number 0
      {1, -7, 0, 0, 0, 1, "PV [-7] : hello\r\n"},
      {1, 5, 1, 3, 0, 1, "hello\r\n"},           // raw: no prefix
      {1, 5, 2, 3, 0, 1, "PV [5] : hello\r\n"},  // only raw 1 is raw
  };
  for (const Case& c : cases) {
    ::truncate(debugFile_.c_str(), 0);
    PvDebug debug{};
    debug.DEBUGGING = c.debugging;
    debug.CLASSINSTANCENUMBER = c.own;
    debug.DbgMsg("hello   ", c.raw, c.number, c.force, c.useOwn);
    EXPECT_EQ(DebugText(), c.expected ? c.expected : "")
        << int(c.debugging) << ' ' << c.own << ' ' << int(c.raw) << ' ' << c.number << ' ' << int(c.force);
  }
}

TEST_F(Debug, LongMessagesAreCutTo1010Characters) {
  PvDebug debug{};
  debug.DEBUGGING = 1;
  std::string message;
  for (int i = 0; i < 2000; ++i) message += static_cast<char>('a' + i % 26);
  debug.DbgMsg(message, 0, 0, 0, 1);
  EXPECT_EQ(DebugText(), "PV [?] : " + message.substr(0, 1010) + "\r\n");
}

TEST_F(Debug, LineKeepsToItsBufferWithALongNumber) {
  PvDebug debug{};
  debug.DEBUGGING = 1;
  debug.CLASSINSTANCENUMBER = -2147483647 - 1;
  debug.DbgMsg(std::string(1010, 'x'), 0, 0, 0, 1);
  EXPECT_EQ(DebugText().size(), 1023u + 1u);  // 1023 characters and the line's end
}

TEST_F(Debug, DebugOutputWritesEachCallAsOneLine) {
  wdrt::OutputDebugStringA("no line end");
  wdrt::OutputDebugStringA("with line end\r\n");
  wdrt::OutputDebugStringA("");
  wdrt::OutputDebugStringA(nullptr);
  EXPECT_EQ(DebugText(), "no line end\nwith line end\r\n\n");
}

class DebugLevel : public pvtest::MediaTest {
 protected:
  void TearDown() override {
    SetArguments({"test"});
    MediaTest::TearDown();
  }
  static void SetArguments(std::vector<std::string> words) {
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    wdrt::SetCommandLine(static_cast<int>(argv.size()), argv.data());
  }
};

TEST_F(DebugLevel, SwitchesOnTheCommandLineSetTheLevel) {
  struct Case {
    std::vector<std::string> arguments;
    std::uint8_t before;
    std::uint8_t after;
  };
  const Case cases[] = {
      {{"fete"}, 0, 0},
      {{"fete"}, 2, 2},  // no switch: the level stays
      {{"fete", "/debug1"}, 0, 1},
      {{"fete", "/debug2"}, 0, 2},
      {{"fete", "/DEBUG2"}, 0, 2},
      {{"fete", "/debug2", "/debug0"}, 1, 0},  // "/debug0" is looked for first
      {{"fete", "/debug0", "/debug2"}, 1, 0},
      {{"fete", "/debug2", "/debug1"}, 0, 1},
      {{"fete", "/debug3"}, 1, 1},
  };
  for (const Case& c : cases) {
    ::truncate(debugFile_.c_str(), 0);
    SetArguments(c.arguments);
    PvDebug debug{};
    debug.DEBUGGING = c.before;
    debug._SetDebugLevel();
    EXPECT_EQ(debug.DEBUGGING, c.after) << c.arguments.size();
    // The level is always written, even when it is 0.
    EXPECT_EQ(DebugText(), "PV [?] : PvDebug::SetDebugging = " + std::to_string(c.after) + "\r\n");
  }
}

TEST_F(Debug, LinesFromManyThreadsStayWhole) {
  constexpr int kThreads = 4, kLines = 200;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t] {
      PvDebug debug{};
      debug.DEBUGGING = 1;
      debug.CLASSINSTANCENUMBER = t + 1;
      for (int i = 0; i < kLines; ++i) debug.DbgMsg("line " + std::to_string(i) + " of many", 0, 0, 0, 1);
    });
  }
  for (std::thread& thread : threads) thread.join();
  const Lines lines = DebugLines();
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(kThreads * kLines));
  for (const std::string& line : lines) {
    EXPECT_TRUE(line.starts_with("PV [") && line.ends_with(" of many\r")) << line;
  }
}

}  // namespace
