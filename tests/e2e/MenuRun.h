// Runs a menu program (or the link demo) end to end: a private desktop whose default browser
// and mail program are small scripts that write down their arguments, and a working folder
// with stand-in book programs that write down that they started.
#pragma once

#include <string>
#include <vector>

#include "ProgramRunner.h"

namespace e2e {

struct MenuDesktop {
  std::string root;      // the private folder of the run (journal, config/, data/ …)
  std::string workDir;   // the menu's current folder with the stand-in books
  std::string records;   // folder where the scripts write
};

// `handlers`: register the test browser (http, https) and mail program (mailto).
// `books`: stand-in programs created in the working folder (e.g. "fete", "a").
MenuDesktop MakeMenuDesktop(bool handlers, const std::vector<std::string>& books);

RunResult RunMenu(const MenuDesktop& desktop, const std::string& program, const std::string& script);

// The lines a script wrote ("browser.txt", "mail.txt", "fete.txt"), once it has written at least
// `lines` of them (the programs the menu started may still be running), or what is there after 30 s.
std::vector<std::string> Recorded(const MenuDesktop& desktop, const std::string& file, std::size_t lines);

// Reads the alpha (0–255) of a pixel of a PNG screenshot; -1 when it cannot be read.
int AlphaAt(const std::string& png, int x, int y);
int PictureWidth(const std::string& png);
int PictureHeight(const std::string& png);

}  // namespace e2e
