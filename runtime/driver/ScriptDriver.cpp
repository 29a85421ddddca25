#include "runtime/driver/ScriptDriver.h"

#include <unistd.h>

#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "runtime/core/Journal.h"
#include "runtime/core/Keys.h"
#include "runtime/core/Runtime.h"
#include "runtime/core/ViewPort.h"
#include "runtime/dialogs/FileDialog.h"
#include "runtime/dialogs/FontDialog.h"
#include "runtime/dialogs/FormDialog.h"
#include "runtime/dialogs/Message.h"
#include "runtime/dialogs/PrinterDialog.h"

namespace wdrt {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPoll = std::chrono::milliseconds(10);

// How long a step waits for what it needs (a window, a control, a journal line). Generous: a
// loaded machine or a sanitizer build may take many seconds for a first window or a long print
// run, and a passing script never waits that long. WDRT_STEP_SECONDS shortens it where a test
// expects a step to fail.
Clock::duration StepTimeout() {
  static const Clock::duration timeout = [] {
    const char* text = std::getenv("WDRT_STEP_SECONDS");
    const int seconds = text ? std::atoi(text) : 0;
    return std::chrono::duration_cast<Clock::duration>(std::chrono::seconds(seconds > 0 ? seconds : 90));
  }();
  return timeout;
}

ScriptStep Tokenise(int line, const std::string& text) {
  ScriptStep step;
  step.line = line;
  step.text = text;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ' ' || text[i] == '\t') { ++i; continue; }
    std::string word;
    bool quoted = false;
    if (text[i] == '"') {
      quoted = true;
      ++i;
      while (i < text.size() && text[i] != '"') {
        if (text[i] == '\\' && i + 1 < text.size()) ++i;
        word += text[i++];
      }
      ++i;  // closing quote
    } else {
      // A quoted part inside a word (`find="two words"`) keeps its blanks and loses its quotes.
      while (i < text.size() && text[i] != ' ' && text[i] != '\t') {
        if (text[i] != '"') {
          word += text[i++];
          continue;
        }
        for (++i; i < text.size() && text[i] != '"'; ++i) {
          if (text[i] == '\\' && i + 1 < text.size()) ++i;
          word += text[i];
        }
        ++i;  // closing quote
      }
    }
    step.words.push_back(word);
    step.quoted.push_back(quoted);
  }
  return step;
}

// Retries `attempt` until it succeeds or the step's time is up.
template <typename F>
bool Within(F&& attempt) {
  const auto deadline = Clock::now() + StepTimeout();
  for (;;) {
    if (attempt()) return true;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPoll);
  }
}

// The `name=value` words of an answer, from its third word on.
FormValues AnswerValues(const ScriptStep& step) {
  FormValues values;
  for (std::size_t i = 2; i < step.words.size(); ++i) {
    const std::size_t eq = step.words[i].find('=');
    if (eq != std::string::npos) values[step.words[i].substr(0, eq)] = step.words[i].substr(eq + 1);
  }
  return values;
}

// `answer Ok printer=<queue> copies=<n> from=<n> to=<n>` for the printer dialog.
PrinterDialogAnswer PrinterAnswerOf(const ScriptStep& step, int button) {
  PrinterDialogAnswer answer;
  answer.ok = button == ButtonOk;
  for (std::size_t i = 2; i < step.words.size(); ++i) {
    const std::string& word = step.words[i];
    const std::size_t eq = word.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = word.substr(0, eq);
    const std::string value = word.substr(eq + 1);
    if (key == "printer") answer.printer = value;
    else if (key == "copies") answer.copies = std::atoi(value.c_str());
    else if (key == "from") answer.fromPage = std::atoi(value.c_str());
    else if (key == "to") answer.toPage = std::atoi(value.c_str());
  }
  return answer;
}

// A menu's or item's text as a user reads it: without its access key marker, its trailing
// ellipsis and blanks, in any case.
std::string MenuWords(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != '&') out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  while (!out.empty() && (out.back() == '.' || out.back() == ' ')) out.pop_back();
  return out;
}

// The number of the item `item` under the menu `menu` of the window's menu bar; 0 when none.
int MenuItemNumber(const Window& window, const std::string& menu, const std::string& item) {
  bool inWantedMenu = false;
  for (const ControlState& state : window.Controls()) {
    if (!state.inMenu) continue;
    if (state.def.type == TypeMenu) {
      inWantedMenu = MenuWords(state.text) == MenuWords(menu);
      continue;
    }
    if (inWantedMenu && MenuWords(state.text) == MenuWords(item)) return state.number;
  }
  return 0;
}

class Driver {
 public:
  explicit Driver(std::vector<ScriptStep> steps) : steps_(std::move(steps)) {}

  void Run() {
    for (const ScriptStep& step : steps_) {
      JournalLine("script " + std::to_string(step.line) + " " + step.text);
      std::string reason;
      if (!RunStep(step, reason)) {
        JournalLine("script-failed " + std::to_string(step.line) + " " + reason);
        std::fprintf(stderr, "script failed at line %d: %s\n", step.line, reason.c_str());
        if (ViewPort* view = GetViewPort()) view->Quit(3);
        std::this_thread::sleep_for(std::chrono::seconds(5));
        std::fflush(nullptr);
        ::_exit(3);
      }
    }
  }

 private:
  // A window reference: "<title>" [#n] or `top`. Consumes its words from `index`.
  bool ResolveWindow(const ScriptStep& step, std::size_t& index, WindowPtr& window, std::string& reason) {
    if (index >= step.words.size()) {
      reason = "window missing";
      return false;
    }
    const std::string first = step.words[index++];
    if (!step.quoted[index - 1] && first == "top") {
      bool ok = Within([&] {
        auto open = OpenWindows();
        window = open.empty() ? nullptr : open.back();
        return window != nullptr;
      });
      if (!ok) reason = "no window open";
      return ok;
    }
    int nth = 0;
    if (index < step.words.size() && !step.quoted[index] && step.words[index].rfind('#', 0) == 0) {
      nth = std::atoi(step.words[index].c_str() + 1);
      ++index;
    }
    bool ok = Within([&] {
      window = nullptr;
      if (nth > 0) {
        int seen = 0;
        for (const WindowPtr& w : AllWindows()) {
          if (w->Title() == first && ++seen == nth) {
            window = w->IsOpen() ? w : nullptr;
            break;
          }
        }
      } else {
        for (const WindowPtr& w : OpenWindows())
          if (w->Title() == first) window = w;  // the newest such window
        // Else a window whose title begins with the text ("Report Preview   [queue on uri]").
        if (!window)
          for (const WindowPtr& w : OpenWindows())
            if (w->Title().rfind(first, 0) == 0) window = w;
      }
      return window != nullptr;
    });
    if (!ok) reason = "window \"" + first + "\"" + (nth ? " #" + std::to_string(nth) : "") + " not open";
    return ok;
  }

  bool ResolveControl(const ScriptStep& step, std::size_t index, const WindowPtr& window, int& control,
                      std::string& reason) {
    if (index >= step.words.size()) {
      reason = "control missing";
      return false;
    }
    const std::string& word = step.words[index];
    if (step.quoted[index])
      control = window->FindByText(word);
    else if (!word.empty() && word[0] == '?')
      control = window->FindByUse(word);
    else
      control = std::atoi(word.c_str());
    if (control == 0 || !window->HasControl(control)) {
      reason = "no control " + word + " in \"" + window->Title() + "\"";
      return false;
    }
    return true;
  }

  bool RunStep(const ScriptStep& step, std::string& reason) {
    if (step.words.empty()) return true;
    const std::string& verb = step.words[0];
    ViewPort* view = GetViewPort();
    std::size_t index = 1;
    if (verb == "sleep") {
      std::this_thread::sleep_for(std::chrono::milliseconds(std::atol(step.words.size() > 1 ? step.words[1].c_str() : "0")));
      return true;
    }
    if (verb == "expect") {
      if (step.words.size() < 2) { reason = "expect needs a pattern"; return false; }
      long next = WaitForJournalLine(step.words[1], journalCursor_,
                                     std::chrono::duration_cast<std::chrono::milliseconds>(StepTimeout()));
      if (next < 0) { reason = "no journal line matches " + step.words[1]; return false; }
      journalCursor_ = next;
      return true;
    }
    if (verb == "wait-file") {
      // `wait-file "<path>"`: waits until the file exists (another program's sign).
      if (step.words.size() < 2) { reason = "wait-file needs a path"; return false; }
      bool ok = Within([&] { return ::access(step.words[1].c_str(), F_OK) == 0; });
      if (!ok) reason = "no file " + step.words[1];
      return ok;
    }
    if (verb == "wait-window") {
      if (step.words.size() < 2) { reason = "wait-window needs a title"; return false; }
      const std::string title = step.words[1];
      const int count = step.words.size() > 2 ? std::atoi(step.words[2].c_str()) : 1;
      // Windows of exactly that title count; when there are none, those whose title begins
      // with it ("Report Preview" for "Report Preview   [queue on uri]").
      bool ok = Within([&] {
        int exact = 0, starting = 0;
        for (const WindowPtr& w : OpenWindows()) {
          if (w->Title() == title) ++exact;
          else if (w->Title().rfind(title, 0) == 0) ++starting;
        }
        return (exact > 0 ? exact : starting) >= count;
      });
      if (!ok) reason = "fewer than " + std::to_string(count) + " windows \"" + title + "\" open";
      return ok;
    }
    if (verb == "choose") {
      // `choose "<item>"` picks an item of the open pop-up menu; `choose` alone closes it.
      const std::string item = step.words.size() > 1 ? step.words[1] : "";
      bool ok = view && Within([&] { return view->ChoosePopupItem(item); });
      if (!ok) reason = "no pop-up menu with an enabled item \"" + item + "\"";
      return ok;
    }
    if (verb == "answer" && step.words.size() > 2 && step.words[1] == "Save") {
      const std::string file = step.words[2];
      bool ok = view && Within([&] { return AnswerFileDialog(file); });
      if (!ok) reason = "no file dialog to answer";
      return ok;
    }
    if (verb == "answer") {
      const int button = step.words.size() > 1 ? ButtonFromName(step.words[1]) : 0;
      if (button == 0) { reason = "unknown button"; return false; }
      // The open message box, or else the open printer, form or font dialog with the
      // choices given.
      const PrinterDialogAnswer printerAnswer = PrinterAnswerOf(step, button);
      const FormValues values = AnswerValues(step);
      const bool accept = button == ButtonOk || button == ButtonYes;
      bool ok = view && Within([&] {
        return view->AnswerMessage(button) || AnswerPrinterDialog(printerAnswer) ||
               AnswerFormDialog(accept, values) || AnswerFontDialog(accept, values) ||
               (button == ButtonCancel && (AnswerFileDialog(std::nullopt) || view->ChoosePopupItem("")));
      });
      if (!ok) reason = "no message box or dialog to answer";
      return ok;
    }
    if (verb == "screenshot") {
      if (step.words.size() < 2 || !view) { reason = "screenshot needs a file and a view"; return false; }
      WindowPtr window;
      index = 2;
      if (index < step.words.size() && !ResolveWindow(step, index, window, reason)) return false;
      // Let the view settle: queued updates and the first paint of new windows.
      std::this_thread::sleep_for(std::chrono::milliseconds(150));
      bool ok = Within([&] { return view->Screenshot(window, step.words[1]); });
      if (!ok) reason = "could not write " + step.words[1];
      return ok;
    }
    WindowPtr window;
    if (!ResolveWindow(step, index, window, reason)) return false;
    if (verb == "close") {
      bool ok = view && Within([&] { return view->CloseByUser(window); });
      // As a user would, wait until the window is really gone before the next step.
      ok = ok && Within([&] { return !window->IsOpen(); });
      if (!ok) reason = "window \"" + window->Title() + "\" did not close";
      return ok;
    }
    if (verb == "try-close") {
      // Asks the window to close as a user would, without waiting for it to go: its program
      // may keep it open.
      bool ok = view && Within([&] { return view->CloseByUser(window); });
      if (!ok) reason = "window \"" + window->Title() + "\" cannot be asked to close";
      return ok;
    }
    if (verb == "click") {
      if (step.words.size() < index + 2) { reason = "click needs x and y"; return false; }
      const int x = std::atoi(step.words[index].c_str());
      const int y = std::atoi(step.words[index + 1].c_str());
      bool ok = view && Within([&] { return view->ClickAt(window, x, y); });
      if (!ok) reason = "could not click";
      return ok;
    }
    if (verb == "move") {
      // `move <window> <x> <y>`: the mouse pointer goes to a point in dialog units.
      if (step.words.size() < index + 2) { reason = "move needs x and y"; return false; }
      const int x = std::atoi(step.words[index].c_str());
      const int y = std::atoi(step.words[index + 1].c_str());
      bool ok = view && Within([&] { return view->MoveMouseTo(window, x, y); });
      if (!ok) reason = "could not move the mouse";
      return ok;
    }
    if (verb == "resize") {
      if (step.words.size() < index + 2) { reason = "resize needs width and height"; return false; }
      const int width = std::atoi(step.words[index].c_str());
      const int height = std::atoi(step.words[index + 1].c_str());
      bool ok = view && Within([&] { return view->ResizeByUser(window, width, height); });
      if (!ok) reason = "could not resize";
      return ok;
    }
    if (verb == "key") {
      const int key = index < step.words.size() ? KeyFromName(step.words[index]) : 0;
      if (key == 0) { reason = "unknown key"; return false; }
      bool ok = view && Within([&] { return view->Key(window, key); });
      if (!ok) reason = "key cannot be pressed";
      return ok;
    }
    if (verb == "hold") {
      // `hold <window> <key> <milliseconds>`: presses the key, keeps it down, then lets go.
      const int key = index < step.words.size() ? KeyFromName(step.words[index]) : 0;
      if (key == 0) { reason = "unknown key"; return false; }
      const int milliseconds = index + 1 < step.words.size() ? std::atoi(step.words[index + 1].c_str()) : 0;
      if (milliseconds <= 0) { reason = "hold needs a time in milliseconds"; return false; }
      // A window just opened may not be on the screen yet: the hold starts once it is.
      bool ok = view && Within([&] { return view->HoldKey(window, key, milliseconds); });
      if (!ok) reason = "key cannot be held";
      return ok;
    }
    if (verb == "layout") {
      // `layout <window> <file>`: writes where the window's controls and texts are.
      if (index >= step.words.size()) { reason = "layout needs a file"; return false; }
      std::optional<std::string> layout;
      bool ok = view && Within([&] { return (layout = view->Layout(window)).has_value(); });
      if (ok) {
        std::ofstream out(step.words[index]);
        out << *layout;
        ok = static_cast<bool>(out);
      }
      if (!ok) reason = "could not write the layout of \"" + window->Title() + "\"";
      return ok;
    }
    if (verb == "expect-visible") {
      // `expect-visible <window> [fills=<percent>]`
      int fill = 0;
      for (std::size_t i = index; i < step.words.size(); ++i)
        if (step.words[i].rfind("fills=", 0) == 0) fill = std::atoi(step.words[i].c_str() + 6);
      std::string why;
      bool ok = view && Within([&] { return view->WhollyVisible(window, fill, why); });
      if (!ok) reason = "window \"" + window->Title() + "\" is not wholly visible: " + why;
      return ok;
    }
    if (verb == "menu") {
      // `menu <window> "<menu>" "<item>"`: picks an item of the window's menu bar.
      if (step.words.size() < index + 2) { reason = "menu needs a menu and an item"; return false; }
      int item = 0;
      bool ok = Within([&] { return (item = MenuItemNumber(*window, step.words[index], step.words[index + 1])) != 0; });
      ok = ok && view && Within([&] { return view->Press(window, item); });
      if (!ok) reason = "no menu item \"" + step.words[index] + "\" > \"" + step.words[index + 1] + "\"";
      return ok;
    }
    int control = 0;
    if (!Within([&] { return ResolveControl(step, index, window, control, reason); })) return false;
    if (verb == "press") {
      bool ok = view && Within([&] { return view->Press(window, control); });
      if (!ok) reason = "control " + std::to_string(control) + " cannot be pressed";
      return ok;
    }
    if (verb == "type") {
      if (step.words.size() < index + 2) { reason = "type needs a text"; return false; }
      const std::string text = step.words[index + 1];
      bool ok = view && Within([&] { return view->Type(window, control, text); });
      if (!ok) reason = "control " + std::to_string(control) + " takes no typing";
      return ok;
    }
    if (verb == "expect-text") {
      // `expect-text <window> <control> "<text>"`: the control comes to show exactly the text.
      if (step.words.size() < index + 2) { reason = "expect-text needs a text"; return false; }
      const std::string& wanted = step.words[index + 1];
      std::string shown;
      bool ok = Within([&] { return (shown = GetText(window, control)) == wanted; });
      if (!ok) reason = "control " + std::to_string(control) + " shows \"" + shown + "\", not \"" + wanted + "\"";
      return ok;
    }
    reason = "unknown step " + verb;
    return false;
  }

  std::vector<ScriptStep> steps_;
  long journalCursor_ = 0;
};

}  // namespace

namespace {

std::thread& DriverThread() {
  static std::thread thread;
  return thread;
}

std::atomic<bool>& DriverDone() {
  static std::atomic<bool> done{false};
  return done;
}

}  // namespace

std::vector<ScriptStep> ParseScript(const std::string& contents) {
  std::vector<ScriptStep> steps;
  std::istringstream in(contents);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    steps.push_back(Tokenise(number, line.substr(first)));
  }
  return steps;
}

bool StartScriptDriver() {
  const char* name = std::getenv("WDRT_SCRIPT");
  if (!name || !*name) return false;
  std::ifstream in(name);
  if (!in) {
    JournalLine(std::string("script-failed 0 cannot read ") + name);
    return false;
  }
  std::stringstream contents;
  contents << in.rdbuf();
  auto steps = ParseScript(contents.str());
  DriverThread() = std::thread([steps = std::move(steps)]() mutable {
    Driver(std::move(steps)).Run();
    DriverDone() = true;
  });
  return true;
}

void EndScriptDriver() {
  std::thread& thread = DriverThread();
  if (!thread.joinable()) return;
  // A script that has run out has wholly gone before the program's end; one still waiting for
  // something is left to the end of the process.
  if (DriverDone())
    thread.join();
  else
    thread.detach();
}

}  // namespace wdrt
