#include "rpvw32/PreviewWindow.h"

#include "runtime/data/Ini.h"

namespace rpvw {
namespace {

using wdrt::ControlDef;

constexpr std::pair<const char*, const char*> kStrings[] = {
    {"FullWidthTip", "Full WIDTH View"},
    {"FullHeightTip", "Full HEIGHT View"},
    {"ZoomPctValTip", "Current Display %"},
    {"FirstPageTip", "First Page"},
    {"PrevPageTip", "Previous Page"},
    {"NextPageTip", "Next Page"},
    {"LastPageTip", "Last Page"},
    {"PageNoTip", "Page Number shown"},
    {"PagesToPrintTip", "Pages to Print: ALL or Ranges (ie. 1-2,5,7,12-15)"},
    {"PrintThisPageTip", "Print THIS Page"},
    {"PrintTip", "Printing Options..."},
    {"ExitTip", "Exit without printing"},
    {"CopiesTip", "Number of Copies to Print"},
    {"TextOutTip", "TEXT File Output"},
    {"Extra1", "Extra Function 1"},
    {"Extra2", "Extra Function 2"},
    {"Extra3", "Extra Function 3"},
    {"PagesToPrintErrorText", "is invalid!"},
    {"PagesToPrintErrorHdg", "Error"},
    {"PagesToPrintValue", "All"},
    {"Window Title", "Report Preview"},
    {"PageOFprompt", "of"},
    {"PagesToPrintPrompt", "Pages to Print"},
    {"PageNoPrompt", "Page"},
    {"ZoomPctPrompt", "Zoom Pct"},
    {"CopiesPrompt", "Copies"},
    {"PmenuStr", "&Menu"},
    {"PmenuFullHeightStr", "Full &Height"},
    {"PmenuFullWidthStr", "Full &Width"},
    {"PmenuZoomPctStr", "&Zoom Percent"},
    {"PmenuFirstPageStr", "F&irst Page"},
    {"PmenuPrevPageStr", "Pr&evious Page"},
    {"PmenuNextPageStr", "&Next Page"},
    {"PmenuLastPageStr", "&Last Page"},
    {"PmenuPrintPageStr", "P&rint Page"},
    {"PmenuGoToPageStr", "&GoTo Page"},
    {"PmenuPagesToPrintStr", "Pages &to Print"},
    {"PmenuCopiesStr", "C&opies"},
    {"PmenuPrintStr", "&Print"},
    {"PmenuExitStr", "E&xit"},
    {"PmenuTextOutStr", "&Text Out"},
};

// Icon keys and the built-in icon each stands for.
constexpr std::pair<const char*, const char*> kIcons[] = {
    {"PreviewWinICO", "ICON:Print"},    {"FullWidthICO", "ICON:FullWidth"}, {"FullHeightICO", "ICON:FullHeight"},
    {"FirstPageICO", "ICON:First"},     {"PrevPageICO", "ICON:Previous"},   {"NextPageICO", "ICON:Next"},
    {"LastPageICO", "ICON:Last"},       {"PrintThisPageICO", "ICON:PrintPage"}, {"PrintICO", "ICON:Print"},
    {"CloseICO", "ICON:Exit"},
};

ControlDef Make(int type, std::string use, std::string text, wdrt::Geometry pos, std::string tip = {},
                std::string icon = {}) {
  ControlDef c;
  c.type = type;
  c.use = std::move(use);
  c.text = std::move(text);
  c.pos = pos;
  c.tip = std::move(tip);
  c.icon = std::move(icon);
  return c;
}

}  // namespace

const std::string& PreviewTexts::operator[](const std::string& key) const {
  static const std::string none;
  auto it = strings.find(key);
  return it == strings.end() ? none : it->second;
}

PreviewTexts ReadPreviewTexts(const std::string& iniFile) {
  PreviewTexts texts;
  for (const auto& [key, fallback] : kStrings)
    texts.strings[key] = wdrt::GetIni("DISPLAY STRINGS 2.0", key, fallback, iniFile);
  for (const auto& [key, builtIn] : kIcons) {
    const std::string given = wdrt::GetIni("Preview Icons", key, "", iniFile);
    texts.icons[key] = given.empty() ? builtIn : given;
  }
  texts.helpFile = wdrt::GetIni("PREVIEW HELP 2.0", "PreviewHelp", "", iniFile);
  texts.helpContext = wdrt::GetIni("PREVIEW HELP 2.0", "PreviewContext", "", iniFile);
  return texts;
}

wdrt::WindowDef PreviewWindowDef(const PreviewTexts& t) {
  using namespace wdrt;
  WindowDef def;
  def.module = "RPVWPREVIEWWIN";
  def.title = t["Window Title"];
  def.size = {0, 0, 510, 340};
  def.font = {"MS Sans Serif", 8};
  def.icon = t.icons.at("PreviewWinICO");
  const int b = 18;  // a square tool button
  auto icon = [&](const char* key) { return t.icons.at(key); };
  // Row one: views, zoom, paging; row two: pages, copies and printing.
  def.controls = {
      Make(TypePanel, "?MENUBAR", "", {0, 0, 510, kToolbarHeight - 1}),
      Make(TypeButton, "?FULLWIDTH", "", {3, 2, b, b}, t["FullWidthTip"], icon("FullWidthICO")),
      Make(TypeButton, "?FULLHEIGHT", "", {23, 2, b, b}, t["FullHeightTip"], icon("FullHeightICO")),
      Make(TypeDropCombo, "?ZOOMPCTVAL", "", {80, 5, 28, 12}, t["ZoomPctValTip"]),
      Make(TypeButton, "?FIRSTPAGE", "", {110, 2, b, b}, t["FirstPageTip"], icon("FirstPageICO")),
      Make(TypeButton, "?PREVPAGE", "", {130, 2, b, b}, t["PrevPageTip"], icon("PrevPageICO")),
      Make(TypeButton, "?NEXTPAGE", "", {150, 2, b, b}, t["NextPageTip"], icon("NextPageICO")),
      Make(TypeButton, "?LASTPAGE", "", {170, 2, b, b}, t["LastPageTip"], icon("LastPageICO")),
      Make(TypeButton, "?PRINTTHISPAGE", "", {192, 2, b, b}, t["PrintThisPageTip"], icon("PrintThisPageICO")),
      Make(TypeSpin, "?VISIBLEPAGENUMBER", "", {240, 5, 28, 12}, t["PageNoTip"]),
      Make(TypeString, "?PAGECOUNT", t["PageOFprompt"], {271, 6, 36, 10}),
      Make(TypePrompt, "?COPIESPROMPT", t["CopiesPrompt"], {150, 25, 28, 10}),
      Make(TypeButton, "?PRINT", "Print...", {250, 21, 60, b}, t["PrintTip"], icon("PrintICO")),
      Make(TypeButton, "?CLOSE", "Exit", {314, 21, 50, b}, t["ExitTip"], icon("CloseICO")),
      Make(TypeButton, "?ASCIIOUTBUTTON", "Text", {368, 21, 48, b}, t["TextOutTip"], "ICON:Text"),
      Make(TypeSpin, "?NBROFCOPIES", "", {180, 24, 22, 12}, t["CopiesTip"]),
      Make(TypePrompt, "?PAGEPROMPT", t["PageNoPrompt"], {218, 6, 20, 10}),
      Make(TypePrompt, "?ZOOMPCTPROMPT", t["ZoomPctPrompt"], {45, 6, 34, 10}),
      Make(TypePrompt, "?PAGESTOPRINTPROMPT", t["PagesToPrintPrompt"], {3, 25, 52, 10}),
      Make(TypeEntry, "?PGSTOPRINT", "", {56, 24, 88, 12}, t["PagesToPrintTip"]),
      Make(TypeButton, "?SEARCH", "Search for...", {310, 2, 64, b}, "Search for...", "ICON:Search"),
      Make(TypeButton, "?PRINTANDSTAY", "", {205, 21, b, b}, "Toggle Stay after Printing"),
      Make(TypeButton, "?EXTRABUTTON1", t["Extra1"], {378, 2, 40, b}, "Extra Function 1"),
      Make(TypeButton, "?EXTRABUTTON2", t["Extra2"], {378, 2, 40, b}, "Extra Function 2"),
      Make(TypeButton, "?EXTRABUTTON3", t["Extra3"], {378, 2, 40, b}, "Extra Function 3"),
      Make(TypeViewport, "?IMAGEREGION", "", {0, kToolbarHeight, 510, 340 - kToolbarHeight}),
      Make(TypeBox, "?BORDER", "", {0, 0, 10, 10}),
      Make(TypeImage, "?ZOOMEDIMAGE", "", {1, 1, 8, 8}),
  };
  def.controls[PRINTANDSTAY - 1].picture = "ICON:PinOut";
  for (int percent = 25; percent <= 250; percent += 25) {
    ControlDef item;
    item.type = TypeItem;
    item.text = std::to_string(percent);
    def.controls[ZOOMPCTVAL - 1].items.push_back(item);
  }
  for (int n : {ASCIIOUTBUTTON, EXTRABUTTON1, EXTRABUTTON2, EXTRABUTTON3}) def.controls[n - 1].hidden = true;
  def.controls[BORDER - 1].parent = IMAGEREGION;
  def.controls[ZOOMEDIMAGE - 1].parent = IMAGEREGION;
  return def;
}

wdrt::WindowDef FindWindowDef() {
  using namespace wdrt;
  WindowDef def;
  def.title = "Find...";
  def.size = {0, 0, 190, 58};
  def.font = {"MS Sans Serif", 8};
  def.resizable = false;
  def.controls = {
      Make(TypePrompt, "?PROMPT", "Search for:", {6, 8, 44, 10}),
      Make(TypeEntry, "?SEARCHFOR", "", {52, 6, 132, 12}),
      Make(TypeCheck, "?MATCHCASE", "  Match Case", {52, 22, 80, 12}),
      Make(TypeButton, "?BEGIN", "Begin", {80, 38, 50, 16}),
      Make(TypeButton, "?CANCEL", "Cancel", {134, 38, 50, 16}),
  };
  return def;
}

wdrt::report::ReportDef WorkReportDef() {
  wdrt::report::ReportDef def;
  def.name = "WORKREPORT";
  wdrt::report::BandDef detail;
  detail.name = "DETAIL";
  detail.height = 200;
  detail.items = {wdrt::report::ReportText(0, 0, "WORKREPORT")};
  def.bands = {detail};
  return def;
}

}  // namespace rpvw
