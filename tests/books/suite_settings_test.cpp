// The suite's settings file and a book's own: which wins, and the paper a booklet is made on.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "ChildName.h"
#include "family/Child.h"
#include "family/SuiteSettings.h"
#include "runtime/report/LocalePaper.h"
#include "runtime/report/PrinterSettings.h"
#include "tests/books/KidltTestSupport.h"

namespace {

namespace fs = std::filesystem;

class SuiteSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    saved_ = old ? std::optional<std::string>(old) : std::nullopt;
    folder_ = fs::temp_directory_path() / ("storyloom-settings-" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_ / "storyloom");
    ::setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
  }
  void TearDown() override {
    if (saved_) ::setenv("XDG_CONFIG_HOME", saved_->c_str(), 1); else ::unsetenv("XDG_CONFIG_HOME");
    fs::remove_all(folder_);
  }
  void Write(const std::string& file, const std::string& text) { std::ofstream(folder_ / "storyloom" / file) << text; }

  fs::path folder_;
  std::optional<std::string> saved_;
};

TEST_F(SuiteSettings, TheBooksOwnFileWinsOverTheSuitesWhereItSetsTheKey) {
  EXPECT_EQ(book::SuiteSetting("Print", "Paper", "Automatic", "fete.INI"), "Automatic");
  Write("storyloom.INI", "[Print]\r\nPaper=A4\r\n[Sound]\r\nMute=1\r\n");
  EXPECT_EQ(book::SuiteSetting("Print", "Paper", "Automatic", "fete.INI"), "A4");
  Write("fete.INI", "[Print]\r\nPaper=Letter\r\n");
  EXPECT_EQ(book::SuiteSetting("Print", "Paper", "Automatic", "fete.INI"), "Letter");
  EXPECT_EQ(book::SuiteSetting("Print", "Paper", "Automatic", "banners.INI"), "A4") << "another book keeps the suite's";
  EXPECT_EQ(book::SuiteSetting("Sound", "Mute", "0", "fete.INI"), "1") << "keys the book does not set";
}

TEST_F(SuiteSettings, TheBookletsPaperIsTheChosenOneElseThePrintersOrTheLocales) {
  Write("storyloom.INI", "[Print]\r\nPaper=a4\r\n");
  EXPECT_EQ(book::BookletPaper(false, "fete.INI"), 9);
  EXPECT_EQ(book::BookletPaper(true, "fete.INI"), 9);
  Write("storyloom.INI", "[Print]\r\nPaper=Letter\r\n");
  EXPECT_EQ(book::BookletPaper(true, "fete.INI"), 1);
  // Automatic: a PDF takes the locale's paper; printing the printer's.
  Write("storyloom.INI", "[Print]\r\nPaper=Automatic\r\n");
  const int locale = wdrt::report::LocalePaperCode();
  EXPECT_TRUE(locale == 1 || locale == 9) << locale;
  EXPECT_EQ(book::BookletPaper(true, "fete.INI"), locale);
  // No printer at all (a server where nothing listens): the locale's paper too.
  const char* server = std::getenv("CUPS_SERVER");
  const std::optional<std::string> savedServer = server ? std::optional<std::string>(server) : std::nullopt;
  ::setenv("CUPS_SERVER", "127.0.0.1:9", 1);
  wdrt::report::ResetPrinterForTest();
  EXPECT_EQ(book::BookletPaper(false, "fete.INI"), locale);
  if (savedServer) ::setenv("CUPS_SERVER", savedServer->c_str(), 1); else ::unsetenv("CUPS_SERVER");
  wdrt::report::ResetPrinterForTest();
}

TEST_F(SuiteSettings, TheChildsNameAndSoundComeFromTheSettingsAndSpoiltValuesArePassedOver) {
  EXPECT_EQ(book::ChildName("fete.INI"), kChildName);
  EXPECT_EQ(book::SpokenChildName("fete.INI"), kChildName);
  Write("storyloom.INI",
        "[Child]\r\nName=  Zoë \r\nSayItLike=Zoh-ee\r\n[Sound]\r\nNarrationVolume=55\r\nEffectsVolume=250\r\n");
  EXPECT_EQ(book::ChildName("fete.INI"), "Zoë");
  EXPECT_EQ(book::SpokenChildName("fete.INI"), "Zoh-ee");
  book::SoundChoices sound = book::CurrentSoundChoices("fete.INI");
  EXPECT_EQ(sound.narrationVolume, 55);
  EXPECT_EQ(sound.effectsVolume, 100) << "clamped";
  EXPECT_FALSE(sound.mute);
  // A name spoilt by hand is not shown on the pages: the built-in one is.
  Write("storyloom.INI", "[Child]\r\nName=R2D2\r\n[Sound]\r\nNarrationVolume=loud\r\nMute=1\r\n");
  EXPECT_EQ(book::ChildName("fete.INI"), kChildName);
  EXPECT_EQ(book::SpokenChildName("fete.INI"), kChildName);
  sound = book::CurrentSoundChoices("fete.INI");
  EXPECT_EQ(sound.narrationVolume, 100);
  EXPECT_TRUE(sound.mute);
}

TEST(ChildNames, LettersOfAnyLanguageWithBlanksHyphensAndApostrophesAreNames) {
  for (const char* name : {"Mia", "Zoë", "José", "Anne-Marie", "O'Neil", "O\u2019Neil", "Mary Jane",
                           "Σοφία", "Ярослава", "Abcdefghijklmnopqrstuvwxyzabcd"})
    EXPECT_EQ(book::ChildNameProblem(name), "") << name;
}

TEST(ChildNames, WhatIsNotANameIsRefusedWithItsReason) {
  const struct {
    std::string name;
    std::string why;
  } cases[] = {
      {"", "cannot be empty"},
      {"Abcdefghijklmnopqrstuvwxyzabcde", "at most 30 characters long; this one has 31"},
      {"Zoëzoëzoëzoëzoëzoëzoëzoëzoëzoëz", "this one has 31"},
      {"Mia\nRose", "control characters"},
      {std::string("Mia\x01"), "control characters"},
      {"Mi\u202Ea", "control characters"},  // shown reversed after the override
      {"-'-", "at least one letter"},
      {"R2D2", "only letters"},
      {"../../etc", "only letters"},
      {"Mia.", "only letters"},
      {"\xC3(", "not text"},
      {"Σοφία Яна", "cannot be printed together"},
  };
  for (const auto& c : cases) {
    const std::string problem = book::ChildNameProblem(c.name);
    EXPECT_NE(problem.find(c.why), std::string::npos) << "\"" << c.name << "\" gave: " << problem;
  }
  EXPECT_EQ(book::TrimmedName("  Mia \t"), "Mia");
  EXPECT_EQ(book::TrimmedName("Zoe\u0308"), "Zoë") << "a letter and its accent become one letter";
  EXPECT_EQ(book::WithChildName("{child} and {child}'s", "Mia"), "Mia and Mia's");
  EXPECT_EQ(book::WithChildName("{child}", "{child}"), "{child}") << "a name is put in once";
}

}  // namespace
