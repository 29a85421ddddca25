#include "framework/MessageWindow.h"

#include "framework/ErrorManager.h"
#include "runtime/core/Events.h"
#include "runtime/core/Runtime.h"

int ErrorHistoryList::OnEvent() {
  if (wdrt::CurrentEvent().number != wdrt::EventOpenWindow || !owner_.window) return LevelOk;
  rows_ = errors_.HistorySnapshot();
  // The runtime's list holds its rows as text: one line a row, columns split by a tab.
  std::string rows;
  const std::size_t count = RowCount();
  for (std::size_t i = 0; i < count; ++i) {
    if (i) rows += '\n';
    rows += Cell(i, 1) + '\t' + Cell(i, 2);
  }
  wdrt::SetText(owner_.window, MessageWindow::kHistoryList, rows);
  wdrt::Display(owner_.window, MessageWindow::kHistoryList);
  return LevelOk;
}

std::size_t ErrorHistoryList::RowCount() const { return rows_.size(); }

std::string ErrorHistoryList::Cell(std::size_t row, int column) const {
  if (row >= rows_.size()) return {};
  const ErrorManager::HistoryRow& r = rows_[row];
  return column == 1 ? r.TXT : column == 2 ? r.CATEGORY : std::string();
}

MessageWindow::MessageWindow(ErrorManager& errors) : ERR(&errors) {}

MessageWindow::~MessageWindow() { Kill(); }

const wdrt::WindowDef& MessageWindow::Definition() {
  static const wdrt::WindowDef def = [] {
    wdrt::WindowDef d;
    d.kind = wdrt::WindowKind::Window;
    d.module = "errmsg";
    d.title = "Error";
    d.size = {0, 0, 320, 180};
    d.font = {"MS Sans Serif", 8, false, wdrt::kColorNone};
    d.resizable = false;
    for (int i = 0; i < 8; ++i) {
      wdrt::ControlDef button;
      button.type = wdrt::TypeButton;
      button.use = "?Button" + std::to_string(i + 1);
      button.pos = {8 + i * 38, 154, 36, 16};
      button.number = kFirstButton + i;
      button.hidden = true;
      d.controls.push_back(button);
    }
    wdrt::ControlDef list;
    list.type = wdrt::TypeList;
    list.use = "?List";
    list.pos = {48, 8, 264, 138};
    list.number = kHistoryList;
    wdrt::ControlDef messageColumn;
    messageColumn.text = "Message";
    wdrt::ControlDef categoryColumn;
    categoryColumn.text = "Category";
    list.items = {messageColumn, categoryColumn};
    d.controls.push_back(list);
    wdrt::ControlDef image;
    image.type = wdrt::TypeImage;
    image.use = "?Image";
    image.pos = {8, 8, 32, 32};
    image.number = kIcon;
    d.controls.push_back(image);
    return d;
  }();
  return def;
}

std::string MessageWindow::ButtonCaption(int button) {
  switch (button) {
    case wdrt::ButtonOk: return "O&k";
    case wdrt::ButtonYes: return "&Yes";
    case wdrt::ButtonNo: return "&No";
    case wdrt::ButtonAbort: return "&Abort";
    case wdrt::ButtonRetry: return "&Retry";
    case wdrt::ButtonIgnore: return "&Ignore";
    case wdrt::ButtonCancel: return "&Cancel";
    case wdrt::ButtonHelp: return "&Help";
    default: return {};
  }
}

std::string MessageWindow::IconPicture(int icon) {
  switch (icon) {
    case wdrt::IconHand: return "ICON:Hand";
    case wdrt::IconQuestion: return "ICON:Question";
    case wdrt::IconExclamation: return "ICON:Exclamation";
    default: return "ICON:Asterisk";
  }
}

int MessageWindow::Init() {
  const int level = WindowController::Init();
  if (level != LevelOk) return level;
  HISTORYHANDLER = std::make_unique<ErrorHistoryList>(*ERR, *this);
  AddComponent(HISTORYHANDLER.get());
  WIN = wdrt::Open(Definition());
  window = WIN;
  OPENED = 1;
  if (!CAPTION.empty()) WIN->SetTitle(CAPTION);
  MSGBUTTONS = 0;
  for (int value = wdrt::ButtonHelp; value >= wdrt::ButtonOk; value >>= 1) {
    if (!(BUTTONTYPES & value)) continue;
    const int control = kFirstButton + MSGBUTTONS;
    MSGBUTTONID[static_cast<std::size_t>(MSGBUTTONS)] = value;
    ++MSGBUTTONS;
    wdrt::SetText(WIN, control, ButtonCaption(value));
    if (value == MSGRVAL) FIRSTFIELD = control;  // the default button takes the focus
    wdrt::Unhide(WIN, control);
  }
  wdrt::SetPicture(WIN, kIcon, IconPicture(ICON == 0 ? wdrt::IconAsterisk : ICON));
  return LevelOk;
}

int MessageWindow::OnAccepted() {
  const int level = WindowController::OnAccepted();
  if (level != LevelOk) return level;
  const int control = wdrt::CurrentEvent().control;
  const int index = control - kFirstButton;
  if (index >= 0 && index < MSGBUTTONS) {
    MSGRVAL = MSGBUTTONID[static_cast<std::size_t>(index)];
    return LevelFatal;
  }
  return LevelOk;
}

int MessageWindow::Kill() {
  const int level = WindowController::Kill();
  if (level != LevelOk) return level;
  CAPTION.clear();
  if (WIN) wdrt::Close(WIN);
  OPENED = 0;
  HISTORYHANDLER.reset();
  return LevelOk;
}
