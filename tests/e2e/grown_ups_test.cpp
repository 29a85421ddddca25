// The grown-ups' window end to end: a name chosen there is written on the pages and said by the
// voice at once, kept for the next start, refused with a reason when it cannot be a name, and
// taken by a second book that is already running at its next page.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <chrono>
#include <thread>
#include <sstream>

#include "BookRun.h"

namespace {

namespace fs = std::filesystem;
using e2e::LinesWith;

const std::string kFrame = "Storyloom";
const std::string kWindow = "\"Grown-ups\"";
const std::string kPage = "\"Learning Words\"";
// Page 2 of the birthday book, opened by toolbar button "1", greets with the name (control 2)
// and says it in its narration; the first question (toolbar button 8, "?") asks about it.
const std::string kGreeting = "?PVHIDDENLOAD:6";

std::string OpenGrownUps() {
  return "wait-window " + kFrame + "\nmenu " + kFrame + " \"File\" \"Grown-ups...\"\nwait-window " + kWindow + "\n";
}

std::string SetName(const std::string& name, const std::string& sayItLike = "") {
  std::string script = OpenGrownUps() + "type " + kWindow + " ?CHILDNAME \"" + name + "\"\n";
  if (!sayItLike.empty()) script += "type " + kWindow + " ?SAYITLIKE \"" + sayItLike + "\"\n";
  return script + "press " + kWindow + " \"OK\"\nexpect \"name-sounds\"\n";
}

std::string OpenGreetingPage() { return "press " + kFrame + " \"1\"\nwait-window " + kPage + "\n"; }

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string VoiceFolder(const std::string& home, const std::string& name) {
  return home + "/.local/share/storyloom/voices/" + name + "/slt";
}

TEST(GrownUps, ANameSetThroughTheWindowIsWrittenSaidAndKept) {
  // One family's folders across three starts of the book.
  const std::string dir = e2e::MakeTempDir("grownups");
  const std::vector<std::string> family = {"HOME=" + dir, "XDG_CONFIG_HOME=" + dir + "/config"};
  e2e::RunResult run = e2e::RunBook(
      "fete", SetName("Mia") + OpenGreetingPage() + "expect-text " + kPage + " " + kGreeting + " \"Hi, my name is Mia.\"\n" +
                  // Its words light up as it plays, though it plays from the family's data folder.
                  "expect \"play Mp3\"\nexpect \"highlight .Learning Words. [0-9]+ [0-9]+\"\nclose " + kFrame + "\n",
      family);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(ReadFile(dir + "/config/storyloom/storyloom.INI").find("Name=Mia"), std::string::npos);
  // The narration of the page is the one spoken for Mia, from the family's data folder.
  const std::string folder = VoiceFolder(dir, "Mia");
  EXPECT_EQ(LinesWith(run.journal, "open mpegvideo!" + folder + "/szuli6K.wav").size(), 1u);
  EXPECT_TRUE(LinesWith(run.journal, "szuli6K.mp3 alias").empty());
  // Its read-along words say Mia where the shipped one says the built-in name.
  EXPECT_NE(ReadFile(folder + "/szuli6K.tsv").find("\tMia.\t"), std::string::npos);
  EXPECT_GT(fs::file_size(folder + "/WzuliK.wav"), 20000u);
  EXPECT_EQ(LinesWith(run.journal, "name-sound-made").size(), 7u);
  // OK to the greeting's narration starting: the figure of the note.
  const auto ok = LinesWith(run.journal, "press \"Grown-ups\" \"OK\"");
  const auto played = LinesWith(run.journal, "mci \"play Mp3\"");
  ASSERT_FALSE(ok.empty());
  ASSERT_FALSE(played.empty());
  std::printf("OK to the new name heard: %.0f ms\n", e2e::Stamp(played[0]) - e2e::Stamp(ok[0]));

  // A new start keeps the name and the sounds made for it.
  e2e::RunResult again = e2e::RunBook(
      "fete", "wait-window " + kFrame + "\n" + OpenGreetingPage() + "expect-text " + kPage + " " + kGreeting +
                  " \"Hi, my name is Mia.\"\nexpect \"play Mp3\"\nclose " + kFrame + "\n",
      family);
  ASSERT_EQ(again.exitCode, 0) << again.output;
  EXPECT_EQ(LinesWith(again.journal, "open mpegvideo!" + folder + "/szuli6K.wav").size(), 1u);
  EXPECT_TRUE(LinesWith(again.journal, "name-sound-made").empty());

  // The built-in name again plays the shipped sounds.
  e2e::RunResult back = e2e::RunBook(
      "fete", SetName("Zuli") + OpenGreetingPage() + "expect-text " + kPage + " " + kGreeting +
                  " \"Hi, my name is Zuli.\"\nexpect \"play Mp3\"\nclose " + kFrame + "\n",
      family);
  ASSERT_EQ(back.exitCode, 0) << back.output;
  EXPECT_EQ(LinesWith(back.journal, "open mpegvideo!szuli6K.mp3 alias Mp3").size(), 1u);
}

TEST(GrownUps, NamesOfAnyAlphabetAreTakenAndSaidAsSpelt) {
  const std::string dir = e2e::MakeTempDir("grownups");
  const std::string thirty = "Anne-Marie O'Neil Zoë Joséphas";  // 30 characters, 32 bytes
  e2e::RunResult run = e2e::RunBook(
      "fete", SetName("Zoë", "Zoh-ee") + OpenGreetingPage() + "expect-text " + kPage + " " + kGreeting +
                  " \"Hi, my name is Zoë.\"\nexpect \"play Mp3\"\n" + SetName(thirty) +
                  "close " + kFrame + "\n",
      {}, dir);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const std::string ini = e2e::ConfigFile(run, "storyloom.INI");
  EXPECT_NE(ini.find("Name=" + thirty), std::string::npos) << ini;
  EXPECT_NE(ini.find("SayItLike=Zoh-ee"), std::string::npos) << ini;
  EXPECT_EQ(LinesWith(run.journal, "open mpegvideo!" + VoiceFolder(dir, "Zoë") + "/szuli6K.wav").size(), 1u);
  EXPECT_EQ(ReadFile(VoiceFolder(dir, "Zoë") + "/spoken.txt"), "Zoh-ee");
  EXPECT_TRUE(fs::exists(VoiceFolder(dir, thirty) + "/WHowOldK.wav"));
  EXPECT_TRUE(LinesWith(run.journal, " message ").empty());
}

TEST(GrownUps, WhatCannotBeANameIsRefusedWithItsReasonAndNothingIsKept) {
  struct Case {
    std::string typed;
    std::string why;
  };
  const std::vector<Case> cases = {
      {"", "cannot be empty"},
      {"   ", "cannot be empty"},
      {"Abcdefghijklmnopqrstuvwxyzabcde", "at most 30 characters long; this one has 31"},
      {"-'-", "at least one letter"},
      {"R2D2", "only letters, blanks, hyphens"},
      {"Mia/../x", "only letters, blanks, hyphens"},
  };
  std::string script = OpenGrownUps();
  for (const Case& c : cases)
    script += "type " + kWindow + " ?CHILDNAME \"" + c.typed + "\"\npress " + kWindow + " \"OK\"\nanswer Ok\n";
  script += "press " + kWindow + " \"Cancel\"\nexpect \"grown-ups cancelled\"\nclose " + kFrame + "\n";
  e2e::RunResult run = e2e::RunBook("fete", script);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const auto messages = LinesWith(run.journal, " message \"Grown-ups\"");
  ASSERT_EQ(messages.size(), cases.size());
  for (std::size_t i = 0; i < cases.size(); ++i)
    EXPECT_NE(messages[i].find(cases[i].why), std::string::npos) << cases[i].typed << ": " << messages[i];
  EXPECT_EQ(e2e::ConfigFile(run, "storyloom.INI").find("[Child]"), std::string::npos);
  EXPECT_FALSE(fs::exists(run.dir + "/.local/share/storyloom/voices"));
}

TEST(GrownUps, ABookAlreadyRunningTakesTheNewNameAtItsNextPage) {
  const std::string home = e2e::MakeTempDir("grownups-home");
  const std::string go = home + "/go";
  const std::string firstDir = e2e::MakeTempDir("grownups-first");
  const std::vector<std::string> shared = {"HOME=" + home, "XDG_CONFIG_HOME=" + home + "/config"};
  // The first book shows the greeting with the built-in name, then waits for the other book.
  auto first = std::async(std::launch::async, [&] {
    return e2e::RunBook("fete", "wait-window " + kFrame + "\n" + OpenGreetingPage() + "expect-text " + kPage + " " +
                                    kGreeting + " \"Hi, my name is Zuli.\"\nwait-file \"" + go + "\"\n" +
                                    "press " + kFrame + " -19\nwait-window " + kPage + " 2\n" +
                                    "expect-text " + kPage + " #2 ?PVHIDDENLOAD:2 \"How  old  is  Mia  going  to  be?\"\n" +
                                    // The page's narration opens once its text is shown: wait for it.
                                    "expect \"open mpegvideo!.*/voices/Mia/slt/WHowOldK[.]wav\"\n"
                                    "close " + kFrame + "\n",
                        shared, firstDir);
  });
  // The other book changes the name once the first shows its page.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(180);
  while (ReadFile(firstDir + "/journal.txt").find(" wait-file ") == std::string::npos &&
         std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  e2e::RunResult second = e2e::RunBook("banners", SetName("Mia") + "close " + kFrame + "\n", shared);
  ASSERT_EQ(second.exitCode, 0) << second.output;
  std::ofstream(go) << "go";
  e2e::RunResult run = first.get();
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_FALSE(LinesWith(run.journal, "open mpegvideo!" + VoiceFolder(home, "Mia") + "/WHowOldK.wav").empty())
      << run.dir;
}

TEST(GrownUps, InKioskModeTheWindowIsBehindTheSumAndTheCoverNamesTheChild) {
  const std::string dir = e2e::MakeTempDir("grownups");
  const std::vector<std::string> family = {"HOME=" + dir, "XDG_CONFIG_HOME=" + dir + "/config",
                                           "STORYLOOM_EXIT_SUM=7+5"};
  const std::string sum = "hold " + kFrame + " Ctrl+Alt+G 2300\nwait-window \"For grown-ups\"\n";
  const std::string answer = [](const std::string& a) {
    return "type \"For grown-ups\" ?ANSWER \"" + a + "\"\npress \"For grown-ups\" ?OK\n";
  }("11") + "expect \"grown-ups-sum wrong\"\nanswer Ok\n" + sum + "type \"For grown-ups\" ?ANSWER \"12\"\npress \"For grown-ups\" ?OK\n";
  e2e::RunOptions options;
  options.program = e2e::SuiteProgram("fete");
  options.arguments = {"--kiosk"};
  options.workDir = STORYLOOM_SUITE_DIR;
  options.environment = family;
  options.script = "wait-window " + kFrame + "\n" + sum + answer + "wait-window " + kWindow + "\n" +
                   "type " + kWindow + " ?CHILDNAME \"Mia\"\npress " + kWindow + " \"OK\"\nexpect \"name-sounds\"\n" +
                   "hold " + kFrame + " Ctrl+Alt+Q 2300\nwait-window \"For grown-ups\"\n"
                   "type \"For grown-ups\" ?ANSWER \"12\"\npress \"For grown-ups\" ?OK\n";
  e2e::RunResult run = e2e::RunProgram(options);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  // The wrong sum opened nothing; the right one the window.
  EXPECT_EQ(LinesWith(run.journal, " grown-ups-sum wrong").size(), 1u);
  const auto right = LinesWith(run.journal, "grown-ups-sum right");
  std::vector<std::string> opened;
  for (const std::string& line : LinesWith(run.journal, " open-window "))
    if (line.find(" \"Grown-ups\"") != std::string::npos) opened.push_back(line);
  ASSERT_EQ(right.size(), 1u);
  ASSERT_EQ(opened.size(), 1u) << "open-window of the grown-ups' window";
  EXPECT_GT(e2e::Stamp(opened[0]), e2e::Stamp(right[0]));
  EXPECT_EQ(LinesWith(run.journal, "grown-ups saved \"Mia\"").size(), 1u);

  // The next start shows Mia on the cover: the picture without a name, with Mia's written over it.
  const std::string shot = dir + "/cover.png";
  e2e::RunResult next = e2e::RunBook("fete", "wait-window " + kFrame + "\nscreenshot " + shot + " " + kFrame +
                                                 "\nclose " + kFrame + "\n", family);
  ASSERT_EQ(next.exitCode, 0) << next.output;
  const std::string cover = dir + "/.local/share/storyloom/covers/Mia/fetemain.jpg";
  EXPECT_EQ(LinesWith(next.journal, "cover-made \"" + cover + "\"").size(), 1u);
  EXPECT_GT(fs::file_size(cover), 50000u);
  EXPECT_TRUE(fs::exists(shot));
}

TEST(GrownUps, TheChildrenToPrintForAreAddedRenamedAndRemovedInTheList) {
  const std::string work = e2e::MakeTempDir("grownups-work");
  e2e::RunOptions options;
  options.program = e2e::SuiteProgram("fete");
  options.workDir = work;  // the children's list is the books' folder's kidlt.tps
  const std::string w = kWindow;
  // Each change is waited for, as a grown-up sees the list change before choosing again.
  const auto add = [&w](const std::string& name) {
    return "type " + w + " ?KIDNAME \"" + name + "\"\npress " + w + " \"Add\"\n";
  };
  options.script = OpenGrownUps() + add("Ann") + "expect \"grown-ups add\"\n" + add("Ben") +
                   "expect \"grown-ups add\"\n" + add("Ben") + "answer Ok\n" +  // already there
                   add("R2D2") + "answer Ok\n" + "type " + w + " ?CHILDREN \"Ann\"\ntype " + w +
                   " ?KIDNAME \"Anna\"\npress " + w + " \"Rename\"\nexpect \"grown-ups rename\"\n" +
                   "type " + w + " ?CHILDREN \"Ben\"\npress " + w + " \"Remove\"\n" +
                   "expect \"grown-ups remove\"\npress " + w + " \"Cancel\"\nclose " + kFrame + "\n";
  e2e::RunResult run = e2e::RunProgram(options);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const auto messages = LinesWith(run.journal, " message \"Grown-ups\"");
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_NE(messages[0].find("already in the list"), std::string::npos) << messages[0];
  EXPECT_NE(messages[1].find("only letters"), std::string::npos) << messages[1];
  EXPECT_EQ(LinesWith(run.journal, "grown-ups rename \"Ann\" \"Anna\" -> 0").size(), 1u);
  EXPECT_EQ(LinesWith(run.journal, "grown-ups remove \"Ben\" -> 0").size(), 1u);
  // The list as the print run and the kidlt tool read it; Cancel left the file as it was changed.
  const std::string listed = work + "/listed.txt";
  const std::string command = "cd '" + work + "' && '" + e2e::SuiteProgram("kidlt") + "' list > '" + listed + "' 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(ReadFile(listed), "Anna\n");
}

TEST(GrownUps, TheMenusOpenTheWindowTooAndKeepTheSuitesSettings) {
  const std::string dir = e2e::MakeTempDir("grownups");
  e2e::RunOptions options;
  options.program = e2e::SuiteProgram("letters");
  options.workDir = STORYLOOM_SUITE_DIR;
  options.environment = {"HOME=" + dir, "XDG_CONFIG_HOME=" + dir + "/config"};
  const std::string menu = "\"                     Alphabet books\"";
  options.script = "wait-window " + menu + "\nmenu " + menu + " \"File\" \"Grown-ups...\"\nwait-window " + kWindow +
                   "\ntype " + kWindow + " ?CHILDNAME \"Mia\"\ntype " + kWindow + " ?PAPER \"A4\"\npress " + kWindow +
                   " \"OK\"\nexpect \"name-sounds\"\npress " + menu + " 38\n";
  e2e::RunResult run = e2e::RunProgram(options);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const std::string ini = ReadFile(dir + "/config/storyloom/storyloom.INI");
  EXPECT_NE(ini.find("Name=Mia"), std::string::npos) << ini;
  EXPECT_NE(ini.find("Paper=A4"), std::string::npos) << ini;
}

}  // namespace
