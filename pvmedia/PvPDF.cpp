#include "pvmedia/PvPDF.h"

#include "pvmedia/PvText.h"

void PvPDF::Init(std::int32_t control) {
  if (control != 0) CURRENTCONTROL = control;
  PvMaster::Init();
}

std::uint8_t PvPDF::LoadPDF(std::string_view path) { return Load(path, 0, 1); }

std::uint8_t PvPDF::Load(std::string_view path, std::int32_t control, std::uint8_t useOwn) {
  return Load(path, control, useOwn, "");
}

std::uint8_t PvPDF::Load(std::string_view path, std::int32_t control, std::uint8_t useOwn,
                         std::string_view generation) {
  CURRENTCONTROL = LoadControl(control, useOwn);
  DbgMsg("PvPDF::Load - self.PdfVersion = " + PDFVERSION, 0, 0, 0, 1);
  PvMaster::OCXVersion("pdf");
  if (PDF4SUPPORTED == 0 && PDF5SUPPORTED == 0) return 0;
  OBJECTTYPE = "pdf";
  const std::string given(path);  // `path` may be CURRENTPATH itself, assigned next
  CURRENTPATH = pv::Cut(pv::TrimRight(given), 1023);
  LASTLOADEDDOCUMENT = pv::Cut(given, 255);
  if (DONTVERIFYPATH == 1)
    DONTVERIFYPATH = 0;
  else
    VerifyPath();
  // The generation asked for, else the one the version text names; 5 falls back to 4.
  std::string chosen = std::string(pv::Trim(generation));
  DbgMsg("PvPDF::Load - AcrobatVersion [1] = " + chosen, 0, 0, 0, 1);
  if (chosen.empty()) chosen = PDFVERSION;
  DbgMsg("PvPDF::Load - AcrobatVersion [2] = " + chosen, 0, 0, 0, 1);
  if (chosen == "Acrobat 5" && PDF5SUPPORTED == 0 && PDF4SUPPORTED == 1) chosen = "Acrobat 4";
  if (chosen == "Acrobat 4" && PDF4SUPPORTED == 0 && PDF5SUPPORTED == 1) chosen = "Acrobat 5";
  DbgMsg("PvPDF::Load - AcrobatVersion [3] = " + chosen, 0, 0, 0, 1);
  DbgMsg("PvPDF::Load - Pdf4 supported = " + std::to_string(PDF4SUPPORTED), 0, 0, 0, 1);
  DbgMsg("PvPDF::Load - Pdf5 supported = " + std::to_string(PDF5SUPPORTED), 0, 0, 0, 1);
  const std::string target(pv::TrimRight(CURRENTPATH));
  if (chosen == "Acrobat 4") {
    if (!CreateControl("PDF.PDFCtrl.1")) return 0;
    if (Call("Open(\"" + target + "\")") != "1") {
      DbgMsg("PvPDF::Load - could not open " + target, 0, 0, 0, 1);
      return 0;
    }
  } else if (chosen == "Acrobat 5") {
    if (!CreateControl("Shell.Explorer.2")) return 0;
    Call("Navigate(\"" + target + "\")");
  } else {
    return 0;
  }
  LOADCALLED = 1;
  Call(PDFTOOLBAR == 1 ? "SetShowToolbar(1)" : "SetShowToolbar(0)");
  Call(PDFSCROLLBARS == 1 ? "SetShowScrollBars(1)" : "SetShowScrollBars(0)");
  if (PDFZOOM > 0) Call("SetZoom(" + std::to_string(PDFZOOM) + ")");
  return 1;
}

void PvPDF::Navigate(std::uint8_t action, std::int32_t page) {
  switch (action) {
    case 1: Call("gotoFirstPage()"); break;
    case 2: Call("gotoPreviousPage()"); break;
    case 3: Call("gotoNextPage()"); break;
    case 4: Call("gotoLastPage()"); break;
    case 5:
      if (page > 0) Call("setCurrentPage(" + std::to_string(page) + ")");
      break;
    default: break;
  }
}

std::uint8_t PvPDF::PrintPages(std::int32_t first, std::int32_t last, std::uint8_t fit) {
  if (Type() != "pdf") return 0;
  const std::string range = std::to_string(first) + ", " + std::to_string(last);
  return Call((fit == 1 ? "printPagesFit(" : "printPages(") + range + ")") == "1" ? 1 : 0;
}

std::uint8_t PvPDF::PrintMe1() { return Call("PrintWithDialog") == "1" ? 1 : 0; }
std::uint8_t PvPDF::PrintMe() { return PrintMe1(); }

void PvPDF::GetInfo() {
  currentPage = std::atoi(Get("CurrentPage").c_str());
  pageCount = std::atoi(Get("PageCount").c_str());
  PDFTOOLBAR = Get("ShowToolbar") == "1" ? 1 : 0;
}
void PvPDF::GetInfo(std::string_view /*what*/) { GetInfo(); }

void PvPDF::Update() {
  if (PDFZOOM > 0) Call("SetZoom(" + std::to_string(PDFZOOM) + ")");
  Call(PDFSCROLLBARS == 1 ? "SetShowScrollBars(1)" : "SetShowScrollBars(0)");
}

std::uint8_t PvPDF::Reload() {
  DbgMsg("PvPDF::Reload - reloading " + LASTLOADEDDOCUMENT, 0, 0, 0, 1);
  DONTVERIFYPATH = 1;
  const std::string path = CURRENTPATH;  // Load assigns CURRENTPATH while it reads the path
  return Load(path, 0, 1);
}
