// The runtime's journal: one line per happening (windows, events, messages, sounds, files),
// written to the file named by WDRT_JOURNAL and kept in memory for the scripted driver.
// Any thread may call these functions.
#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace wdrt {

// Appends "<ms since start> <text>" as one line. Does nothing visible when no journal is set,
// but the line is still kept in memory so that `expect` steps of a script can wait for it.
void JournalLine(std::string_view text);

// Quotes a text for a journal line: "text", with " and \ escaped.
std::string JournalQuote(std::string_view text);

// Milliseconds since the program started (monotonic).
double MillisecondsSinceStart();

// Waits until a journal line (written at or after line index `from`) matches `regex`; the
// scripted driver's own lines ("script …") are passed over.
// Returns the index after the matching line, or -1 on timeout.
long WaitForJournalLine(const std::string& regex, long from, std::chrono::milliseconds timeout);

// Number of lines written so far.
long JournalLineCount();

// A copy of every line written so far (for tests).
std::vector<std::string> JournalLines();

// Re-reads WDRT_JOURNAL (tests change it between cases) and forgets the lines kept.
void ResetJournal();

}  // namespace wdrt
