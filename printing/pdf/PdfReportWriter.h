// PdfReportWriter turns a report's page list (one placeable metafile per page) into one PDF:
// each page file becomes a page of its own size (or of a chosen paper), drawn as vectors with
// real text and the pictures' own JPEG bytes; optional watermarks, bookmarks from indicator
// texts and passwords; the result can be opened at once. Used by one procedure thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "printing/pdf/PdfBookmarker.h"
#include "runtime/report/PreviewQueue.h"

namespace wdrt::report {
class Report;
}

namespace printing {

class PdfCreator;

// Units of a custom paper size (SetPaper with code 256).
enum PaperUnits : std::int32_t {
  PaperMillimetres = 31772,
  PaperThousandthsOfAnInch = 31773,
  PaperPoints = 31774,
};
constexpr int kPaperCustom = 256;

struct WatermarkEntry {
  std::string DESCRIPTION;     // 40
  std::uint8_t WMKTYPE = 0;    // 0 text, 1 image
  std::int32_t PLACETYPE = 0;
  std::uint8_t ORDERTYPE = 0;
  std::int32_t FONTID = 0;
  std::int32_t FONTSIZE = 0;
  std::int32_t TEXTMODE = 0;
  double LINEWIDTH = 0;
  std::int32_t COLOR = 0;
  std::int32_t IMAGEPAGE = 0;
  std::int32_t IMAGEWIDTH = 0;
  std::int32_t IMAGEHEIGHT = 0;
  std::int32_t KEEPASPECT = 0;
  std::int32_t ANGLE = 0;
  std::string NAMETEXT;        // 255: the text, or the image file's name
};

class PdfReportWriter {
 public:
  PdfReportWriter();
  ~PdfReportWriter();
  PdfReportWriter(const PdfReportWriter&) = delete;
  PdfReportWriter& operator=(const PdfReportWriter&) = delete;

  void Init(const wdrt::report::Report& report, const std::string& fileName, const std::string& folder);
  void Setup(const std::string& fileName, const std::string& folder, bool useTempFolder);
  void SetPaper(int code, std::int32_t units, int usePortrait, std::uint32_t orientation, std::int32_t height,
                std::int32_t width);
  void SetCompression(std::int32_t compress, std::int32_t text, std::int32_t ascii, std::int32_t mono,
                      std::int32_t colour);
  void SetAuthor(int useEmpty, const std::string& text);
  void SetCreator(int useEmpty, const std::string& text);
  void SetSubject(int useEmpty, const std::string& text);
  void SetTitle(int useEmpty, const std::string& text);
  void SetKeywords(int useEmpty, const std::string& text);
  void SetRun(int doRun, int useDefault, const std::string& appName);
  // 0 when the page list is empty or the user cancelled, else 1.
  std::uint8_t Generate(const wdrt::report::PreviewQueue& pages, bool showStatus);
  void Reset();

  // Set-up of post-processing (no book program uses these).
  void AddWatermark(const WatermarkEntry& entry);
  void SetBookmarks(bool on) { DOBOOKMARKS = on ? 1 : 0; }
  void SetPasswords(const std::string& user, const std::string& owner, std::int32_t permissions, std::int32_t keyLength);

  std::uint8_t DONEINIT = 0;
  std::uint32_t ORIENTATION = 0;
  std::uint32_t PAGEWIDTH = 0;
  std::uint32_t PAGEHEIGHT = 0;
  std::int32_t VBCOMPRESS = 0;
  std::int32_t VBASCII = 0;
  std::int32_t VBTEXT = 0;
  std::int32_t VCOLOR = 0;
  std::int32_t VMONO = 0;
  std::string FILENAME;
  std::string AUTHOR;
  std::string CREATOR;
  std::string SUBJECT;
  std::string TITLE;
  std::string KEYWORDS;
  std::uint8_t DOENCRYPT = 0;
  std::string OWNERPASSWORD;
  std::string USERPASSWORD;
  std::int32_t PERMISSIONS = 0;
  std::int32_t KEYLENGTH = 0;
  std::uint8_t USEMEMORYFILES = 0;
  std::int16_t PAPERCODE = 0;
  std::int32_t PAPERUNITS = 0;
  std::int32_t PAPERWIDTH = 0;
  std::int32_t PAPERHEIGHT = 0;
  std::uint8_t DORUN = 0;
  std::string RUNAPPNAME;
  std::string FOLDERNAME;
  std::vector<WatermarkEntry> WATERMARKS;
  std::uint8_t DOBOOKMARKS = 0;
  PdfBookmarker BOOKMARKS;

  // What the last Generate did (for the caller's checks and the journal): the pages written,
  // whether the file was written, and whether a program took it to open.
  int PagesWritten() const { return pagesWritten_; }
  bool Written() const { return written_; }
  bool Opened() const { return opened_; }

 private:
  void TakePage(PdfCreator& creator, const std::string& fileName, int page);
  void Write(PdfCreator& creator);
  bool PostProcess(PdfCreator& creator);
  void Open();

  int pagesWritten_ = 0;
  bool written_ = false;
  bool opened_ = false;
};

}  // namespace printing
