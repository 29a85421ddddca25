// The sounds that say the child's name ("namesounds.tsv" beside the sounds lists them with their
// voice and words). For a name, pronunciation or voice chosen after the build they are spoken
// anew with flite, with their word times, and kept in the user's data folder
// (voices/<name>/<voice>/); the shipped sounds serve the built-in name. Any thread: two books
// making the same sound at once each write a whole file.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "family/ReadAlongTable.h"

namespace book {

// What a book needs to say the name: the name, how it is said, and the voice ("" keeps each
// sound's own).
struct NameVoice {
  std::string name;
  std::string said;
  std::string voice;
};

// The choices in the settings now.
NameVoice CurrentNameVoice(const std::string& bookIniFile);

// The file to play for `sound`: for a sound that says the name, when the choices differ from
// the shipped ones, that sound spoken for them (made now when missing or made for another
// pronunciation); else `sound` itself, as also when it cannot be made.
std::string SoundToPlay(const std::string& sound, const NameVoice& choices);

// Makes every sound that says the name for the choices (those already made are kept). The
// number made; -1, with `error` set, when one could not be made.
int MakeNameSounds(const NameVoice& choices, std::string& error);

// The words of a sound as they are heard: a made sound's own times, else the suite's table.
std::optional<std::vector<TimedWord>> HeardWordsOf(const std::string& playedFile);

}  // namespace book
