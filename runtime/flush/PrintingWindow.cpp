#include "runtime/flush/PrintingWindow.h"

namespace wdrt {

WindowDef PrintingWindowDef() {
  WindowDef def;
  def.kind = WindowKind::Window;
  def.module = "flush";
  def.title = "Printing";
  def.size = {0, 0, 200, 76};
  def.font = {"MS Sans Serif", 8, false, kColorNone};
  def.resizable = false;
  ControlDef message;
  message.type = TypeString;
  message.use = "?PRINTING:MESSAGE";
  message.text = "Preparing the pages";
  message.pos = {10, 6, 180, 10};
  ControlDef bar;
  bar.type = TypeProgress;
  bar.use = "?PRINTING:PROGRESS";
  bar.pos = {10, 21, 180, 14};
  ControlDef pages;
  pages.type = TypeString;
  pages.use = "?PRINTING:PAGES";
  pages.pos = {10, 40, 180, 10};
  ControlDef cancel;
  cancel.type = TypeButton;
  cancel.use = "?PRINTING:CANCEL";
  cancel.text = "Cancel";
  cancel.pos = {77, 55, 45, 14};
  def.controls = {message, bar, pages, cancel};
  return def;
}

}  // namespace wdrt
