#include "pvmedia/PvHtmlEditor.h"

#include <map>
#include <regex>

#include "pvmedia/PvText.h"

namespace {

constexpr const char* kProgId = "DHTMLEdit.DHTMLEdit.1";

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

std::string PvHtmlEditorCommand(std::int32_t action) {
  static const std::map<int, const char*> calls = {
      {1, "ExecCommand(5000)"},  {2, "ExecCommand(5023)"},  {3, "ExecCommand(5048)"},  {4, "ExecCommand(5002)"},
      {5, "ExecCommand(5003)"},  {6, "ExecCommand(5032)"},  {7, "ExecCommand(5004)"},  {8, "ExecCommand(5008)"},
      {9, "ExecCommand(5009)"},  {10, "ExecCommand(5016)"}, {11, "ExecCommand(5017)"}, {12, "ExecCommand(5018)"},
      {13, "ExecCommand(5024)"}, {14, "ExecCommand(5025)"}, {15, "ExecCommand(5026)"}, {16, "PrintDocument(1)"},
      {30, "ExecCommand(5017, 0)"}, {31, "ExecCommand(5016, 0)"}, {32, "ExecCommand(5035)"},
      {33, "ExecCommand(5049)"}, {34, "ExecCommand(5033)"}, {35, "ExecCommand(5052)"}};
  const auto it = calls.find(action);
  return it == calls.end() ? std::string() : it->second;
}

std::string PvHtmlEditorSetBackground(const std::string& source, const std::string& color) {
  const std::string lower = pv::Lower(source);
  std::size_t body = lower.find("<body");
  while (body != std::string::npos && body + 5 < lower.size() && std::isalnum(static_cast<unsigned char>(lower[body + 5])))
    body = lower.find("<body", body + 5);
  if (body != std::string::npos) {
    const std::size_t end = lower.find('>', body);
    if (end == std::string::npos) return source;
    std::string tag = source.substr(body, end - body);
    // Drops an existing bgcolor attribute, quoted or not, and sets the new one.
    static const std::regex attribute(R"(\s+bgcolor\s*=\s*("[^"]*"|'[^']*'|[^\s>]*))", std::regex::icase);
    tag = std::regex_replace(tag, attribute, "");
    if (!tag.empty() && tag.back() == '/') tag.pop_back();
    tag += " bgcolor=\"" + color + "\"";
    return source.substr(0, body) + tag + source.substr(end);
  }
  const std::size_t head = lower.find("</head>");
  const std::string bodyTag = "<body bgcolor=\"" + color + "\">";
  if (head != std::string::npos) return source.substr(0, head + 7) + bodyTag + source.substr(head + 7);
  return bodyTag + source;
}

std::string PvHtmlGraphicsList(const std::string& source) {
  std::string list;
  static const std::regex image(R"(<img\b[^>]*\bsrc\s*=\s*["']?([^"'\s>]+))", std::regex::icase);
  static const std::regex input(R"(<input\b[^>]*\btype\s*=\s*["']?image["']?[^>]*\bsrc\s*=\s*["']?([^"'\s>]+))",
                                std::regex::icase);
  static const std::regex background(R"(<body\b[^>]*\bbackground\s*=\s*["']?([^"'\s>]+))", std::regex::icase);
  for (const std::regex* pattern : {&image, &input}) {
    for (auto it = std::sregex_iterator(source.begin(), source.end(), *pattern); it != std::sregex_iterator(); ++it)
      list += (*it)[1].str() + "\n";
  }
  std::smatch match;
  if (std::regex_search(source, match, background)) list += "cid:bodybackground=" + match[1].str() + "\n";
  return pv::Cut(list, 8192);
}

// The first operation that needs the editing control creates it; later ones reuse it.
bool PvHtmlEditor::EnsureControl() {
  if (CURRENTCONTROL == 0) return false;
  OBJECTTYPE = "html2";
  if (!CreateControl(kProgId)) return false;
  CONTROLOBJECTCREATED = 1;
  return true;
}

void PvHtmlEditor::Init(std::int32_t control) {
  if (control != 0) CURRENTCONTROL = control;
  PvMaster::Init();
  OBJECTTYPE = "html2";
}

void PvHtmlEditor::LoadHtml2(std::string_view path) { Load(path, 0, 1, 0, 0); }
void PvHtmlEditor::Load(std::string_view path) { Load(path, 0, 1, 0, 0); }

void PvHtmlEditor::Load(std::string_view path, std::int32_t control, std::uint8_t useOwn, std::uint8_t mode,
                        std::uint8_t noLoad) {
  CURRENTCONTROL = LoadControl(control, useOwn);
  if (CURRENTCONTROL == 0) return;
  if (pv::TrimRight(OVERRIDEOCX) == "html2") BROWSER = 1;
  CURRENTPATH = pv::Cut(pv::TrimRight(path), 1023);
  LASTLOADEDDOCUMENT = pv::Cut(path, 255);
  if (!EnsureControl()) return;
  const std::string trimmed(pv::TrimRight(path));
  if (mode == 1) {
    SOURCE = pv::Cut(trimmed, 100000);
    Update("Html2Source");
  } else if (!trimmed.empty() && noLoad == 0) {
    if (pv::Lower(trimmed.substr(0, 4)) == "http")
      Call("LoadURL(" + Quoted(trimmed) + ")");
    else
      Call("LoadDocument(" + Quoted(trimmed) + ")");
    LOADCALLED = 1;
  }
  if (BROWSER == 1) Update("Html2BrowserCurrentDocumentPath()");
}

void PvHtmlEditor::NewDocument() {
  if (EnsureControl()) Call("NewDocument");
}

void PvHtmlEditor::Save(std::string_view path, std::uint8_t mode, std::string* html) {
  if (!EnsureControl()) return;
  if (mode == 1) Call("SaveDocument(" + Quoted(pv::TrimRight(path)) + ")");
  if (mode == 2 && html) *html = Call("DocumentHTML()");
}

void PvHtmlEditor::PrintMe() { PrintMe(0); }
void PvHtmlEditor::PrintMe(std::uint8_t withDialog) {
  if (EnsureControl()) Call(withDialog == 1 ? "PrintDocument(1)" : "PrintDocument(0)");
}
void PvHtmlEditor::Reload() {
  const std::string path = CURRENTPATH;  // Load assigns CURRENTPATH while it reads the path
  Load(path, 0, 1, 0, 0);
}

void PvHtmlEditor::Edit(std::int32_t action) {
  const std::string call = PvHtmlEditorCommand(action);
  if (!call.empty() && EnsureControl()) Call(call);
}

void PvHtmlEditor::Edit(std::string_view command) {
  if (EnsureControl()) Call(std::string(pv::Trim(command)));
}

void PvHtmlEditor::InsertText(std::string_view text, std::uint8_t position) {
  static const char* const kWhere[] = {"beforeBegin", "afterBegin", "beforeEnd", "afterEnd"};
  if (position < 1 || position > 5 || !EnsureControl()) return;
  if (position == 1) {
    Call("DOM.selection.createRange().pasteHTML(" + std::string(text) + ")");
  } else if (position >= 2 && position <= 5) {
    Call("DOM.selection.createRange.parentElement.insertAdjacentText(" + std::string(kWhere[position - 2]) + ", " +
         std::string(text) + ")");
  }
}

void PvHtmlEditor::InsertHTML(std::string_view html, std::uint8_t position) {
  static const char* const kWhere[] = {"beforeBegin", "afterBegin", "beforeEnd", "afterEnd"};
  if (position < 1 || position > 5 || !EnsureControl()) return;
  if (position == 1) {
    Call("DOM.selection.createRange().pasteHTML(" + Quoted(html) + ")");
  } else if (position >= 2 && position <= 5) {
    Call("DOM.selection.createRange.parentElement.insertAdjacentHTML(" + std::string(kWhere[position - 2]) + ", " +
         Quoted(html) + ")");
  }
}

void PvHtmlEditor::Html2Settings(std::string_view color) {
  if (Type() != "html2") {
    DbgMsg("Html2Settings - Failed, unsupported object type: " + OBJECTTYPE, 0, 0, 0, 1);
    return;
  }
  if (pv::Trim(color).empty()) {
    DbgMsg("Html2Settings - Failed, no color passed", 0, 0, 0, 1);
    return;
  }
  SOURCE = pv::Cut(PvHtmlEditorSetBackground(Call("DocumentHTML()"), std::string(pv::Trim(color))), 100000);
  Update("Html2Source");
}

void PvHtmlEditor::Settings(std::string_view color) { Html2Settings(color); }

void PvHtmlEditor::Update(std::string_view what) {
  const std::string name(pv::Trim(what));
  if (name == "Html2Source") {
    Set("DocumentHTML", SOURCE);
  } else if (name == "Html2BrowserCurrentDocumentPath()") {
    PAGEPATH = pv::Cut(Call("CurrentDocumentPath()"), 255);
  }
}

void PvHtmlEditor::GetInfo() {
  PAGEPATH = pv::Cut(Call("CurrentDocumentPath()"), 255);
  HTMLURL = pv::Cut(Call("BaseURL()"), 255);
  URL = HTMLURL;
  PAGETITLE = pv::Cut(Call("DocumentTitle()"), 255);
  SOURCE = pv::Cut(Call("DocumentHTML()"), 100000);
  SELINNERHTML = pv::Cut(Get("DOM.selection.createRange.parentElement.innerHtml"), 50000);
  SELINNERTEXT = pv::Cut(Get("DOM.selection.createRange.parentElement.innerText"), 50000);
  SELOUTERHTML = pv::Cut(Get("DOM.selection.createRange.parentElement.outerHtml"), 50000);
  SELOUTERTEXT = pv::Cut(Get("DOM.selection.createRange.parentElement.outerText"), 50000);
  TAGNAME = pv::Cut(Get("DOM.selection.createRange.parentElement.tagName"), 255);
  INNERTEXT = pv::Cut(Get("DOM.body.innerText"), 50000);
  OBJTYPE = pv::Cut(Get("DOM.selection.Type"), 10);
  if (pv::Lower(OBJTYPE) == "control") {
    PICSOURCE = pv::Cut(Get("DOM.selection.createRange.item(0).src"), 255);
    PICTEXT = pv::Cut(Get("DOM.selection.createRange.item(0).alt"), 255);
    PICHSPACING = static_cast<std::uint8_t>(std::atoi(Get("DOM.selection.createRange.item(0).hspace").c_str()));
    PICVSPACING = static_cast<std::uint8_t>(std::atoi(Get("DOM.selection.createRange.item(0).vspace").c_str()));
  }
  HTMLROOTFOLDER = pv::Cut(HTMLestPath(PAGEPATH.empty() ? HTMLURL : "file://" + PAGEPATH), 255);
}

std::string PvHtmlEditor::GetInfo1(std::string_view name) { return Get(std::string(pv::Trim(name))); }

std::int32_t PvHtmlEditor::KeyPressed() {
  return EnsureControl() ? std::atoi(Get("DOM.parentWindow.event.Keycode").c_str()) : 0;
}
std::int32_t PvHtmlEditor::Html2KeyPressed() { return KeyPressed(); }

std::string PvHtmlEditor::GetHTMLGraphicsInfo() {
  GRAPHICSLIST = PvHtmlGraphicsList(Call("DocumentHTML()"));
  return GRAPHICSLIST;
}

std::string PvHtmlEditor::GetHTMLGraphicsInfo(std::string_view source) {
  GRAPHICSLIST = PvHtmlGraphicsList(std::string(source));
  return GRAPHICSLIST;
}
