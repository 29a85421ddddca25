#include "runtime/dialogs/HelpBook.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <regex>
#include <sstream>

#include "runtime/core/Journal.h"
#include "runtime/core/Runtime.h"
#include "runtime/core/Threads.h"

namespace wdrt {
namespace {

namespace fs = std::filesystem;

struct HelpPage {
  const char* file;
  const char* button;
};
constexpr HelpPage kPages[] = {
    {"index.html", "Contents"},
    {"getting-started.html", "Getting started"},
    {"reading.html", "Reading with a child"},
    {"read-along.html", "Read-along"},
    {"your-child.html", "Your child's book"},
    {"printing.html", "Printing the booklet"},
    {"pdf.html", "PDF files"},
    {"kiosk.html", "Kiosk mode"},
    {"storage.html", "What is stored"},
    {"help.html", "How to use help"},
};
constexpr int kPageCount = static_cast<int>(std::size(kPages));

// Controls, in definition order.
constexpr int kFindPrompt = 1;
constexpr int kSearchFor = 2;
constexpr int kSearch = 3;
constexpr int kFirstPageButton = 4;
constexpr int kPageView = kFirstPageButton + kPageCount;
constexpr int kSideWidth = 96;  // dialog units of the column of page buttons

std::mutex helpMutex;
std::weak_ptr<Window> helpWindow;
bool helpStarting = false;  // a help window is on its way; a second is not started

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string ReadFile(const fs::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The words a page shows: its text without tags, with the few entities the pages use.
std::string PageText(const std::string& html) {
  std::string text = std::regex_replace(html, std::regex("<[^>]*>"), " ");
  for (const auto& [entity, character] : {std::pair{"&gt;", ">"}, {"&lt;", "<"}, {"&amp;", "&"}}) {
    for (std::size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1))
      text.replace(at, std::string(entity).size(), character);
  }
  return text;
}

std::string PageTitle(const std::string& html, const std::string& fallback) {
  std::smatch match;
  return std::regex_search(html, match, std::regex("<title>([^<]*)</title>")) ? match[1].str() : fallback;
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '<' ? "&lt;" : c == '>' ? "&gt;" : c == '&' ? "&amp;" : std::string(1, c);
  return out;
}

WindowDef HelpWindowDef() {
  WindowDef def;
  def.kind = WindowKind::Window;
  def.module = "storyloomhelp";
  def.title = "Storyloom Help";
  def.size = {0, 0, 380, 240};
  def.font = {"MS Sans Serif", 8, false, kColorNone};
  def.icon = "storyloom.png";
  ControlDef prompt;
  prompt.type = TypePrompt;
  prompt.text = "Find:";
  prompt.pos = {6, 7, 24, 10};
  ControlDef field;
  field.type = TypeEntry;
  field.use = "?SEARCHFOR";
  field.pos = {32, 5, 240, 13};
  ControlDef search;
  search.type = TypeButton;
  search.use = "?SEARCH";
  search.text = "Search";
  search.pos = {278, 4, 56, 15};
  def.controls = {prompt, field, search};
  for (int i = 0; i < kPageCount; ++i) {
    ControlDef button;
    button.type = TypeButton;
    button.text = kPages[i].button;
    button.pos = {4, 24 + i * 21, kSideWidth - 8, 18};
    def.controls.push_back(button);
  }
  ControlDef view;
  view.type = TypeRichText;
  view.use = "?PAGE";
  view.pos = {kSideWidth, 24, 380 - kSideWidth - 4, 212};
  def.controls.push_back(view);
  return def;
}

// Shows a page of the book (a file name of kPages) in the window's page view.
void ShowPage(const WindowPtr& window, const std::string& folder, const std::string& page) {
  const bool known = std::any_of(std::begin(kPages), std::end(kPages), [&](const HelpPage& p) { return page == p.file; });
  const std::string shown = known ? page : "index.html";
  SetValue(window, kPageView, (fs::path(folder) / shown).string());
  JournalLine("help-page " + JournalQuote(shown));
}

void ShowResults(const WindowPtr& window, const std::string& folder, const std::string& words) {
  const std::vector<std::string> found = SearchHelpBook(folder, words);
  std::string html = "<html><body><h1>Search</h1>";
  if (found.empty()) {
    html += "<p>No page holds \"" + Escaped(words) + "\". Try fewer or other words.</p>";
  } else {
    html += "<p>These pages hold \"" + Escaped(words) + "\":</p><ul>";
    for (const std::string& page : found) {
      const fs::path file = fs::path(folder) / page;
      html += "<li><a href=\"file://" + file.string() + "\">" + Escaped(PageTitle(ReadFile(file), page)) + "</a></li>";
    }
    html += "</ul>";
  }
  SetValue(window, kPageView, html + "</body></html>");
  JournalLine("help-search " + JournalQuote(words) + " " + std::to_string(found.size()));
}

// The page view takes what the column of buttons and the search row leave.
void FitPageView(const WindowPtr& window) {
  const Geometry client = GetPosition(window, 0);
  if (client.width <= kSideWidth + 20 || client.height <= 40) return;
  SetPosition(window, kPageView, {kSideWidth, 24, client.width - kSideWidth - 4, client.height - 28});
}

void HelpProcedure(std::string page, bool search) {
  const std::string folder = HelpBookFolder();
  const WindowPtr window = Open(HelpWindowDef());
  {
    std::lock_guard lock(helpMutex);
    helpWindow = window;
    helpStarting = false;
  }
  ShowPage(window, folder, page);
  Select(window, search ? kSearchFor : kFirstPageButton);
  Event event;
  while (Accept(window, event)) {
    if (event.number == EventSized) FitPageView(window);
    if (event.number == EventAccepted && (event.control == kSearch || event.control == kSearchFor)) {
      const std::string words = GetValue(window, kSearchFor);
      if (!words.empty()) ShowResults(window, folder, words);
    } else if (event.number == EventAccepted && event.control >= kFirstPageButton && event.control < kPageView) {
      ShowPage(window, folder, kPages[event.control - kFirstPageButton].file);
    }
    DefaultHandling(window, event);
  }
  Close(window);
}

}  // namespace

std::string HelpBookFolder() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error).parent_path();
  if (error || !fs::is_regular_file(program / "help" / "index.html", error)) return {};
  return (program / "help").string();
}

void OpenHelpBook(const std::string& page, bool search) {
  WindowPtr open;
  {
    std::lock_guard lock(helpMutex);
    open = helpWindow.lock();
    if (!(open && open->IsOpen())) {
      if (helpStarting) return;
      helpStarting = true;
      open = nullptr;
    }
  }
  if (open) {
    ShowPage(open, HelpBookFolder(), page);
    Select(open, search ? kSearchFor : kFirstPageButton);
    return;
  }
  Start([page, search] { HelpProcedure(page, search); });
}

std::vector<std::string> SearchHelpBook(const std::string& folder, const std::string& words) {
  std::vector<std::string> wanted;
  std::istringstream split(Lower(words));
  for (std::string word; split >> word;) wanted.push_back(word);
  std::vector<std::string> found;
  if (wanted.empty()) return found;
  for (const HelpPage& page : kPages) {
    const std::string text = Lower(PageText(ReadFile(fs::path(folder) / page.file)));
    if (std::all_of(wanted.begin(), wanted.end(), [&](const std::string& w) { return text.find(w) != std::string::npos; }))
      found.push_back(page.file);
  }
  return found;
}

}  // namespace wdrt
