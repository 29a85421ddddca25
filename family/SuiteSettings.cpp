#include "family/SuiteSettings.h"

#include <strings.h>

#include <algorithm>
#include <cstdlib>

#include "runtime/data/Ini.h"
#include "runtime/report/LocalePaper.h"
#include "runtime/report/PrinterSettings.h"

namespace book {
namespace {

constexpr const char* kUnset = "\x01";
constexpr int kLetter = 1;
constexpr int kA4 = 9;

}  // namespace

std::string SuiteSetting(const std::string& section, const std::string& key, const std::string& fallback,
                         const std::string& bookIniFile) {
  if (!bookIniFile.empty()) {
    const std::string own = wdrt::GetIni(section, key, kUnset, bookIniFile);
    if (own != kUnset) return own;
  }
  return wdrt::GetIni(section, key, fallback, kSuiteSettingsFile);
}

bool KioskChosen(const std::string& bookIniFile) { return SuiteSetting("Kiosk", "Enabled", "0", bookIniFile) == "1"; }

bool ReadAlongChosen(const std::string& bookIniFile) {
  return SuiteSetting("ReadAlong", "Enabled", "1", bookIniFile) != "0";
}

SoundChoices CurrentSoundChoices(const std::string& bookIniFile) {
  const auto volume = [&](const char* key) {
    const std::string text = SuiteSetting("Sound", key, "100", bookIniFile);
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    return end == text.c_str() ? 100 : static_cast<int>(std::clamp(value, 0L, 100L));
  };
  SoundChoices choices;
  choices.narrationVolume = volume("NarrationVolume");
  choices.effectsVolume = volume("EffectsVolume");
  choices.mute = SuiteSetting("Sound", "Mute", "0", bookIniFile) == "1";
  return choices;
}

int BookletPaper(bool forPdf, const std::string& bookIniFile) {
  const std::string paper = SuiteSetting("Print", "Paper", "Automatic", bookIniFile);
  if (::strcasecmp(paper.c_str(), "Letter") == 0) return kLetter;
  if (::strcasecmp(paper.c_str(), "A4") == 0) return kA4;
  if (forPdf) return wdrt::report::LocalePaperCode();
  const wdrt::report::PrinterSettings printer = wdrt::report::CurrentPrinter();
  if (!printer.device.empty() && printer.devMode.dmPaperSize > 0) return printer.devMode.dmPaperSize;
  return wdrt::report::LocalePaperCode();  // no printer yet: the paper the family most likely has
}

}  // namespace book
