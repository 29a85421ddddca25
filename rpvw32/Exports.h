// The exported functions of librpvw32.so, under their plain names. Each catches everything
// and returns its neutral result; strings come in as C texts and go out in a buffer of the
// calling thread that stays valid until its next call.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wdrt::report {
class PreviewQueue;
class Report;
}  // namespace wdrt::report

using RpvwPages = wdrt::report::PreviewQueue;
using RpvwReport = wdrt::report::Report;
using RpvwPaperList = std::vector<std::string>;

extern "C" {

// 21 option values: no-tip flags of extra buttons 3, 2, 1; for buttons 3, 2, 1 a suppress
// flag, a print-after flag, the number to set and a second suppress flag; help context and
// help file from the settings file, hide text export, the text export's number, skip the
// text button's setup, the option bits. 10 strings: settings file, text-export caption,
// help file, help context, texts of extra buttons 1 to 3, their tooltips.
std::int32_t PRINTPREVIEW(RpvwPages* pages, std::int16_t zoomPercent, std::uint8_t useDefaultIni,
                          RpvwReport* report, std::uint8_t noTip3, std::uint8_t noTip2, std::uint8_t noTip1,
                          std::uint8_t suppress3, std::uint8_t printAfter3, std::int32_t* value3,
                          std::uint8_t suppress3b, std::uint8_t suppress2, std::uint8_t printAfter2,
                          std::int32_t* value2, std::uint8_t suppress2b, std::uint8_t suppress1,
                          std::uint8_t printAfter1, std::int32_t* value1, std::uint8_t suppress1b,
                          std::uint8_t helpContextFromIni, std::uint8_t helpFileFromIni,
                          std::uint8_t hideTextExport, std::int32_t textExportNumber,
                          std::uint8_t skipTextButtonSetup, std::uint8_t optionBits, const char* iniFile,
                          const char* textCaption, const char* helpFile, const char* helpContext,
                          const char* extraText1, const char* extraText2, const char* extraText3,
                          const char* extraTip1, const char* extraTip2, const char* extraTip3);

void ASSGNPGOFPG(RpvwPages* pages, std::uint8_t useCountMode, std::int32_t textLength, std::uint8_t flag1,
                 std::uint8_t flag2, std::uint8_t flag3, std::int32_t position, std::uint8_t flag4,
                 const char* searchText, const char* replacement);
void HANDLECOPIES(RpvwPages* pages, std::int16_t copies);
std::int16_t SUPPORTED(std::int32_t number);
const char* PAPERSUPPORT(std::int16_t paperCode, RpvwPaperList* list);
void WMF2ASCII(RpvwPages* pages, std::int32_t linesPerPage, const char* target);
void SHOWPRINTERSTATUS(std::int16_t mode, std::int32_t closeDefault, const char* windowTitle, const char* program);
const char* SaveClipToFile(std::uint8_t ask, const char* fileName);
std::int32_t SetPrinterDraftMode();
std::int32_t GETRPVWTEXTBUTTONHANDLE();

}  // extern "C"
