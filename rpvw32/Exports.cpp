#include "rpvw32/Exports.h"

#include "rpvw32/Previewer.h"
#include "rpvw32/Utilities.h"

#define RPVW_EXPORT __attribute__((visibility("default")))

namespace {

std::string Text(const char* text) { return text ? std::string(text) : std::string(); }

const char* Kept(std::string text) {
  thread_local std::string kept;
  kept = std::move(text);
  return kept.c_str();
}

}  // namespace

extern "C" {

RPVW_EXPORT std::int32_t PRINTPREVIEW(
    RpvwPages* pages, std::int16_t zoomPercent, std::uint8_t useDefaultIni, RpvwReport* report, std::uint8_t noTip3,
    std::uint8_t noTip2, std::uint8_t noTip1, std::uint8_t suppress3, std::uint8_t printAfter3, std::int32_t* value3,
    std::uint8_t suppress3b, std::uint8_t suppress2, std::uint8_t printAfter2, std::int32_t* value2,
    std::uint8_t suppress2b, std::uint8_t suppress1, std::uint8_t printAfter1, std::int32_t* value1,
    std::uint8_t suppress1b, std::uint8_t helpContextFromIni, std::uint8_t helpFileFromIni,
    std::uint8_t hideTextExport, std::int32_t textExportNumber, std::uint8_t skipTextButtonSetup,
    std::uint8_t optionBits, const char* iniFile, const char* textCaption, const char* helpFile,
    const char* helpContext, const char* extraText1, const char* extraText2, const char* extraText3,
    const char* extraTip1, const char* extraTip2, const char* extraTip3) {
  try {
    rpvw::PreviewCall call;
    call.pages = pages;
    call.zoomPercent = zoomPercent;
    call.useDefaultIni = useDefaultIni != 0;
    call.report = report;
    call.extras[2] = {noTip3 != 0, suppress3 != 0, printAfter3 != 0, value3, suppress3b != 0};
    call.extras[1] = {noTip2 != 0, suppress2 != 0, printAfter2 != 0, value2, suppress2b != 0};
    call.extras[0] = {noTip1 != 0, suppress1 != 0, printAfter1 != 0, value1, suppress1b != 0};
    call.helpContextFromIni = helpContextFromIni != 0;
    call.helpFileFromIni = helpFileFromIni != 0;
    call.hideTextExport = hideTextExport != 0;
    call.textExportNumber = textExportNumber;
    call.skipTextButtonSetup = skipTextButtonSetup != 0;
    call.options = optionBits;
    call.iniFile = Text(iniFile);
    call.textCaption = Text(textCaption);
    call.helpFile = Text(helpFile);
    call.helpContext = Text(helpContext);
    call.extraTexts = {Text(extraText1), Text(extraText2), Text(extraText3)};
    call.extraTips = {Text(extraTip1), Text(extraTip2), Text(extraTip3)};
    return rpvw::PrintPreview(call);
  } catch (...) {
    return 2;
  }
}

RPVW_EXPORT void ASSGNPGOFPG(RpvwPages* pages, std::uint8_t useCountMode, std::int32_t textLength, std::uint8_t flag1,
                             std::uint8_t flag2, std::uint8_t flag3, std::int32_t position, std::uint8_t flag4,
                             const char* searchText, const char* replacement) {
  try {
    if (pages)
      rpvw::AssignPageOfPages(*pages, useCountMode != 0, textLength, flag1 != 0, flag2 != 0, flag3 != 0, position,
                              flag4 != 0, Text(searchText), Text(replacement));
  } catch (...) {
  }
}

RPVW_EXPORT void HANDLECOPIES(RpvwPages* pages, std::int16_t copies) {
  try {
    if (pages) rpvw::HandleCopies(*pages, copies);
  } catch (...) {
  }
}

RPVW_EXPORT std::int16_t SUPPORTED(std::int32_t number) {
  try {
    return static_cast<std::int16_t>(rpvw::Supported(number));
  } catch (...) {
    return 0;
  }
}

RPVW_EXPORT const char* PAPERSUPPORT(std::int16_t paperCode, RpvwPaperList* list) {
  try {
    return Kept(rpvw::PaperSupport(paperCode, list));
  } catch (...) {
    return Kept({});
  }
}

RPVW_EXPORT void WMF2ASCII(RpvwPages* pages, std::int32_t linesPerPage, const char* target) {
  try {
    if (pages) rpvw::Wmf2Ascii(*pages, linesPerPage, Text(target));
  } catch (...) {
  }
}

RPVW_EXPORT void SHOWPRINTERSTATUS(std::int16_t mode, std::int32_t closeDefault, const char* windowTitle,
                                   const char* program) {
  try {
    rpvw::ShowPrinterStatus(mode, closeDefault, Text(windowTitle), Text(program));
  } catch (...) {
  }
}

RPVW_EXPORT const char* SaveClipToFile(std::uint8_t ask, const char* fileName) {
  try {
    return Kept(rpvw::SaveClipToFile(ask != 0, Text(fileName)));
  } catch (...) {
    return Kept({});
  }
}

RPVW_EXPORT std::int32_t SetPrinterDraftMode() {
  try {
    return rpvw::SetPrinterDraftMode();
  } catch (...) {
    return 0;
  }
}

RPVW_EXPORT std::int32_t GETRPVWTEXTBUTTONHANDLE() { return static_cast<std::int32_t>(rpvw::TextButtonHandle()); }

}  // extern "C"
