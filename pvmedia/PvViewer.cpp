#include "pvmedia/PvViewer.h"

#include "runtime/core/Runtime.h"

std::int32_t PvViewer::HiddenMediaLoad() {
  try {
    // The library's hidden window: one OLE control that a media document could load into.
    wdrt::WindowDef def;
    def.module = "pvmedia_hidden";
    def.title = "pvHiddenLoad";
    def.size = {0, 0, 10, 10};
    wdrt::ControlDef control;
    control.type = wdrt::TypeOle;
    control.use = "?PVHIDDENLOAD:2";
    control.pos = {0, 0, 10, 10};
    control.hidden = true;
    def.controls.push_back(control);
    const wdrt::WindowPtr window = wdrt::Open(def);
    wdrt::Close(window);
  } catch (...) {
  }
  return 0;
}

std::string PvViewer::AnalyzeEvent(std::string_view, std::int32_t, std::int32_t) { return {}; }
