#include "family/VoiceRecorder.h"

#include <atomic>
#include <cctype>
#include <set>

#include "family/Child.h"
#include "family/Recordings.h"
#include "family/SpokenText.h"
#include "family/TakeAligner.h"
#include "pvmedia/PvMediaAPI.h"
#include "runtime/core/Journal.h"
#include "runtime/core/Keys.h"
#include "runtime/core/Runtime.h"
#include "runtime/dialogs/Message.h"
#include "runtime/os/SpeechTrim.h"
#include "runtime/os/VoiceCapture.h"

namespace book {
namespace {

constexpr const char* kTitle = "Record my voice";
constexpr int kMeterHundredths = 5;  // the level meter moves every 50 ms

enum Control : int { kWhere = 1, kText, kStatus, kLevel, kRecord, kPlayBack, kPrevious, kNext, kClear, kClose };

struct Line {
  std::string sound;
  int page = 0;
  std::string text;
};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

class Recorder {
 public:
  Recorder(std::string book, const std::vector<TextToRecord>& texts, const std::string& ini)
      : book_(std::move(book)), name_(ChildName(ini)), saidName_(SpokenChildName(ini)) {
    std::set<std::string> seen;
    for (const TextToRecord& t : texts) {
      std::string text = SpokenText(t.sound, name_);
      if (!text.empty() && seen.insert(Lower(t.sound)).second) lines_.push_back({t.sound, t.page, std::move(text)});
    }
  }

  void Run() {
    window_ = wdrt::Open(VoiceRecorderWindowDef());
    wdrt::Alert(window_, wdrt::KeySpace);
    at_ = NextToRecord(0);
    Show();
    wdrt::Event event;
    while (wdrt::Accept(window_, event)) {
      if (event.number == wdrt::EventTimer) OnTimer();
      if (event.number == wdrt::EventAlertKey && event.key == wdrt::KeySpace) RecordOrStop();
      if (event.number == wdrt::EventAccepted && OnPress(event.control)) break;
      wdrt::DefaultHandling(window_, event);
    }
    if (capture_.Recording()) {
      capture_.Stop();
      wdrt::JournalLine("recording-dropped");
    }
    // The book's own sound plays on: only a take played back here is stopped.
    if (playedBack_) hearing_.Stop();
    wdrt::Close(window_);
  }

 private:
  // True when the window is done.
  bool OnPress(int control) {
    if (lines_.empty()) return control == kClose;
    switch (control) {
      case kRecord: RecordOrStop(); break;
      case kPlayBack: PlayBack(); break;
      case kPrevious: MoveTo(at_ > 0 ? at_ - 1 : at_); break;
      case kNext: MoveTo(NextToRecord(at_ + 1)); break;
      case kClear:
        ClearTake(book_, lines_[at_].sound);
        wdrt::JournalLine("take-cleared " + wdrt::JournalQuote(TakeFile(book_, lines_[at_].sound)));
        Show();
        break;
      case kClose: return true;
      default: break;
    }
    return false;
  }

  // While recording the meter follows the microphone; after it, the status waits for the take's
  // word times.
  void OnTimer() {
    if (capture_.Recording()) {
      wdrt::SetValue(window_, kLevel, std::to_string(capture_.Level()));
    } else if (aligner_.Idle()) {
      wdrt::SetTimer(window_, 0);
      Show();
    }
  }

  std::string RecordedStatus() {
    if (HasWordTimes(book_, lines_[at_].sound)) return "Recorded.";
    if (!aligner_.Idle()) {
      wdrt::SetTimer(window_, kMeterHundredths);
      return "Recorded. Finding its words...";
    }
    return "Recorded. Its words could not be timed, so they light up together.";
  }

  TakeState State(std::size_t i) const { return StateOfTake(book_, lines_[i].sound, lines_[i].text); }

  // The first text from `from` on that has no take for its text now; else the one after the
  // current text, or the current one at the end.
  std::size_t NextToRecord(std::size_t from) const {
    for (std::size_t i = from; i < lines_.size(); ++i)
      if (State(i) != TakeState::Current) return i;
    return std::min(from, lines_.empty() ? 0 : lines_.size() - 1);
  }

  void MoveTo(std::size_t line) {
    if (capture_.Recording()) return;
    at_ = line;
    Show();
  }

  void Show() {
    using wdrt::SetText;
    if (lines_.empty()) {
      SetText(window_, kText, "This book has nothing to read aloud.");
      for (int c : {kRecord, kPlayBack, kPrevious, kNext, kClear}) wdrt::Disable(window_, c);
      return;
    }
    const Line& line = lines_[at_];
    SetText(window_, kWhere, "Text " + std::to_string(at_ + 1) + " of " + std::to_string(lines_.size()) + ", page " +
                                 std::to_string(line.page));
    SetText(window_, kText, line.text);
    const TakeState state = State(at_);
    SetText(window_, kStatus, state == TakeState::Current ? RecordedStatus()
                              : state == TakeState::Stale
                                  ? "Recorded for another text or name: record it again."
                                  : "Not recorded yet. Press Record or Space, read the text, then press again.");
    SetText(window_, kRecord, "Record");
    const auto enable = [this](int control, bool on) { on ? wdrt::Enable(window_, control) : wdrt::Disable(window_, control); };
    enable(kPlayBack, state != TakeState::None);
    enable(kClear, state != TakeState::None);
    enable(kPrevious, at_ > 0);
    enable(kNext, at_ + 1 < lines_.size());
    wdrt::JournalLine("recorder-shows " + std::to_string(at_ + 1) + " " + wdrt::JournalQuote(line.sound) + " " +
                      (state == TakeState::Current ? "recorded" : state == TakeState::Stale ? "stale" : "new"));
  }

  void RecordOrStop() {
    if (lines_.empty()) return;
    if (capture_.Recording()) return Stop();
    hearing_.Stop();  // whatever the program plays, so that the microphone hears only the reader
    switch (capture_.Start()) {
      case wdrt::VoiceCapture::Opened::Recording: break;
      case wdrt::VoiceCapture::Opened::NoMicrophone:
        wdrt::JournalLine("recording-refused no-microphone");
        wdrt::Message("No microphone was found.", kTitle, wdrt::IconExclamation);
        return;
      case wdrt::VoiceCapture::Opened::Failed:
        wdrt::JournalLine("recording-refused microphone-failed");
        wdrt::Message("The microphone could not be opened.", kTitle, wdrt::IconExclamation);
        return;
    }
    wdrt::JournalLine("recording-started " + wdrt::JournalQuote(lines_[at_].sound));
    wdrt::SetText(window_, kRecord, "Stop");
    wdrt::SetText(window_, kStatus, "Recording: read the text aloud, then press Stop or Space.");
    for (int c : {kPlayBack, kPrevious, kNext, kClear}) wdrt::Disable(window_, c);
    wdrt::SetTimer(window_, kMeterHundredths);
  }

  void Stop() {
    const std::vector<float> samples = capture_.Stop();
    wdrt::SetTimer(window_, 0);
    wdrt::SetValue(window_, kLevel, "0");
    const Line& line = lines_[at_];
    const int rate = wdrt::VoiceCapture::Rate();
    const std::optional<wdrt::SpeechSpan> speech = wdrt::FindSpeech(samples, rate);
    if (!speech) {
      wdrt::JournalLine("take-refused silence " + std::to_string(samples.size() * 1000 / rate) + " ms");
      Show();
      wdrt::Message("Nothing but silence was heard, so the take was not kept. Check that the microphone is on, "
                    "and record it again.", kTitle, wdrt::IconExclamation);
      return;
    }
    const std::vector<float> take = wdrt::TrimmedToSpeech(samples, rate, *speech);
    if (!KeepTake(book_, line.sound, line.text, take, rate)) {
      Show();
      wdrt::Message("The take could not be saved.", kTitle, wdrt::IconExclamation);
      return;
    }
    wdrt::JournalLine("take-kept " + wdrt::JournalQuote(TakeFile(book_, line.sound)) + " " +
                      std::to_string(take.size() * 1000 / rate) + " ms of " + std::to_string(samples.size() * 1000 / rate) + " ms");
    aligner_.Add({book_, line.sound, line.text, name_, saidName_});
    Show();
  }

  void PlayBack() {
    if (State(at_) == TakeState::None) return;
    hearing_.Stop();
    playedBack_ = hearing_.Play(TakeFile(book_, lines_[at_].sound)) != 0;
  }

  const std::string book_;
  const std::string name_;
  const std::string saidName_;
  std::vector<Line> lines_;
  std::size_t at_ = 0;
  wdrt::WindowPtr window_;
  PvMediaAPI hearing_;
  bool playedBack_ = false;
  TakeAligner aligner_;  // declared before the capture: a take in hand is finished after it stops
  wdrt::VoiceCapture capture_;
};

std::atomic<bool> windowOpen{false};

wdrt::ControlDef Field(int type, const std::string& use, const std::string& text, wdrt::Geometry pos) {
  wdrt::ControlDef c;
  c.type = type;
  c.use = use;
  c.text = text;
  c.pos = pos;
  return c;
}

}  // namespace

wdrt::WindowDef VoiceRecorderWindowDef() {
  using namespace wdrt;
  WindowDef def;
  def.kind = WindowKind::Window;
  def.module = "recorder";
  def.title = kTitle;
  def.size = {0, 0, 320, 160};
  def.font = {"MS Sans Serif", 8, false, kColorNone};
  def.resizable = false;
  ControlDef text = Field(TypeString, "?TEXT", "", {8, 22, 304, 52});
  text.font = {"Arial", 18, true, kColorNone};
  ControlDef meter = Field(TypeProgress, "?LEVEL", "", {8, 94, 304, 10});
  meter.flat = true;
  meter.tip = "How loud the microphone hears you";
  def.controls = {
      Field(TypeString, "?WHERE", "", {8, 8, 304, 10}),
      text,
      Field(TypeString, "?STATUS", "", {8, 80, 304, 10}),
      meter,
      Field(TypeButton, "?RECORD", "Record", {8, 112, 56, 16}),
      Field(TypeButton, "?PLAYBACK", "Play back", {68, 112, 56, 16}),
      Field(TypeButton, "?PREVIOUS", "Previous", {136, 112, 56, 16}),
      Field(TypeButton, "?NEXT", "Next", {196, 112, 56, 16}),
      Field(TypeButton, "?CLEAR", "Clear", {256, 112, 56, 16}),
      Field(TypeButton, "?CLOSE", "Close", {256, 138, 56, 15}),
  };
  return def;
}

void VoiceRecorderWindow(const std::string& book, const std::vector<TextToRecord>& texts,
                         const std::string& bookIniFile) {
  if (windowOpen.exchange(true)) return;
  Recorder(book, texts, bookIniFile).Run();
  windowOpen = false;
}

}  // namespace book
