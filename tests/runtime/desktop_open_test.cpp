// The desktop's default programs and the shell's "open": Exec lines as commands, splitting,
// the registered program of a private desktop, and the Windows numbers of each failure.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "runtime/os/DesktopDefaults.h"
#include "runtime/os/Process.h"
#include "runtime/os/Shell.h"

namespace {

namespace fs = std::filesystem;

TEST(ExecLines, FieldCodesBecomePercentOneOrVanish) {
  const std::pair<std::string, std::string> cases[] = {
      {"firefox-esr %u", "firefox-esr %1"},
      {"/usr/bin/thunderbird -compose %U", "/usr/bin/thunderbird -compose %1"},
      {"viewer %f --icon-name %i %c %k", "viewer %1 --icon-name"},
      {"calc 100%%", "calc 100%"},
      {"plain", "plain"},
      {"", ""},
  };
  for (const auto& [exec, command] : cases) EXPECT_EQ(wdrt::ExecLineAsCommand(exec), command) << exec;
}

TEST(ExecLines, CommandsSplitAtBlanksOutsideQuotes) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"a b  c", {"a", "b", "c"}},
      {"\"/opt/My App/run\" --x \"%1\"", {"/opt/My App/run", "--x", "%1"}},
      {"say \"a \\\"quoted\\\" word\"", {"say", "a \"quoted\" word"}},
      {"empty \"\" end", {"empty", "", "end"}},
      {"   ", {}},
  };
  for (const auto& [command, words] : cases) EXPECT_EQ(wdrt::SplitCommandLine(command), words) << command;
}

// A private desktop: its own data and configuration folders, with one browser registered.
class PrivateDesktop : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("storyloom-desktop-" + std::to_string(::getpid()));
    fs::remove_all(root_);
    for (const char* sub : {"data/applications", "config", "empty"}) fs::create_directories(root_ / sub);
    browser_ = (root_ / "browser.sh").string();
    std::ofstream(browser_) << "#!/bin/sh\nprintf '[%s]' \"$@\" >> '" << (root_ / "opened.txt").string() << "'\n";
    fs::permissions(browser_, fs::perms::owner_all);
    std::ofstream(root_ / "data/applications/test-browser.desktop")
        << "[Desktop Entry]\nName=B\nExec=" << browser_ << " --new %u\n[Desktop Action private]\nExec=/bin/false %u\n";
    std::ofstream(root_ / "config/mimeapps.list") << "[Default Applications]\nx-scheme-handler/https=test-browser.desktop\n";
    for (const auto& [name, value] : Settings()) {
      const char* old = std::getenv(name.c_str());
      saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
      ::setenv(name.c_str(), value.c_str(), 1);
    }
    ::unsetenv("WDRT_SHELL_OPEN");
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value) ::setenv(name.c_str(), value->c_str(), 1);
      else ::unsetenv(name.c_str());
    }
    fs::remove_all(root_);
  }
  std::vector<std::pair<std::string, std::string>> Settings() const {
    return {{"XDG_DATA_HOME", (root_ / "data").string()}, {"XDG_CONFIG_HOME", (root_ / "config").string()},
            {"XDG_DATA_DIRS", (root_ / "empty").string()}, {"XDG_CONFIG_DIRS", (root_ / "empty").string()},
            {"DISPLAY", ":97"}};
  }
  std::string Opened() {
    for (int i = 0; i < 3000; ++i) {
      std::ifstream in(root_ / "opened.txt");
      std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      if (!text.empty()) return text;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return {};
  }

  fs::path root_;
  std::string browser_;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(PrivateDesktop, TheRegisteredProgramsCommandComesFromItsDesktopEntry) {
  EXPECT_EQ(wdrt::DefaultApplication("x-scheme-handler/https"), "test-browser.desktop");
  EXPECT_EQ(wdrt::OpenCommand("x-scheme-handler/https"), browser_ + " --new %1");
  EXPECT_EQ(wdrt::OpenCommand("x-scheme-handler/mailto"), "");
  EXPECT_EQ(wdrt::OpenTargetType("HTTPS://x.example/"), "x-scheme-handler/https");
}

TEST_F(PrivateDesktop, OpeningAnAddressHandsItToTheRegisteredProgramAsOneArgument) {
  const std::string target = "https://x.example/a b;touch pwned $(touch pwned2) \"q'";
  EXPECT_EQ(wdrt::ShellExecuteA(0, "", target, "", "", 1), wdrt::ShellOpened);
  EXPECT_EQ(Opened(), "[--new][" + target + "]");
  EXPECT_FALSE(fs::exists("pwned"));
  EXPECT_FALSE(fs::exists("pwned2"));
}

TEST_F(PrivateDesktop, EachFailureHasItsWindowsNumber) {
  const fs::path unreadable = root_ / "secret.txt";
  std::ofstream(unreadable) << "x";
  const std::pair<std::string, long> cases[] = {
      {"", wdrt::ShellFileNotFound},
      {(root_ / "missing.htm").string(), wdrt::ShellFileNotFound},
      {(root_ / "no-folder/missing.htm").string(), wdrt::ShellPathNotFound},
      {"file://" + (root_ / "missing.htm").string(), wdrt::ShellFileNotFound},
      {"mailto:someone@x.example", wdrt::ShellNoAssociation},  // nothing registered for mailto
      {"zz-unknown:thing", wdrt::ShellNoAssociation},
      {(root_ / "browser.sh").string(), wdrt::ShellNoAssociation},  // no program for its type
  };
  for (const auto& [target, result] : cases) EXPECT_EQ(wdrt::ShellExecuteA(0, "", target, "", "", 1), result) << target;
  if (::geteuid() != 0) {  // root reads every file
    fs::permissions(unreadable, fs::perms::none);
    EXPECT_EQ(wdrt::ShellExecuteA(0, "", unreadable.string(), "", "", 1), wdrt::ShellAccessDenied);
  }
}

TEST(RunArguments, EachArgumentArrivesAsItIsAndBareNamesAreFoundInThePath) {
  const fs::path folder = fs::temp_directory_path() / ("storyloom-runargs-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path out = folder / "args.txt";
  std::ofstream(folder / "storyloom-echo-args") << "#!/bin/sh\nprintf '[%s]' \"$@\" > '" << out.string() << "'\n";
  fs::permissions(folder / "storyloom-echo-args", fs::perms::owner_all);
  const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  ::setenv("PATH", (folder.string() + ":" + oldPath).c_str(), 1);
  EXPECT_TRUE(wdrt::RunArguments({"storyloom-echo-args", "-x", "a b", "$(id)", "\"q\"", ""}, true));
  ::setenv("PATH", oldPath.c_str(), 1);
  std::ifstream in(out);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "[-x][a b][$(id)][\"q\"][]");
  EXPECT_FALSE(wdrt::RunArguments({"storyloom-no-such-program"}));
  EXPECT_FALSE(wdrt::RunArguments({}));
  fs::remove_all(folder);
}

}  // namespace
