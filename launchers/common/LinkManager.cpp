#include "launchers/common/LinkManager.h"

#include <algorithm>

#include "runtime/core/WindowDef.h"
#include "runtime/dialogs/Message.h"
#include "runtime/os/DesktopDefaults.h"
#include "runtime/os/Process.h"
#include "runtime/os/Shell.h"

namespace {

constexpr std::size_t kCommandBytes = 200;  // a registered command is read into 200 bytes
constexpr std::size_t kUrlBytes = 4096;
constexpr int kPropStyleForeground = 7936;  // list style colours, per style number
constexpr int kPropStyleSelected = 7937;

std::string Cut(std::string text, std::size_t size) {
  if (text.size() > size) text.resize(size);
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// Column `column` (from 1) of a list row whose columns are separated by tabs.
std::string ListCell(const std::string& row, int column) {
  std::size_t start = 0;
  for (int i = 1; i < column; ++i) {
    start = row.find('\t', start);
    if (start == std::string::npos) return {};
    ++start;
  }
  return row.substr(start, row.find('\t', start) - start);
}

bool Blank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

bool Inside(const wdrt::Geometry& rect, const wdrt::Geometry& point) {
  return point.x >= rect.x && point.x < rect.x + rect.width && point.y >= rect.y && point.y < rect.y + rect.height;
}

}  // namespace

std::string ShellErrorText(long result) {
  switch (result) {
    case 32: return "The specified dynamic-link library was not found. File:|";
    case 31: return "There is no application associated with the given file name extension. File:|";
    case 30: return "The DDE transaction could not be completed because other DDE transactions were being processed. File:|";
    case 29: return "The DDE transaction failed. File:|";
    case 28: return "The DDE transaction could not be completed because the request timed out. File:|";
    case 27: return "The file name association is incomplete or invalid. File:|";
    case 26: return "A sharing violation occurred. File:|";
    case 8: return "There was not enough memory to complete the operation. File:|";
    case 5: return "The operating system denied access to the specified file. File:|";
    case 3: return "The specified path was not found. File:|";
    case 2: return "The specified file was not found. File:|";
    case 0: return "The Operating system is out of memory/resources. File:|";
    default: return {};
  }
}

std::vector<std::string> MailCommandArguments(const std::string& command, const std::string& target) {
  std::vector<std::string> words = wdrt::SplitCommandLine(command);
  if (words.empty()) return {};
  const std::string address = Cut(target, kUrlBytes);
  for (std::string& word : words) {
    const std::size_t percent = word.find('%');
    if (percent == std::string::npos) continue;
    const std::string after = percent + 2 <= word.size() ? word.substr(percent + 2) : std::string();
    word = word.substr(0, percent) + "mailto:" + address + after;
    return words;
  }
  words.push_back(address);
  return words;
}

void LinkManager::Init(std::int32_t pollEvent, bool keepPollEvent) {
  window_ = wdrt::Target();
  ITEMQ = std::make_unique<std::vector<LinkRow>>();
  if (!keepPollEvent) {
    HANDCURSOR = pollEvent;
    if (pollEvent == wdrt::EventTimer) wdrt::SetTimer(window_, 8);
  }
  INITED = 1;
}

void LinkManager::ReadCommands() {
  if (commandsRead_) return;
  commandsRead_ = true;
  // The desktop's answer takes helper processes, which a menu opening must not wait for: it is
  // asked when a link is first used (and the runtime keeps it). A command set before stands.
  if (HYPERBROWSER.empty()) HYPERBROWSER = Cut(wdrt::OpenCommand("x-scheme-handler/http"), kCommandBytes);
  if (HYPEREMAIL.empty()) HYPEREMAIL = Cut(wdrt::OpenCommand("x-scheme-handler/mailto"), kCommandBytes);
}

void LinkManager::AddLink(std::int32_t control, const std::string& url, bool omitUrl, std::uint32_t normal,
                          bool omitUnderline, std::uint8_t underline, bool omitBright, std::uint32_t bright,
                          bool normalFromFont) {
  if (!ITEMQ) return;
  LinkRow row;
  row.CONTROL = control;
  row.URL = "-1";
  const long type = wdrt::GetProp(window_, control, wdrt::PropType);
  if (type == wdrt::TypeList) {
    row.COLUMN = std::atoi(url.c_str());
    row.STYLE = 1 + static_cast<std::int32_t>(std::count_if(ITEMQ->begin(), ITEMQ->end(),
                                                            [&](const LinkRow& r) { return r.CONTROL == control; }));
  } else if (!omitUrl) {
    row.URL = url.substr(0, kUrlBytes);
  }
  row.NORMAL = normal;
  if (normalFromFont && type == wdrt::TypeString) {
    if (auto state = window_->Control(control); state && state->def.font.color != wdrt::kColorNone)
      row.NORMAL = state->def.font.color;
  }
  if (!omitUnderline) row.UNDERLINE = underline & 1;
  if (!omitBright) row.BRIGHT = bright;
  ITEMQ->push_back(row);
  Prepare(row);
}

void LinkManager::Prepare(const LinkRow& row) {
  const long type = wdrt::GetProp(window_, row.CONTROL, wdrt::PropType);
  switch (type) {
    case wdrt::TypeItem:
    case wdrt::TypeButton:
    case wdrt::TypeEntry:
    case wdrt::TypeCombo:
    case wdrt::TypeText:
    case wdrt::TypeRegion:
      return;
    case wdrt::TypeList:
      wdrt::SetProp(window_, row.CONTROL, kPropStyleForeground + 2 * row.STYLE, row.NORMAL);
      wdrt::SetProp(window_, row.CONTROL, kPropStyleSelected + 2 * row.STYLE, row.BRIGHT);
      return;
    default:
      break;
  }
  if (type == wdrt::TypeString && row.UNDERLINE)
    window_->Update(row.CONTROL, [](wdrt::ControlState& c) { c.def.font.underline = true; });
  const int overlay = row.CONTROL + kLinkOverlayOffset;
  if (!window_->HasControl(overlay)) {
    wdrt::ControlDef def;
    def.type = wdrt::TypeRegion;
    def.transparent = true;
    def.cursor = "~hand.cur";
    def.pos = wdrt::GetPosition(window_, row.CONTROL);
    def.parent = static_cast<int>(wdrt::GetProp(window_, row.CONTROL, wdrt::PropParent));
    wdrt::CreateControl(window_, overlay, def);
  }
  wdrt::Unhide(window_, overlay);
}

std::string LinkManager::TargetFor(const LinkRow& row) {
  const long type = wdrt::GetProp(window_, row.CONTROL, wdrt::PropType);
  if (type == wdrt::TypeList) {
    LISTURL = ListLinkText(ListCell(wdrt::GetValue(window_, row.CONTROL), row.COLUMN));
    return LISTURL;
  }
  if (type == wdrt::TypeEntry) return wdrt::GetValue(window_, row.CONTROL);
  if (!Blank(row.URL)) return row.URL;
  if (type == wdrt::TypeString || type == wdrt::TypeCombo) {
    const std::string shown = wdrt::GetValue(window_, row.CONTROL);
    return shown.empty() ? wdrt::GetText(window_, row.CONTROL) : shown;
  }
  return wdrt::GetText(window_, row.CONTROL);
}

void LinkManager::ShowBright(LinkRow& row) {
  if (row.WORKING) return;
  row.WORKING = 1;
  if (row.BRIGHT == 0 || wdrt::GetProp(window_, row.CONTROL, wdrt::PropType) != wdrt::TypeString) return;
  window_->Update(row.CONTROL, [&](wdrt::ControlState& c) {
    if (row.NORMAL == 0) row.NORMAL = c.def.font.color;  // remembered once
    c.def.font.color = row.BRIGHT;
  });
  wdrt::Display(window_, row.CONTROL);
}

void LinkManager::ShowNormal(LinkRow& row) {
  row.WORKING = 0;
  if (row.BRIGHT == 0) return;
  const wdrt::Rgb normal = row.NORMAL != 0 ? row.NORMAL : window_->Def().font.color;
  window_->Update(row.CONTROL, [&](wdrt::ControlState& c) { c.def.font.color = normal; });
  wdrt::Display(window_, row.CONTROL);
}

int LinkManager::OnEvent() {
  if (!ITEMQ || !window_) return 0;
  const wdrt::Event event = wdrt::CurrentEvent();
  int control = event.control;
  if (control > kLinkOverlayOffset && !std::any_of(ITEMQ->begin(), ITEMQ->end(), [&](const LinkRow& r) {
        return r.CONTROL == control;
      }))
    control -= kLinkOverlayOffset;
  if (event.number == wdrt::EventSized) Place();
  for (LinkRow& row : *ITEMQ) {
    if (control == 0 || row.CONTROL != control) continue;
    switch (event.number) {
      case wdrt::EventAccepted:
        URLTORUN = TargetFor(row).substr(0, kUrlBytes);
        if (!Blank(URLTORUN)) Open();
        break;
      case wdrt::EventMouseIn:
      case wdrt::EventMouseMove:
        ShowBright(row);
        if (wdrt::GetProp(window_, row.CONTROL, wdrt::PropType) == wdrt::TypeList) SetCursor(row.CONTROL, "~hand2.cur");
        break;
      case wdrt::EventMouseOut:
        if (wdrt::GetProp(window_, row.CONTROL, wdrt::PropType) == wdrt::TypeList) SetCursor(row.CONTROL, "");
        ShowNormal(row);
        break;
      default:
        break;
    }
  }
  PollHover();
  return 0;
}

void LinkManager::PollHover() {
  if (HANDCURSOR == 0 || !ITEMQ || wdrt::CurrentEvent().number != HANDCURSOR) return;
  const std::optional<wdrt::Geometry> mouse = mousePosition ? mousePosition() : wdrt::MousePosition(window_);
  if (!mouse) return;
  for (LinkRow& row : *ITEMQ) {
    const int overlay = row.CONTROL + kLinkOverlayOffset;
    const int target = window_->HasControl(overlay) ? overlay : row.CONTROL;
    const wdrt::Geometry rect = wdrt::GetPosition(window_, row.CONTROL);
    if (row.WORKING && !Inside(rect, *mouse)) wdrt::PostToWindow(window_, wdrt::EventMouseOut, target);
    if (wdrt::GetProp(window_, row.CONTROL, wdrt::PropType) == wdrt::TypeList && Inside(rect, *mouse)) {
      const int column = ColumnAt(row.CONTROL, mouse->x - rect.x);
      if (column != hoverColumn_) {
        hoverColumn_ = column;
        OnHover(row.CONTROL, column, column == row.COLUMN ? 1 : 0, row.STYLE);
      }
    }
  }
}

void LinkManager::Place() {
  if (!ITEMQ) return;
  for (const LinkRow& row : *ITEMQ) {
    const int overlay = row.CONTROL + kLinkOverlayOffset;
    if (window_->HasControl(overlay)) wdrt::SetPosition(window_, overlay, wdrt::GetPosition(window_, row.CONTROL));
  }
}

void LinkManager::Open() {
  ReadCommands();
  const std::string target = Cut(URLTORUN, kUrlBytes);
  if (target.find('@') != std::string::npos) {
    std::vector<std::string> command = MailCommandArguments(HYPEREMAIL, target);
    if (!command.empty()) {
      wdrt::RunArguments(command, false);
      return;
    }
    // No mail program is registered: rather than run the address itself as a program, the
    // desktop's opener is asked, which reports that nothing handles "mailto".
    URLTORUN = "mailto:" + target;
  }
  const long result = wdrt::ShellExecuteA(wdrt::GetProp(window_, 0, wdrt::PropHandle), "", URLTORUN, "", "", 1);
  if (result > 32) return;
  const std::string text = ShellErrorText(result);
  if (!text.empty()) wdrt::Message(text + URLTORUN, "Shell Execute Error", wdrt::IconAsterisk, wdrt::ButtonOk);
}

void LinkManager::SetCursor(std::int32_t control, const std::string& cursor) {
  if (window_->Update(control, [&](wdrt::ControlState& c) { c.def.cursor = cursor; })) wdrt::Display(window_, control);
}

int LinkManager::ColumnAt(std::int32_t control, int x) const {
  const auto state = window_->Control(control);
  if (!state) return 0;
  int left = 0, column = 0;
  for (const wdrt::ControlDef& c : state->def.items) {
    ++column;
    if (x >= left && x < left + c.pos.width) return column;
    left += c.pos.width;
  }
  return 0;
}

void LinkManager::OnHover(std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}

std::string LinkManager::ListLinkText(const std::string& value) {
  if (value.find('@') == std::string::npos) return value;
  const std::string address = Cut(value, kUrlBytes);
  return "\"" + address + "\" <" + address + ">";
}

void LinkManager::SetLinkUrl(std::int32_t control, const std::string& url, bool clear) {
  if (!ITEMQ) return;
  if (wdrt::GetProp(window_, control, wdrt::PropType) == wdrt::TypeList) return;
  for (LinkRow& row : *ITEMQ)
    if (row.CONTROL == control) row.URL = clear ? std::string() : url.substr(0, kUrlBytes);
}
