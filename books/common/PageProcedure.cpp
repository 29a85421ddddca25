#include "books/common/PageProcedure.h"

#include <map>
#include <memory>

#include "books/common/BookGlobals.h"
#include "books/common/BookWindow.h"
#include "books/common/ReadAlong.h"
#include "family/Child.h"
#include "family/NameVoice.h"
#include "family/ReadAlongTable.h"
#include "family/Recordings.h"
#include "family/SpokenText.h"
#include "family/SuiteSettings.h"
#include "pvmedia/PvMediaAPI.h"
#include "runtime/core/Journal.h"
#include "runtime/core/Threads.h"
#include "runtime/os/AudioOutput.h"

namespace book {
namespace {

constexpr char kPageTitle[] = "Learning Words";
constexpr int kPageLastControl = 350;

wdrt::ControlDef ControlOf(const BookDef& book, const PageControl& row) {
  using namespace wdrt;
  ControlDef c;
  c.type = TypeButton;
  c.use = row.use;
  c.text = row.text;
  c.pos = row.pos;
  c.font = {"Arial", 28, true, kWhite};
  switch (row.role) {
    case Role::Next:
      break;
    case Role::Picture:
      c.type = TypeImage;
      c.picture = row.picture;
      break;
    case Role::Word:
      c.font.points = book.wordPoints;
      c.tip = "Play Word";
      break;
    case Role::Sentence:
      c.font.points = book.sentencePoints;
      c.tip = "Play Word";
      break;
    case Role::Narration:
      c.tip = "Play All Words";
      break;
    case Role::Effect:
      c.icon = "speaker.ico";
      c.font = {"MS Sans Serif", 8, false, kColorNone};
      c.tip = "Play Sound";
      break;
    case Role::MediaPlay:
      if (row.text.empty()) c.icon = row.picture.empty() ? "PvMedPlay.gif" : row.picture;
      c.tip = "Play";
      c.flat = true;  // a small play mark over the picture, not a box
      break;
    case Role::ExtraLine:
      c.tip = "Play";
      break;
    case Role::Answer:
      break;
    case Role::Label:
      c.type = TypeString;
      c.font.points = 36;
      break;
  }
  if (row.points) c.font.points = row.points;
  if (row.color != kColorNone) c.font.color = row.color;
  if (!row.tip.empty()) c.tip = row.tip;
  if (!row.face.empty()) c.font.face = row.face;
  return c;
}

class PageController : public BookWindow {
 public:
  PageController(const BookDef& book, const PageDef& page)
      : BookWindow(page.procedure), book_(book), page_(PageForChild(page, ChildName(book.iniFile))) {
    // One player object per sound control; no two controls share one.
    for (std::size_t i = 0; i < page.controls.size(); ++i)
      if (PlaysSound(page.controls[i].role)) sounds_[static_cast<int>(i) + 1] = std::make_unique<PvMediaAPI>();
  }

  int Init() override {
    const int level = BeginInit(true);
    if (level != LevelOk) return level;
    wdrt::WindowDef def = PageWindow(book_, page_);
    def.maximized = Globals().kiosk;  // full screen for a child, each page fills the frame
    window = wdrt::Open(def);
    OPENED = 1;
    ShowPictureButtons(book_.pictureButtonPicture, kPageLastControl, page_.pictureButtons);
    // The narration plays by itself once the window is up.
    wdrt::PostToWindow(window, wdrt::EventAccepted, page_.narration);
    AttachPageResizer();
    ArmAlertKeys();
    return LevelOk;
  }

  int OnEvent() override {
    const wdrt::Event event = wdrt::CurrentEvent();
    if (event.number == wdrt::EventTimer && event.control == 0) readAlong_.Follow();
    return BookWindow::OnEvent();
  }

  int Kill() override {
    readAlong_.End();
    return BookWindow::Kill();
  }

  int OnAccepted() override {
    const int level = WindowController::OnAccepted();
    const int control = wdrt::CurrentEvent().control;
    if (control < 1 || control > static_cast<int>(page_.controls.size())) return level;
    const PageControl& row = page_.controls[control - 1];
    if (PlaysSound(row.role)) {
      UpdateComponents();
      // An answer shows at once whether it is right, before its spoken reply.
      if (row.role == Role::Answer)
        wdrt::SetProp(window, control, wdrt::PropAnswerReply, (++replies_ << 1) | (row.right ? 1 : 0));
      PvMediaAPI& sound = *sounds_[control];
      readAlong_.End();
      lastResult_ = sound.Stop();
      // The grown-ups' sound choices are read at each press, so a change is heard at once.
      const SoundChoices choices = CurrentSoundChoices(book_.iniFile);
      if (choices.mute) {
        wdrt::JournalLine("sound-muted " + wdrt::JournalQuote(row.sound));
        return level;
      }
      wdrt::SetOutputVolume(row.role == Role::Effect ? choices.effectsVolume : choices.narrationVolume);
      // A parent's take of the text as the page shows it now stands in for the made voice.
      const std::optional<std::string> take =
          useRecordings_ ? TakeToPlay(book_.program, row.sound, SpokenText(row.sound, nameVoice_.name)) : std::nullopt;
      const std::string file = take ? *take : SoundToPlay(row.sound, nameVoice_);
      lastResult_ = sound.Play(file);
      if (lastResult_ && readAlongOn_) ReadAlongWith(control, file, take ? SpokenText(row.sound, nameVoice_.name) : "");
    } else if (row.role == Role::Next) {
      UpdateComponents();
      StartPage(row.next);
      Reset(0);
    }
    return level;
  }

 private:
  // Lights up the words on the page that the sound just started says, as they are heard. A
  // take whose words are not timed (yet) lights the text it says whole while it plays.
  void ReadAlongWith(int control, const std::string& sound, const std::string& takeText) {
    const std::optional<std::vector<TimedWord>> timed = HeardWordsOf(sound);
    if (timed)
      readAlong_.Begin(window, sound, PlanReadAlong(page_, control, *timed));
    else if (!takeText.empty())
      readAlong_.Begin(window, sound, PlanWholeText(page_, control, takeText));
  }

  const BookDef& book_;
  const PageDef page_;
  // As chosen when the page opened.
  const NameVoice nameVoice_ = CurrentNameVoice(book_.iniFile);
  const bool readAlongOn_ = ReadAlongChosen(book_.iniFile);
  const bool useRecordings_ = UseRecordingsChosen(book_.iniFile);
  ReadAlong readAlong_;
  std::map<int, std::unique_ptr<PvMediaAPI>> sounds_;
  std::uint8_t lastResult_ = 0;
  long replies_ = 0;
};

}  // namespace

PageDef PageForChild(const PageDef& page, const std::string& name) {
  PageDef filled = page;
  for (PageControl& row : filled.controls) row.text = WithChildName(row.text, name);
  return filled;
}

bool PlaysSound(Role role) {
  switch (role) {
    case Role::Word:
    case Role::Sentence:
    case Role::Narration:
    case Role::Effect:
    case Role::MediaPlay:
    case Role::ExtraLine:
    case Role::Answer:
      return true;
    default:
      return false;
  }
}

wdrt::WindowDef PageWindow(const BookDef& book, const PageDef& page) {
  wdrt::WindowDef def;
  def.kind = wdrt::WindowKind::MdiChild;
  def.module = ModuleName(book.program, page.module);
  def.title = kPageTitle;
  def.size = {0, 0, page.width, page.height};
  def.background = page.background;
  def.font = {"MS Sans Serif", 8, false, wdrt::kColorNone};
  for (const PageControl& row : page.controls) def.controls.push_back(ControlOf(book, row));
  return def;
}

void PageProcedure(int module) {
  BookGlobals& g = Globals();
  if (!g.book) return;
  const PageDef* page = g.book->Page(module);
  if (!page) return;
  PageController controller(*g.book, *page);
  g.GlobalResponse = controller.Run();
  wdrt::Close(controller.window);
}

void StartPage(int module) {
  wdrt::Start([module] { PageProcedure(module); }, 25000);
}

}  // namespace book
