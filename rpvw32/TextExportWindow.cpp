// WMF2ASCII: the progress window "Converting WMF to Text" works through the pages on its
// timer, one page per tick, writing each page's lines to the target file.
#include <QFile>
#include <fstream>

#include "rpvw32/TextExport.h"
#include "rpvw32/Utilities.h"
#include "runtime/core/Journal.h"
#include "runtime/core/Runtime.h"
#include "runtime/dialogs/FileDialog.h"

namespace rpvw {
namespace {

wdrt::WindowDef ProgressWindow() {
  wdrt::WindowDef def;
  def.title = "Converting WMF to Text";
  def.size = {0, 0, 220, 30};
  def.font = {"Arial", 10};
  def.resizable = false;
  wdrt::ControlDef message;
  message.type = wdrt::TypeString;
  message.use = "?MESSAGE";
  message.pos = {8, 8, 204, 14};
  def.controls = {message};
  return def;
}

}  // namespace

bool Wmf2Ascii(const PreviewQueue& pages, int linesPerPage, const std::string& target) {
  std::string file = target;
  if (!file.empty() && file[0] == '~') {
    auto chosen = wdrt::AskSaveFileName("Save to what Filename?", "Text|*.TXT|All Files|*.*", file.substr(1));
    if (!chosen) return false;
    file = *chosen;
  }
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  const std::vector<std::string> names = pages.Names();
  wdrt::WindowPtr window = wdrt::Open(ProgressWindow());
  wdrt::SetTimer(window, 1);
  std::size_t next = 0;
  wdrt::Event event;
  while (wdrt::Accept(window, event)) {
    if (event.number == wdrt::EventCloseWindow || event.number == wdrt::EventCloseDown) break;
    if (event.number != wdrt::EventTimer) continue;
    if (next >= names.size()) break;
    wdrt::SetText(window, 1, "Reading Page " + std::to_string(next + 1));
    QFile page(QString::fromStdString(names[next]));
    if (page.open(QIODevice::ReadOnly)) {
      for (const std::string& line : PageTextLines(page.readAll(), linesPerPage)) out << line << "\r\n";
    }
    ++next;
  }
  wdrt::Close(window);
  out.close();
  wdrt::JournalLine("text-export " + wdrt::JournalQuote(file) + " " + std::to_string(next));
  return static_cast<bool>(out);
}

}  // namespace rpvw
