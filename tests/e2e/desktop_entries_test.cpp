// The run script's desktop menu entries: one for each menu and book, starting the program in
// its own folder, with its icon installed.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "ProgramRunner.h"

namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> ReadEntry(const fs::path& file) {
  std::map<std::string, std::string> keys;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    const auto eq = line.find('=');
    if (eq != std::string::npos) keys[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return keys;
}

TEST(DesktopEntries, EveryMenuAndBookGetsAnEntryWithItsIcon) {
  const std::string suite = std::getenv("STORYLOOM_SUITE_DIR");
  const std::string source = std::getenv("STORYLOOM_SOURCE_DIR");
  const std::string data = e2e::MakeTempDir("desktop");
  const std::string pictures = fs::path(suite).parent_path().string() + "/assets/pictures";
  const std::string command = "XDG_DATA_HOME='" + data + "' bash -c 'source \"" + source +
                              "/scripts/desktop_entries.sh\" && install_desktop_entries \"" + suite + "\" \"" +
                              pictures + "\"' >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  for (const std::string program : {"atrium", "letters", "fete", "banners", "a", "b"}) {
    SCOPED_TRACE(program);
    const auto entry = ReadEntry(data + "/applications/storyloom-" + program + ".desktop");
    ASSERT_FALSE(entry.empty());
    EXPECT_EQ(entry.at("Type"), "Application");
    EXPECT_EQ(entry.at("Exec"), "\"" + suite + "/" + program + "\"");
    EXPECT_EQ(entry.at("Path"), suite);
    EXPECT_EQ(entry.at("Icon"), "storyloom-" + program);
    QImage icon(QString::fromStdString(data + "/icons/hicolor/256x256/apps/storyloom-" + program + ".png"));
    EXPECT_EQ(icon.size(), QSize(256, 256));
  }
  fs::remove_all(data);
}

}  // namespace
