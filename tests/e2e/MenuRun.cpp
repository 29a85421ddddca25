#include "MenuRun.h"

#include <QImage>
#include <filesystem>
#include <chrono>
#include <fstream>
#include <thread>

namespace e2e {
namespace {

namespace fs = std::filesystem;

void WriteScript(const std::string& path, const std::string& body) {
  std::ofstream(path) << "#!/bin/sh\n" << body;
  fs::permissions(path, fs::perms::owner_all);
}

// A script that appends its argument count and then each argument in brackets, in one write so
// that two programs started together never interleave their lines.
std::string Recorder(const std::string& file) {
  return "r=\"$#\"\nfor a in \"$@\"; do r=\"$r\n[$a]\"; done\nprintf '%s\\n' \"$r\" >> '" + file + "'\n";
}

}  // namespace

MenuDesktop MakeMenuDesktop(bool handlers, const std::vector<std::string>& books) {
  MenuDesktop d;
  d.root = MakeTempDir("menu");
  d.workDir = d.root + "/work";
  d.records = d.root + "/records";
  for (const char* sub : {"/work", "/records", "/config", "/data/applications", "/empty"})
    fs::create_directories(d.root + sub);
  WriteScript(d.root + "/browser.sh", Recorder(d.records + "/browser.txt"));
  WriteScript(d.root + "/mail.sh", Recorder(d.records + "/mail.txt"));
  std::ofstream(d.root + "/data/applications/testbrowser.desktop")
      << "[Desktop Entry]\nType=Application\nName=Test Browser\nExec=" << d.root << "/browser.sh %u\n";
  std::ofstream(d.root + "/data/applications/testmail.desktop")
      << "[Desktop Entry]\nType=Application\nName=Test Mail\nExec=" << d.root << "/mail.sh --compose %u\n";
  std::ofstream list(d.root + "/config/mimeapps.list");
  list << "[Default Applications]\n";
  if (handlers)
    list << "x-scheme-handler/http=testbrowser.desktop\nx-scheme-handler/https=testbrowser.desktop\n"
            "x-scheme-handler/mailto=testmail.desktop\n";
  // A stand-in book writes its process number, so that two starts are two processes.
  for (const std::string& book : books) WriteScript(d.workDir + "/" + book, "echo $$ >> '" + d.records + "/" + book + ".txt'\n");
  return d;
}

RunResult RunMenu(const MenuDesktop& desktop, const std::string& program, const std::string& script) {
  RunOptions options;
  options.program = std::string(std::getenv("STORYLOOM_SUITE_DIR")) + "/" + program;
  options.script = script;
  options.workDir = desktop.workDir;
  options.runDir = desktop.root;
  // The desktop's opener only looks for registered programs when it sees a display; the
  // offscreen platform never uses this one.
  options.environment = {"XDG_DATA_HOME=" + desktop.root + "/data", "XDG_DATA_DIRS=" + desktop.root + "/empty",
                         "XDG_CONFIG_DIRS=" + desktop.root + "/empty", "DISPLAY=:97"};
  return RunProgram(options);
}

std::vector<std::string> Recorded(const MenuDesktop& desktop, const std::string& file, std::size_t lines) {
  // The started programs run on after the menu has ended: wait for their lines, then read.
  std::vector<std::string> read;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  for (;;) {
    read.clear();
    std::ifstream in(desktop.records + "/" + file);
    for (std::string line; std::getline(in, line);) read.push_back(line);
    if (read.size() >= lines || std::chrono::steady_clock::now() > deadline) return read;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

int AlphaAt(const std::string& png, int x, int y) {
  QImage image(QString::fromStdString(png));
  if (image.isNull() || !image.valid(x, y)) return -1;
  return qAlpha(image.pixel(x, y));
}

int PictureWidth(const std::string& png) { return QImage(QString::fromStdString(png)).width(); }
int PictureHeight(const std::string& png) { return QImage(QString::fromStdString(png)).height(); }

}  // namespace e2e
