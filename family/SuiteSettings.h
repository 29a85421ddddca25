// The suite's settings, kept for every book in "storyloom.INI" (the grown-ups' choices), and
// where a book's own settings file sets the same key, the book's. Any thread.
#pragma once

#include <string>

namespace book {

inline constexpr const char* kSuiteSettingsFile = "storyloom.INI";

// The value of `key` in `section`: the book's file when it sets it, else the suite's, else
// `fallback`.
std::string SuiteSetting(const std::string& section, const std::string& key, const std::string& fallback,
                         const std::string& bookIniFile);

// Kiosk mode at start ([Kiosk] Enabled=1), and the words lit as they are spoken ([ReadAlong]
// Enabled, on unless 0).
bool KioskChosen(const std::string& bookIniFile);
bool ReadAlongChosen(const std::string& bookIniFile);

// How the books sound: [Sound] NarrationVolume and EffectsVolume (0–100, 100 unless set) and
// Mute (1: nothing is played).
struct SoundChoices {
  int narrationVolume = 100;
  int effectsVolume = 100;
  bool mute = false;
};
SoundChoices CurrentSoundChoices(const std::string& bookIniFile);

// The paper a printed booklet is made on, as a paper code: [Print] Paper is "Letter", "A4" or
// "Automatic" (the default): then the printer's paper, or for a PDF the paper of the locale.
int BookletPaper(bool forPdf, const std::string& bookIniFile);

}  // namespace book
