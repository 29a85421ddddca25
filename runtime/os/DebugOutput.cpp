#include "runtime/os/DebugOutput.h"

#include <syslog.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

namespace wdrt {
namespace {

// Serialises writers so that lines from several threads never interleave in the file.
std::mutex& OutputMutex() {
  static auto* mutex = new std::mutex;  // never destroyed: unload hooks still write at exit
  return *mutex;
}

}  // namespace

void OutputDebugStringA(const char* text) {
  if (!text) return;
  const std::size_t length = std::strlen(text);
  std::lock_guard lock(OutputMutex());

  // The journal takes lines without their end-of-line characters.
  std::size_t shown = length;
  while (shown > 0 && (text[shown - 1] == '\n' || text[shown - 1] == '\r')) --shown;
  syslog(LOG_USER | LOG_DEBUG, "%.*s", static_cast<int>(shown), text);

  // The file is opened per call so that tests and users may change the variable at any time.
  const char* fileName = std::getenv("WDRT_DEBUG_OUTPUT");
  if (!fileName || !*fileName) return;
  std::FILE* file = std::fopen(fileName, "ab");
  if (!file) return;
  std::fwrite(text, 1, length, file);
  // One call is one line: a text that does not end its own line gets a line feed.
  if (length == 0 || text[length - 1] != '\n') std::fputc('\n', file);
  std::fclose(file);
}

}  // namespace wdrt
