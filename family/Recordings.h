// A parent's own takes of a book's spoken texts, kept in the user's data folder under
// recordings/<book>/: for each sound "<sound>.wav" (the take), "<sound>.txt" (the text it was
// recorded for) and, once its words are timed, "<sound>.tsv" (rows as in the read-along
// table). A take recorded for another text, or another child's name, is stale: it is not
// played, and the recorder asks for it again. Any thread; each file is written whole.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "runtime/os/Speech.h"

namespace book {

enum class TakeState { None, Current, Stale };

// The take's file for `sound` of `book` (the program's name), whether or not it exists.
std::string TakeFile(const std::string& book, const std::string& sound);

TakeState StateOfTake(const std::string& book, const std::string& sound, const std::string& text);

// The take to play instead of `sound` when one is kept for `text`.
std::optional<std::string> TakeToPlay(const std::string& book, const std::string& sound, const std::string& text);

// Keeps `samples` (mono, -1 … 1, at `rate`) as the take of `sound` recorded for `text`, in
// place of any earlier one and its word times. False when the files cannot be written.
bool KeepTake(const std::string& book, const std::string& sound, const std::string& text,
              const std::vector<float>& samples, int rate);

// The take's word times, for the read-along.
bool KeepWordTimes(const std::string& book, const std::string& sound, const std::vector<wdrt::HeardWord>& words);

// True when the take's words are timed.
bool HasWordTimes(const std::string& book, const std::string& sound);

// Removes the take of `sound` and what goes with it.
void ClearTake(const std::string& book, const std::string& sound);

}  // namespace book
