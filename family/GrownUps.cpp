#include "family/GrownUps.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "family/Child.h"
#include "family/Kidlt.h"
#include "family/KidltCommands.h"
#include "family/NameVoice.h"
#include "family/SuiteSettings.h"
#include "runtime/core/Journal.h"
#include "runtime/core/Runtime.h"
#include "runtime/data/Ini.h"
#include "runtime/dialogs/Message.h"
#include "pvmedia/PvMediaAPI.h"

namespace book {
namespace {

using wdrt::ControlDef;
using wdrt::Geometry;

constexpr const char* kTitle = "Grown-ups";

// Control numbers, in the order of the table below.
enum Control : int {
  kNameLabel = 1, kName, kSayLabel, kSayItLike, kHear,
  kChildrenLabel, kChildren, kChildLabel, kChild, kAdd, kRename, kRemove,
  kVoiceLabel, kVoice, kNarrationLabel, kNarration, kEffectsLabel, kEffects, kMute,
  kReadAlong, kKiosk, kPaperLabel, kPaper, kOk, kCancel,
};

const std::vector<std::pair<std::string, std::string>>& VoiceNames() {
  static const std::vector<std::pair<std::string, std::string>> names{
      {"slt", "Narrator (a woman)"}, {"rms", "Dad (a man)"}, {"awb", "A second man"}};
  return names;
}

ControlDef Field(int type, const std::string& use, const std::string& text, Geometry pos) {
  ControlDef c;
  c.type = type;
  c.use = use;
  c.text = text;
  c.pos = pos;
  return c;
}

ControlDef Choices(int type, const std::string& use, Geometry pos, const std::vector<std::string>& items) {
  ControlDef c = Field(type, use, "", pos);
  for (const std::string& item : items) c.items.push_back(Field(wdrt::TypeItem, "", item, {}));
  return c;
}

std::vector<std::string> ChildrenInList() {
  std::ostringstream out, err;
  kidlt::ListNames(kKidltFileName, out, err);
  std::vector<std::string> names;
  std::istringstream in(out.str());
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) names.push_back(line);
  return names;
}

std::string Lines(const std::vector<std::string>& rows) {
  std::string text;
  for (const std::string& row : rows) text += row + "\n";
  return text;
}

std::string VoiceLabel(const std::string& voice) {
  for (const auto& [id, label] : VoiceNames())
    if (id == voice) return label;
  return VoiceNames().front().second;
}

std::string VoiceOf(const std::string& label) {
  for (const auto& [id, text] : VoiceNames())
    if (text == label) return id;
  return VoiceNames().front().first;
}

// The settings as the window shows them: the suite's file, or the program's where it sets a key.
class GrownUps {
 public:
  explicit GrownUps(std::string programIni) : ini_(std::move(programIni)) {}

  void Run() {
    window_ = wdrt::Open(GrownUpsWindowDef());
    Fill();
    wdrt::Select(window_, kName);
    wdrt::Event event;
    while (wdrt::Accept(window_, event)) {
      if (event.number == wdrt::EventAccepted && OnPress(event.control)) break;
      wdrt::DefaultHandling(window_, event);
    }
    wdrt::Close(window_);
  }

 private:
  std::string Setting(const char* section, const char* key, const char* fallback) const {
    return SuiteSetting(section, key, fallback, ini_);
  }

  void Fill() {
    wdrt::SetValue(window_, kName, ChildName(ini_));
    wdrt::SetValue(window_, kSayItLike, Setting("Child", "SayItLike", ""));
    children_ = ChildrenInList();
    wdrt::SetText(window_, kChildren, Lines(children_));
    wdrt::SetValue(window_, kVoice, VoiceLabel(Setting("Sound", "Voice", "slt")));
    const SoundChoices sound = CurrentSoundChoices(ini_);
    wdrt::SetValue(window_, kNarration, std::to_string(sound.narrationVolume));
    wdrt::SetValue(window_, kEffects, std::to_string(sound.effectsVolume));
    wdrt::SetValue(window_, kMute, sound.mute ? "1" : "0");
    wdrt::SetValue(window_, kReadAlong, ReadAlongChosen(ini_) ? "1" : "0");
    wdrt::SetValue(window_, kKiosk, KioskChosen(ini_) ? "1" : "0");
    wdrt::SetValue(window_, kPaper, Setting("Print", "Paper", "Automatic"));
  }

  // True when the window is done.
  bool OnPress(int control) {
    switch (control) {
      case kAdd: return ChangeChildren(false), false;
      case kRename: return ChangeChildren(true), false;
      case kRemove: return RemoveChild(), false;
      case kHear: return Hear(), false;
      case kOk: return Save();
      case kCancel:
        wdrt::JournalLine("grown-ups cancelled");
        return true;
      default: return false;
    }
  }

  std::string Chosen() const {
    const int row = std::atoi(wdrt::GetValue(window_, kChildren).c_str());
    return row >= 1 && row <= static_cast<int>(children_.size()) ? children_[row - 1] : std::string();
  }

  void Tell(const std::string& text) { wdrt::Message(text, kTitle, wdrt::IconExclamation); }

  void AfterListChange(const std::string& select) {
    children_ = ChildrenInList();
    wdrt::SetText(window_, kChildren, Lines(children_));
    int row = 0;
    for (std::size_t i = 0; i < children_.size(); ++i)
      if (children_[i] == select) row = static_cast<int>(i) + 1;
    // The typed name stays: clearing it could wipe what the grown-up has typed since.
    wdrt::SetValue(window_, kChildren, std::to_string(row));
  }

  // Adds the typed child, or renames the chosen one to the typed name.
  void ChangeChildren(bool rename) {
    const std::string name = TrimmedName(wdrt::GetValue(window_, kChild));
    const std::string from = Chosen();
    if (rename && from.empty()) return Tell("Choose the child to rename in the list first.");
    const std::string problem = ChildNameProblem(name);
    if (!problem.empty()) return Tell(problem);
    std::ostringstream out, err;
    const int result = rename ? kidlt::RenameName(kKidltFileName, from, name, out, err)
                              : kidlt::AddNames(kKidltFileName, {name}, out, err);
    AfterListChange(name);
    wdrt::JournalLine(std::string("grown-ups ") + (rename ? "rename " + wdrt::JournalQuote(from) + " " : "add ") +
                      wdrt::JournalQuote(name) + " -> " + std::to_string(result));
    if (result != kidlt::kExitOk) Tell(PlainReport(err.str()));
  }

  void RemoveChild() {
    const std::string name = Chosen();
    if (name.empty()) return Tell("Choose the child to remove in the list first.");
    std::ostringstream out, err;
    const int result = kidlt::RemoveNames(kKidltFileName, {name}, out, err);
    AfterListChange("");
    wdrt::JournalLine("grown-ups remove " + wdrt::JournalQuote(name) + " -> " + std::to_string(result));
    if (result != kidlt::kExitOk) Tell(PlainReport(err.str()));
  }

  // The tool's report without its name, as sentences for the window.
  static std::string PlainReport(std::string text) {
    for (std::size_t at = text.find("kidlt: "); at != std::string::npos; at = text.find("kidlt: ")) text.erase(at, 7);
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text.empty() ? "The list of children could not be changed." : text;
  }

  NameVoice TypedNameVoice(std::string& problem) const {
    NameVoice typed;
    typed.name = TrimmedName(wdrt::GetValue(window_, kName));
    problem = ChildNameProblem(typed.name);
    const std::string said = TrimmedName(wdrt::GetValue(window_, kSayItLike));
    typed.said = said.empty() ? typed.name : said;
    typed.voice = VoiceOf(wdrt::GetValue(window_, kVoice));
    return typed;
  }

  // Says page 2's greeting with the typed name, so that the grown-up hears the pronunciation.
  void Hear() {
    std::string problem;
    const NameVoice typed = TypedNameVoice(problem);
    if (!problem.empty()) return Tell(problem);
    std::string error;
    if (MakeNameSounds(typed, error) < 0) return Tell("The name could not be spoken: " + error + ".");
    hearing_.Stop();
    hearing_.Play(SoundToPlay(HearingSound(), typed));
  }

  static std::string HearingSound() { return "WzuliK.mp3"; }

  bool Save() {
    std::string problem;
    const NameVoice typed = TypedNameVoice(problem);
    if (!problem.empty()) {
      wdrt::JournalLine("grown-ups refused " + wdrt::JournalQuote(typed.name));
      Tell(problem);
      return false;
    }
    const auto started = std::chrono::steady_clock::now();
    const auto put = [](const char* section, const char* key, const std::string& value) {
      return wdrt::PutIni(section, key, value, kSuiteSettingsFile);
    };
    const auto volume = [this](int control) {
      const int value = std::atoi(wdrt::GetValue(window_, control).c_str());
      return std::to_string(std::clamp(value, 0, 100));
    };
    const std::string said = TrimmedName(wdrt::GetValue(window_, kSayItLike));
    bool saved = put("Child", "Name", typed.name) && put("Child", "SayItLike", said) &&
                 put("Sound", "Voice", typed.voice) && put("Sound", "NarrationVolume", volume(kNarration)) &&
                 put("Sound", "EffectsVolume", volume(kEffects)) &&
                 put("Sound", "Mute", wdrt::GetValue(window_, kMute) == "1" ? "1" : "0") &&
                 put("ReadAlong", "Enabled", wdrt::GetValue(window_, kReadAlong) == "1" ? "1" : "0") &&
                 put("Kiosk", "Enabled", wdrt::GetValue(window_, kKiosk) == "1" ? "1" : "0") &&
                 put("Print", "Paper", wdrt::GetValue(window_, kPaper));
    if (!saved) {
      Tell("The settings could not be saved in " + std::string(kSuiteSettingsFile) + ".");
      return false;
    }
    wdrt::JournalLine("grown-ups saved " + wdrt::JournalQuote(typed.name));
    // The sounds that say the name are made now, so that the next page says it at once.
    std::string error;
    const int made = MakeNameSounds(CurrentNameVoice(ini_), error);
    const long ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started).count();
    wdrt::JournalLine("name-sounds " + std::to_string(made) + " " + std::to_string(ms) + " ms");
    if (made < 0) Tell("The settings are kept, but the voice could not say the new name: " + error + ".");
    return true;
  }

  const std::string ini_;
  wdrt::WindowPtr window_;
  std::vector<std::string> children_;
  PvMediaAPI hearing_;
};

std::atomic<bool> windowOpen{false};

}  // namespace

wdrt::WindowDef GrownUpsWindowDef() {
  using namespace wdrt;
  WindowDef def;
  def.kind = WindowKind::Window;
  def.module = "grownups";
  def.title = kTitle;
  def.size = {0, 0, 262, 246};
  def.font = {"MS Sans Serif", 8, false, kColorNone};
  def.resizable = false;
  std::vector<std::string> voices;
  for (const auto& [id, label] : VoiceNames()) voices.push_back(label);
  ControlDef heading = Field(TypeString, "?STRING3", "Children to print for", {8, 46, 0, 0});
  heading.font.bold = true;
  ControlDef list = Field(TypeList, "?CHILDREN", "", {8, 58, 124, 72});
  list.items = {Field(TypeItem, "", "Name", {})};
  ControlDef ok = Field(TypeButton, "?OK", "OK", {142, 224, 54, 15});
  ControlDef cancel = Field(TypeButton, "?CANCEL", "Cancel", {200, 224, 54, 15});
  def.controls = {
      Field(TypeString, "?STRING1", "Child's name", {8, 10, 0, 0}),
      Field(TypeEntry, "?CHILDNAME", "", {70, 8, 130, 13}),
      Field(TypeString, "?STRING2", "Say it like", {8, 28, 0, 0}),
      Field(TypeEntry, "?SAYITLIKE", "", {70, 26, 130, 13}),
      Field(TypeButton, "?HEAR", "Hear it", {204, 26, 50, 14}),
      heading,
      list,
      Field(TypeString, "?STRING4", "Name", {138, 58, 0, 0}),
      Field(TypeEntry, "?KIDNAME", "", {138, 68, 116, 13}),
      Field(TypeButton, "?ADD", "Add", {138, 86, 56, 14}),
      Field(TypeButton, "?RENAME", "Rename", {198, 86, 56, 14}),
      Field(TypeButton, "?REMOVE", "Remove", {138, 104, 56, 14}),
      Field(TypeString, "?STRING5", "Voice", {8, 142, 0, 0}),
      Choices(TypeDropList, "?VOICE", {90, 140, 110, 13}, voices),
      Field(TypeString, "?STRING6", "Narration volume", {8, 160, 0, 0}),
      Field(TypeSpin, "?NARRATIONVOLUME", "", {90, 158, 40, 13}),
      Field(TypeString, "?STRING7", "Effects volume", {8, 178, 0, 0}),
      Field(TypeSpin, "?EFFECTSVOLUME", "", {90, 176, 40, 13}),
      Field(TypeCheck, "?MUTE", "Mute", {150, 160, 60, 12}),
      Field(TypeCheck, "?READALONG", "Light the words as they are read", {8, 194, 200, 12}),
      Field(TypeCheck, "?KIOSK", "Start books full screen for a child", {8, 208, 200, 12}),
      Field(TypeString, "?STRING8", "Paper", {150, 178, 0, 0}),
      Choices(TypeDropList, "?PAPER", {180, 176, 74, 13}, {"Automatic", "Letter", "A4"}),
      ok,
      cancel,
  };
  return def;
}

void GrownUpsWindow(const std::string& programIniFile) {
  if (windowOpen.exchange(true)) return;
  GrownUps(programIniFile).Run();
  windowOpen = false;
}

}  // namespace book
