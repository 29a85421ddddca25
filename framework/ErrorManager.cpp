#include "framework/ErrorManager.h"

#include <cctype>

#include "framework/ErrorLogTime.h"
#include "framework/MessageWindow.h"
#include "runtime/core/Events.h"
#include "runtime/core/Runtime.h"
#include "runtime/core/Threads.h"
#include "runtime/data/ErrorState.h"
#include "runtime/dialogs/Message.h"
#include "runtime/os/Process.h"

namespace {

constexpr std::size_t kText255 = 254;        // texts of 255 bytes, zero-ended
constexpr std::size_t kWorkingText = 1999;   // the substitution's working text of 2000 bytes
constexpr std::size_t kHistoryText = 1023;
constexpr int kYesNo = wdrt::ButtonYes | wdrt::ButtonNo;

std::string CutTrailingBlanks(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::string Cut(std::string text, std::size_t size) {
  if (text.size() > size) text.resize(size);
  return text;
}

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool MatchesAt(const std::string& text, std::size_t at, std::string_view word) {
  if (text.size() - at < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (Lower(text[at + i]) != Lower(word[i])) return false;
  }
  return true;
}

// A text under substitution: pieces that came from the message (still searched) and pieces
// that are replacements (never searched again).
class Substitution {
 public:
  explicit Substitution(std::string text) { pieces_.push_back({std::move(text), true}); }

  void Replace(std::string_view placeholder, const std::string& value) {
    std::vector<Piece> out;
    for (Piece& piece : pieces_) {
      if (!piece.searchable) {
        out.push_back(std::move(piece));
        continue;
      }
      std::size_t start = 0;
      for (std::size_t at = 0; at < piece.text.size();) {
        if (MatchesAt(piece.text, at, placeholder)) {
          out.push_back({piece.text.substr(start, at - start), true});
          out.push_back({value, false});
          at += placeholder.size();
          start = at;
        } else {
          ++at;
        }
      }
      out.push_back({piece.text.substr(start), true});
    }
    pieces_ = std::move(out);
  }

  std::string Text() const {
    std::string text;
    for (const Piece& piece : pieces_) text += piece.text;
    return Cut(std::move(text), kWorkingText);
  }

 private:
  struct Piece {
    std::string text;
    bool searchable;
  };
  std::vector<Piece> pieces_;
};

// The row that Report or AskUser selected on this thread, for the handlers they call.
thread_local const void* currentSelection = nullptr;

}  // namespace

ErrorManager::ErrorManager() = default;

ErrorManager::~ErrorManager() { Kill(); }

void ErrorManager::Construct() {
  STDERRORLOG = std::make_unique<TextErrorLog>();
  DEFAULTCATEGORY = "KIT";
  HISTORYTHRESHOLD = 0;
  HISTORYVIEWLEVEL = 3;
  HISTORYRESETONVIEW = 0;
  Init(STDERRORLOG.get());
}

void ErrorManager::Init(ErrorLogInterface* log) {
  {
    std::lock_guard lock(stateMutex_);
    ERRORLOG = log;
    ERRORS = std::make_unique<std::vector<MessageRow>>();
    if (!HISTORY) HISTORY = std::make_unique<std::vector<HistoryRow>>();
    killed_ = false;
  }
  LoadMessages(StandardMessageTable());
  {
    std::lock_guard lock(namesMutex_);
    PROCNAMES = std::make_unique<std::vector<ProcNameRow>>();
  }
  wdrt::SetProcedureNameSource([this](int thread) { return ProcedureOf(thread); });
}

void ErrorManager::Kill() {
  {
    std::lock_guard lock(stateMutex_);
    if (killed_ || !ERRORS) return;
    killed_ = true;
  }
  wdrt::SetProcedureNameSource(nullptr);
  std::lock_guard lock(stateMutex_);
  ERRORS.reset();
  HISTORY.reset();
  {
    std::lock_guard names(namesMutex_);
    PROCNAMES.reset();
  }
  if (STDERRORLOG) {
    if (ERRORLOG == STDERRORLOG.get()) ERRORLOG = nullptr;
    STDERRORLOG->Kill();
    STDERRORLOG.reset();
  }
}

void ErrorManager::LoadMessages(std::span<const std::uint8_t> table) {
  std::vector<MessageRow> rows = DecodeMessageTable(table);
  std::lock_guard lock(stateMutex_);
  if (!ERRORS) return;
  for (MessageRow& row : rows) ERRORS->push_back(std::move(row));
}

void ErrorManager::AppendHistory() {
  std::lock_guard lock(stateMutex_);
  if (HISTORY) HISTORY->push_back(preparedHistory_);
}

std::vector<ErrorManager::HistoryRow> ErrorManager::HistorySnapshot() const {
  std::lock_guard lock(stateMutex_);
  return HISTORY ? *HISTORY : std::vector<HistoryRow>();
}

void ErrorManager::NoteFile(const std::string& name) {
  std::lock_guard lock(stateMutex_);
  FILENAME = Cut(CutTrailingBlanks(name), kText255);
}

void ErrorManager::AssignCategory(std::int32_t id, const std::string& category) {
  std::lock_guard lock(stateMutex_);
  if (id == -1) {
    DEFAULTCATEGORY = category;
    return;
  }
  if (!ERRORS) return;
  for (MessageRow& row : *ERRORS) {
    if (row.ID == id) row.CATEGORY = category;
  }
}

void ErrorManager::SaveErrorState() {
  std::lock_guard lock(stateMutex_);
  SAVEERRORCODE = wdrt::ErrorCode();
  SAVEERROR = Cut(CutTrailingBlanks(wdrt::ErrorText()), kText255);
  SAVEFILEERRORCODE = Cut(CutTrailingBlanks(wdrt::FileErrorCode()), kText255);
  SAVEFILEERROR = Cut(CutTrailingBlanks(wdrt::FileErrorText()), kText255);
}

std::size_t ErrorManager::SelectIndex(std::int32_t id) const {
  for (std::size_t i = ERRORS->size(); i-- > 0;) {
    if ((*ERRORS)[i].ID == id) return i;
  }
  return 0;
}

std::string ErrorManager::CategoryOf(const MessageRow& row) const {
  return row.CATEGORY.empty() ? DEFAULTCATEGORY : row.CATEGORY;
}

std::string ErrorManager::SubstituteText(std::int32_t id) const {
  std::lock_guard lock(stateMutex_);
  if (!ERRORS || ERRORS->empty()) return {};
  const std::size_t index = SelectIndex(id);
  const MessageRow& row = (*ERRORS)[index];

  Substitution text(row.MESSAGE);
  text.Replace("%FileErrorCode", SAVEFILEERRORCODE);
  text.Replace("%FileError", SAVEFILEERROR);
  text.Replace("%File", FILENAME);
  text.Replace("%ErrorCode", std::to_string(SAVEERRORCODE));
  if (SAVEERRORCODE == wdrt::ErrDriver) {
    text.Replace("%ErrorText", SAVEFILEERROR + " (" + SAVEFILEERRORCODE + ")");
  } else {
    text.Replace("%ErrorText", SAVEERROR + " (" + std::to_string(SAVEERRORCODE) + ")");
  }
  text.Replace("%Error", SAVEERROR);
  text.Replace("%Message", MESSAGETEXT);
  text.Replace("%Field", FIELDNAME);
  text.Replace("%Procedure", CurrentProcedure());
  text.Replace("%Category", row.CATEGORY);
  std::string previous;
  for (std::size_t i = index; i-- > 0;) {
    if ((*ERRORS)[i].ID == row.ID) {
      previous = (*ERRORS)[i].MESSAGE;
      break;
    }
  }
  text.Replace("%Previous", previous);
  return text.Text();
}

const ErrorManager::Selection& ErrorManager::Selected() const {
  static const Selection none;
  return currentSelection ? *static_cast<const Selection*>(currentSelection) : none;
}

namespace {

// Makes a selection current on this thread for the handlers that Report and AskUser call,
// and puts back the one before (a handler may report again).
class SelectionScope {
 public:
  explicit SelectionScope(const void* selection) : previous_(currentSelection) { currentSelection = selection; }
  ~SelectionScope() { currentSelection = previous_; }
  SelectionScope(const SelectionScope&) = delete;
  SelectionScope& operator=(const SelectionScope&) = delete;

 private:
  const void* previous_;
};

}  // namespace

int ErrorManager::Report(std::int32_t id) {
  Selection selection;
  {
    std::lock_guard lock(stateMutex_);
    if (!ERRORS || ERRORS->empty()) return LevelOk;
    selection.row = (*ERRORS)[SelectIndex(id)];
  }
  selection.text = SubstituteText(id);
  SelectionScope scope(&selection);
  switch (selection.row.FATALITY) {
    case 0: return HandleOk();
    case 1:
    case 4: return HandleQuestion();
    case 2: return HandleProgram();
    case 3: return HandleFatal();
    case 5: return HandleNotice();
    default: return HandleOther();
  }
}

int ErrorManager::ReportFailure(std::int32_t id) {
  SaveErrorState();
  return Report(id);
}

int ErrorManager::AskUser(std::int32_t id, int buttons, int defaultButton) {
  if (SILENT) return defaultButton;
  Selection selection;
  {
    std::lock_guard lock(stateMutex_);
    if (!ERRORS || ERRORS->empty()) return defaultButton;
    selection.row = (*ERRORS)[SelectIndex(id)];
  }
  selection.text = SubstituteText(id);
  SelectionScope scope(&selection);
  return ShowMessage(selection.text, selection.row.TITLE, wdrt::IconQuestion, buttons, defaultButton, 0);
}

int ErrorManager::HandleOk() { return LevelOk; }

int ErrorManager::HandleQuestion() {
  const Selection& s = Selected();
  const int answer = ShowMessage(s.text, s.row.TITLE, wdrt::IconExclamation, kYesNo, wdrt::ButtonYes, 0);
  return answer == wdrt::ButtonYes ? LevelOk : LevelCancel;
}

int ErrorManager::HandleNotice() {
  const Selection& s = Selected();
  ShowMessage(s.text, s.row.TITLE, wdrt::IconAsterisk, wdrt::ButtonOk, wdrt::ButtonOk, 0);
  return LevelNotice;
}

int ErrorManager::HandleFatal() {
  const Selection& s = Selected();
  const std::string title = s.row.TITLE;
  ShowMessage(Cut(s.text + "  Press OK to end this application", kWorkingText), title, wdrt::IconAsterisk,
              wdrt::ButtonOk, wdrt::ButtonOk, 0);
  wdrt::Halt(0, title);
}

int ErrorManager::HandleProgram() { return HandleFatal(); }

int ErrorManager::HandleOther() { return HandleFatal(); }

int ErrorManager::ShowMessage(const std::string& text, const std::string& caption, int icon, int buttons,
                              int defaultButton, int style) {
  bool showHistory = false;
  {
    std::lock_guard lock(stateMutex_);
    if (LOGERRORS && ERRORLOG) {
      // A log that cannot be opened or written is passed over.
      if (ERRORLOG->Open(false) == LevelOk) ERRORLOG->Write(ErrorLogLine(text));
      ERRORLOG->Close(false);
    }
    if (HISTORYTHRESHOLD != 0 && HISTORY) {
      if (HISTORYTHRESHOLD > 0) {
        const auto keep = static_cast<std::size_t>(HISTORYTHRESHOLD - 1);
        if (HISTORY->size() > keep) HISTORY->erase(HISTORY->begin(), HISTORY->end() - static_cast<std::ptrdiff_t>(keep));
      }
      const Selection& s = Selected();
      preparedHistory_.TXT = Cut(text, kHistoryText);
      preparedHistory_.ID = static_cast<std::int16_t>(s.row.ID);
      preparedHistory_.CATEGORY = CategoryOf(s.row);
      AppendHistory();
      showHistory = Selected().row.FATALITY == HISTORYVIEWLEVEL;
    }
  }
  if (SILENT) return defaultButton;
  if (HISTORYTHRESHOLD == 0) return SystemMessage(text, caption, icon, buttons, defaultButton, style);
  if (!showHistory) return defaultButton;
  const int answer = ShowWithHistory(caption, icon, buttons, defaultButton);
  if (HISTORYRESETONVIEW) {
    std::lock_guard lock(stateMutex_);
    if (HISTORY) HISTORY->clear();
  }
  return answer;
}

int ErrorManager::SystemMessage(const std::string& text, const std::string& caption, int icon, int buttons,
                                int defaultButton, int /*style*/) {
  return wdrt::Message(text, caption, icon, buttons, defaultButton);
}

int ErrorManager::ShowWithHistory(const std::string& caption, int icon, int buttons, int defaultButton) {
  MessageWindow window(*this);
  window.CAPTION = caption;
  window.ICON = icon;
  window.BUTTONTYPES = buttons;
  window.MSGRVAL = defaultButton;
  window.Run();
  return window.MSGRVAL;
}

int ErrorManager::ShowHistory() {
  return ShowWithHistory("Errors History", 0, wdrt::ButtonOk | wdrt::ButtonHelp, wdrt::ButtonOk);
}

void ErrorManager::PushProcedure(const std::string& name) {
  const int thread = wdrt::Thread();
  std::lock_guard lock(namesMutex_);
  if (PROCNAMES) PROCNAMES->push_back(ProcNameRow{thread, CutTrailingBlanks(name)});
}

void ErrorManager::PopProcedure() {
  const int thread = wdrt::Thread();
  std::lock_guard lock(namesMutex_);
  if (!PROCNAMES) return;
  for (auto it = PROCNAMES->end(); it != PROCNAMES->begin();) {
    --it;
    if (it->THREAD == thread) {
      if (!it->NAME.empty()) PROCNAMES->erase(it);
      return;
    }
  }
}

std::string ErrorManager::ProcedureOf(std::int32_t thread) const {
  std::lock_guard lock(namesMutex_);
  if (!PROCNAMES) return {};
  for (auto it = PROCNAMES->rbegin(); it != PROCNAMES->rend(); ++it) {
    if (it->THREAD == thread) return it->NAME;
  }
  return {};
}

std::string ErrorManager::CurrentProcedure() const { return ProcedureOf(wdrt::Thread()); }
