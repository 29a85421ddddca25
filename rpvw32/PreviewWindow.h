// The "Report Preview" window, the "Find..." window and the one-band work report as data,
// with the texts, tooltips, menu strings and icons read from the previewer's settings file.
// Plain data; any thread.
#pragma once

#include <map>
#include <string>

#include "runtime/core/WindowDef.h"
#include "runtime/report/ReportDef.h"

namespace rpvw {

// Control numbers of the preview window, in definition order.
enum PreviewControl : int {
  MENUBAR = 1, FULLWIDTH, FULLHEIGHT, ZOOMPCTVAL, FIRSTPAGE, PREVPAGE, NEXTPAGE, LASTPAGE, PRINTTHISPAGE,
  VISIBLEPAGENUMBER, PAGECOUNT, COPIESPROMPT, PRINT, CLOSE, ASCIIOUTBUTTON, NBROFCOPIES, PAGEPROMPT,
  ZOOMPCTPROMPT, PAGESTOPRINTPROMPT, PGSTOPRINT, SEARCH, PRINTANDSTAY, EXTRABUTTON1, EXTRABUTTON2,
  EXTRABUTTON3, IMAGEREGION, BORDER, ZOOMEDIMAGE,
};

// The settings file's texts (section "DISPLAY STRINGS 2.0"), icons ("Preview Icons") and
// help ("PREVIEW HELP 2.0"), each with its default.
struct PreviewTexts {
  std::map<std::string, std::string> strings;
  std::map<std::string, std::string> icons;  // key → icon name ("" keeps the built-in one)
  std::string helpFile;
  std::string helpContext;
  const std::string& operator[](const std::string& key) const;
};

PreviewTexts ReadPreviewTexts(const std::string& iniFile);
wdrt::WindowDef PreviewWindowDef(const PreviewTexts& texts);
wdrt::WindowDef FindWindowDef();
wdrt::report::ReportDef WorkReportDef();

// The window's toolbar height in dialog units; the page viewport lies below it.
constexpr int kToolbarHeight = 40;

}  // namespace rpvw
