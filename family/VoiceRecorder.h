// The window "Record my voice": a grown-up reads a book's spoken texts aloud, one after the
// other in reading order, and each take is kept in place of the made voice. The window shows
// the text, a level meter and whether it is recorded; Record (or Space) starts and stops,
// Play back, Previous, Next (the next text not yet recorded) and Clear. Takes are trimmed to
// their speech, a take of silence is refused, and each kept take is timed for the read-along
// in the background. Runs on the thread that calls it; one window per program at a time.
#pragma once

#include <string>
#include <vector>

#include "runtime/core/WindowDef.h"

namespace book {

// The File menu item of every book, and the grown-ups' button, that open the window.
inline constexpr const char* kRecordVoiceItemText = "Record my &voice...";

// A spoken sound of the book and the page it is on (counted in reading order, from 1).
struct TextToRecord {
  std::string sound;
  int page = 0;
};

// Opens the window for `book` (the program's name, which names its recordings folder) and waits
// until it is closed. Sounds that say no words, and a sound met again, are passed over.
// Returns at once when the window is already open.
void VoiceRecorderWindow(const std::string& book, const std::vector<TextToRecord>& texts,
                         const std::string& bookIniFile);

wdrt::WindowDef VoiceRecorderWindowDef();

}  // namespace book
