// The birthday book end to end: read from the toolbar to the last page and round again, the
// sounds each page plays, the frame's clean end, the drag setting, and what it looks like.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "BookRun.h"

namespace {

using e2e::LinesWith;

const std::vector<std::string> kStory = {"fete", "party",  "decorate", "friends", "games", "sing",
                                         "fun",  "quest1", "quest2",   "quest3",  "fete"};
const std::map<std::string, std::string> kNarration = {
    {"fete", "szuli6K.mp3"},   {"party", "spark2K.mp3"},   {"decorate", "scakeK.mp3"}, {"friends", "sFriendK.mp3"},
    {"games", "sPartyK.mp3"},  {"sing", "sicecrmK.mp3"},   {"fun", "sfunK.mp3"},       {"quest1", "WHowoldK.mp3"},
    {"quest2", "WWhereK.mp3"}, {"quest3", "WWhatK.mp3"}};

void KeepScreenshot(const std::string& file) {
  ASSERT_TRUE(std::filesystem::exists(file)) << file;
  const std::string kept = std::string(STORYLOOM_BINARY_DIR) + "/screenshots/" + std::filesystem::path(file).filename().string();
  std::filesystem::create_directories(std::filesystem::path(kept).parent_path());
  std::filesystem::copy_file(file, kept, std::filesystem::copy_options::overwrite_existing);
}

TEST(FeteBook, NextTenTimesReadsTheStoryAndEachPageSpeaks) {
  const std::string script = "wait-window \"Storyloom\"\n"
                             "press \"Storyloom\" \"1\"\n"
                             "wait-window \"Learning Words\" 1\n" +
                             e2e::NextTimes(10, 1) +
                             "expect \"open mpegvideo!szuli6K.mp3\"\n"
                             "close \"Storyloom\"\n";
  e2e::RunResult run = e2e::RunBook("fete", script);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(e2e::OpenedPages(run.journal), kStory);

  // After each page opens, its narration plays: stop, close, open of its file (0), play.
  std::vector<std::string> pageOpens = LinesWith(run.journal, "open-window");
  for (std::size_t i = 0; i < run.journal.size(); ++i) {
    const std::string body = e2e::Body(run.journal[i]);
    if (body.find("\"Learning Words\"") == std::string::npos || body.rfind("open-window", 0) != 0) continue;
    const std::string procedure = body.substr(body.rfind(' ') + 1);
    std::vector<std::string> sounds;
    for (std::size_t j = i + 1; j < run.journal.size() && sounds.size() < 4; ++j) {
      const std::string next = e2e::Body(run.journal[j]);
      if (next.rfind("mci ", 0) == 0) sounds.push_back(next.substr(4));
    }
    ASSERT_EQ(sounds.size(), 4u) << procedure;
    EXPECT_EQ(sounds[0].substr(0, 10), "\"stop Mp3\"") << procedure;
    EXPECT_EQ(sounds[1].substr(0, 11), "\"close Mp3\"") << procedure;
    EXPECT_EQ(sounds[2], "\"open mpegvideo!" + kNarration.at(procedure) + " alias Mp3\" -> 0") << procedure;
    EXPECT_EQ(sounds[3], "\"play Mp3\" -> 0") << procedure;
  }

  // The frame's close ends every page first; the media library is released after that.
  const auto closes = LinesWith(run.journal, "close-window");
  const auto dispose = LinesWith(run.journal, " pvdispose");
  ASSERT_EQ(dispose.size(), 1u);
  EXPECT_EQ(LinesWith(closes, "\"Learning Words\"").size(), 11u);
  for (const auto& close : closes) EXPECT_LT(e2e::Stamp(close), e2e::Stamp(dispose[0])) << close;
  const std::string ini = e2e::ConfigFile(run, "fete.INI");
  EXPECT_NE(ini.find("[__Dont_Touch_Me__]"), std::string::npos) << ini;
  EXPECT_NE(ini.find("Sectors=0"), std::string::npos) << ini;
}

TEST(FeteBook, SoundControlsStopPlayAndAnswer) {
  const std::string script =
      "press \"Storyloom\" \"1\"\n"
      "wait-window \"Learning Words\" 1\n"
      "expect \"play Mp3\"\n"
      "press top ?PVHIDDENLOAD:2\n"  // the sentence
      "press top ?PVHIDDENLOAD\n"    // the word, at once
      "expect \"open mpegvideo!shikingW.mp3 alias Mp3\\\" -> 0\"\n"
      "press top ?PVHIDDENLOAD:5\n"  // the media play mark: stops, plays nothing
      "expect \"open mpegvideo! alias Mp3\\\" -> [1-9]\"\n"
      "press \"Storyloom\" \"1\"\n"   // the same page again: a second window
      "wait-window \"Learning Words\" 2\n"
      "press \"Storyloom\" -19\n"    // quest1
      "wait-window \"Learning Words\" 3\n"
      "expect \"open mpegvideo!WHowoldK.mp3\"\n"
      "press top \"6\"\n"
      "expect \"open mpegvideo!WYes6K.mp3 alias Mp3\\\" -> 0\"\n"
      "press top \"12\"\n"
      "expect \"open mpegvideo!WNo12K.mp3 alias Mp3\\\" -> 0\"\n"
      "close \"Storyloom\"\n";
  e2e::RunResult run = e2e::RunBook("fete", script);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const auto mci = e2e::MciCommands(run.journal);
  // The word's press stopped the sentence's sound: its stop succeeded on an open device.
  auto word = std::find(mci.begin(), mci.end(), "\"open mpegvideo!shikingW.mp3 alias Mp3\" -> 0");
  ASSERT_NE(word, mci.end());
  ASSERT_GE(word - mci.begin(), 2);
  EXPECT_EQ(*(word - 2), "\"stop Mp3\" -> 0");
  EXPECT_EQ(*(word - 1), "\"close Mp3\" -> 0");
  EXPECT_NE(std::find(mci.begin(), mci.end(), "\"open mpegvideo!WsixK.mp3 alias Mp3\" -> 0"), mci.end());
  // Each answer showed its reply once (a ring for the right one, a shake for a wrong one), soon
  // after its press and before the next press.
  const auto rings = LinesWith(run.journal, " answer-reply 5 ring");
  const auto shakes = LinesWith(run.journal, " answer-reply 4 shake");
  ASSERT_EQ(rings.size(), 1u);
  ASSERT_EQ(shakes.size(), 1u);
  const double pressedRight = e2e::Stamp(LinesWith(run.journal, "press top \"6\"")[0]);
  const double pressedWrong = e2e::Stamp(LinesWith(run.journal, "press top \"12\"")[0]);
  EXPECT_LT(e2e::Stamp(rings[0]), pressedWrong);
  // A loose bound: a reply shown a second late would be a fault, not the machine's load.
  EXPECT_LT(e2e::Stamp(rings[0]) - pressedRight, 1000);
  EXPECT_LT(e2e::Stamp(shakes[0]) - pressedWrong, 1000);
  // Two windows of the first page, each on a thread of its own.
  const auto firstPages = LinesWith(run.journal, "\"Learning Words\" fete");
  ASSERT_EQ(firstPages.size(), 2u);
  EXPECT_NE(e2e::ThreadOf(firstPages[0]), e2e::ThreadOf(firstPages[1]));
}

TEST(FeteBook, FullWindowDraggingIsOffWhileTheBookRunsAndRestoredAfter) {
  for (const char* before : {"1", "0"}) {
    const std::string dir = e2e::MakeTempDir("drag");
    std::filesystem::create_directories(dir + "/config/storyloom");
    std::ofstream(dir + "/config/storyloom/desktop.INI") << "[Desktop]\nDragFullWindows=" << before << "\n";
    e2e::RunResult run = e2e::RunBook("fete",
                                      "wait-window \"Storyloom\"\n"
                                      "expect \"open-window .*Storyloom\"\n"
                                      "close \"Storyloom\"\n",
                                      {}, dir);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const auto sets = LinesWith(run.journal, "sysparam set 37");
    if (std::string(before) == "1") {
      ASSERT_EQ(sets.size(), 2u);
      EXPECT_NE(sets[0].find("set 37 0"), std::string::npos);
      EXPECT_NE(sets[1].find("set 37 1"), std::string::npos);
      const auto frame = LinesWith(run.journal, "open-window 1 \"Storyloom\"");
      ASSERT_EQ(frame.size(), 1u);
      EXPECT_LT(e2e::Stamp(sets[0]), e2e::Stamp(frame[0]));
    } else {
      EXPECT_TRUE(sets.empty());
    }
    EXPECT_NE(e2e::ConfigFile(run, "desktop.INI").find(std::string("DragFullWindows=") + before), std::string::npos);
  }
}

TEST(FeteBook, Screenshots) {
  const std::string dir = e2e::MakeTempDir("fete-shots");
  const std::string script =
      "wait-window \"Storyloom\"\n"
      "screenshot " + dir + "/fete-frame.png\n"
      "press \"Storyloom\" \"1\"\n"
      "wait-window \"Learning Words\" 1\n"
      "screenshot " + dir + "/fete-page1.png \"Learning Words\"#1\n"
      "resize \"Learning Words\"#1 634 416\n"
      "sleep 300\n"
      "screenshot " + dir + "/fete-page1-twice.png \"Learning Words\"#1\n"
      "resize \"Learning Words\"#1 317 208\n"
      "press \"Storyloom\" -16\n"
      "wait-window \"Learning Words\" 2\n"
      "screenshot " + dir + "/fete-quest2.png \"Learning Words\"#2\n"
      "press \"Storyloom\" -11\n"
      "press \"Storyloom\" -15\n"
      "wait-window \"Learning Words\" 4\n"
      "press \"Storyloom\" \"T&ile\"\n"
      "sleep 300\n"
      "screenshot " + dir + "/fete-tiled.png\n"
      "close \"Storyloom\"\n";
  e2e::RunResult run = e2e::RunBook("fete", script);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  for (const char* name : {"fete-frame.png", "fete-page1.png", "fete-page1-twice.png", "fete-quest2.png", "fete-tiled.png"})
    KeepScreenshot(dir + "/" + name);
  // A page resized to twice its size: the controls followed (the resizer moved them).
  const auto moved = LinesWith(run.journal, "event");
  QImage small(QString::fromStdString(dir + "/fete-page1.png"));
  QImage large(QString::fromStdString(dir + "/fete-page1-twice.png"));
  EXPECT_GT(large.width(), small.width() * 3 / 2);
}

}  // namespace
