#include "runtime/core/Journal.h"

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <regex>

namespace wdrt {
namespace {

const auto kProgramStart = std::chrono::steady_clock::now();

struct JournalState {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<std::string> lines;
  std::FILE* file = nullptr;
  bool fileChecked = false;

  void OpenFileLocked() {
    if (fileChecked) return;
    fileChecked = true;
    const char* name = std::getenv("WDRT_JOURNAL");
    if (name && *name) file = std::fopen(name, "a");
  }
};

JournalState& State() {
  // Never destroyed: procedure threads may still write while the process exits.
  static JournalState* state = new JournalState;
  return *state;
}

}  // namespace

double MillisecondsSinceStart() {
  auto elapsed = std::chrono::steady_clock::now() - kProgramStart;
  return std::chrono::duration<double, std::milli>(elapsed).count();
}

std::string JournalQuote(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    if (c == '\n') { quoted += "\\n"; continue; }
    if (c == '\r') { quoted += "\\r"; continue; }
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

void JournalLine(std::string_view text) {
  JournalState& state = State();
  {
    std::lock_guard lock(state.mutex);
    // Stamped under the lock, so that the lines of the file stay in time order.
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%.3f ", MillisecondsSinceStart());
    std::string line = stamp;
    line += text;
    state.OpenFileLocked();
    if (state.file) {
      std::fputs(line.c_str(), state.file);
      std::fputc('\n', state.file);
      std::fflush(state.file);
    }
    state.lines.push_back(std::move(line));
  }
  state.changed.notify_all();
}

long WaitForJournalLine(const std::string& pattern, long from, std::chrono::milliseconds timeout) {
  std::regex re;
  try {
    re = std::regex(pattern);
  } catch (const std::regex_error&) {
    return -1;
  }
  JournalState& state = State();
  std::unique_lock lock(state.mutex);
  auto deadline = std::chrono::steady_clock::now() + timeout;
  long next = from < 0 ? 0 : from;
  for (;;) {
    for (; next < static_cast<long>(state.lines.size()); ++next) {
      // The driver's echo of its own steps never counts: an `expect` would find itself.
      const std::string& line = state.lines[next];
      const std::size_t text = line.find(' ');
      if (text != std::string::npos && line.compare(text + 1, 6, "script") == 0) continue;
      if (std::regex_search(line, re)) return next + 1;
    }
    if (state.changed.wait_until(lock, deadline) == std::cv_status::timeout &&
        next >= static_cast<long>(state.lines.size()))
      return -1;
  }
}

long JournalLineCount() {
  JournalState& state = State();
  std::lock_guard lock(state.mutex);
  return static_cast<long>(state.lines.size());
}

std::vector<std::string> JournalLines() {
  JournalState& state = State();
  std::lock_guard lock(state.mutex);
  return state.lines;
}

void ResetJournal() {
  JournalState& state = State();
  std::lock_guard lock(state.mutex);
  if (state.file) std::fclose(state.file);
  state.file = nullptr;
  state.fileChecked = false;
  state.lines.clear();
}

}  // namespace wdrt
