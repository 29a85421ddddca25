#include "printing/pdf/PdfReportWriter.h"

#include <QFile>

#include <cmath>
#include <filesystem>

#include "printing/pdf/PdfCreator.h"
#include "printing/pdf/PdfEditor.h"
#include "printing/pdf/PdfFileName.h"
#include "printing/pdf/PdfStatusWindow.h"
#include "printing/pdflibs/PdfCore.h"
#include "runtime/core/Journal.h"
#include "runtime/os/PrivateFolder.h"
#include "runtime/os/Process.h"
#include "runtime/os/Shell.h"
#include "runtime/report/PaperSizes.h"
#include "runtime/report/Report.h"
#include "runtime/report/WmfPlayer.h"

namespace printing {
namespace {

constexpr std::size_t kNameSize = 260;
constexpr std::size_t kKeywordsSize = 1023;
constexpr std::size_t kFolderSize = 261;
constexpr std::size_t kPasswordSize = 32;
constexpr const char* kProducer = "Storyloom PDF Writer v2.5";

// Left-justified and clipped, as the fixed-size fields keep texts; trailing blanks go too,
// as they do before a text is used.
std::string Field(const std::string& text, std::size_t size) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  std::string clipped = CutUtf8(text.substr(first), size);
  clipped.erase(clipped.find_last_not_of(' ') + 1);
  return clipped;
}

struct PageSizeMilli {
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// The page file's frame in thousandths of a point, cut to whole numbers.
std::optional<PageSizeMilli> PageFileSize(const std::string& fileName) {
  QFile file(QString::fromStdString(fileName));
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const std::optional<wdrt::report::WmfHeaderInfo> header = wdrt::report::ReadWmfHeader(file.read(4096));
  if (!header || header->unitsPerInch <= 0) return std::nullopt;
  const auto units = static_cast<std::int64_t>(std::llround(header->unitsPerInch));
  const auto w = static_cast<std::int64_t>(std::llround(header->bbox.width())) * 72000 / units;
  const auto h = static_cast<std::int64_t>(std::llround(header->bbox.height())) * 72000 / units;
  if (w <= 0 || h <= 0 || w > INT32_MAX || h > INT32_MAX) return std::nullopt;
  return PageSizeMilli{static_cast<std::int32_t>(w), static_cast<std::int32_t>(h)};
}

}  // namespace

PdfReportWriter::PdfReportWriter() = default;
PdfReportWriter::~PdfReportWriter() = default;

void PdfReportWriter::Init(const wdrt::report::Report& report, const std::string& fileName, const std::string& folder) {
  if (DONEINIT) return;
  ORIENTATION = report.landscape ? 1 : 0;
  Setup(fileName, folder, false);
}

void PdfReportWriter::Setup(const std::string& fileName, const std::string& folder, bool useTempFolder) {
  if (DONEINIT) return;
  const std::string given = Field(folder, kFolderSize);
  if (useTempFolder || given.empty()) {
    FOLDERNAME = PdfTempFolder();
    if (FOLDERNAME.size() > kFolderSize) FOLDERNAME.clear();
  } else {
    FOLDERNAME = given;
  }
  FILENAME = ResolvePdfFileName(Field(fileName, kNameSize), FOLDERNAME);
  if (FILENAME.size() > kNameSize) FILENAME.clear();  // a cut name would name another file
  WATERMARKS.clear();
  DOBOOKMARKS = 0;
  DONEINIT = 1;
}

void PdfReportWriter::SetPaper(int code, std::int32_t units, int usePortrait, std::uint32_t orientation,
                               std::int32_t height, std::int32_t width) {
  PAPERCODE = static_cast<std::int16_t>(code);
  PAPERUNITS = units;
  ORIENTATION = usePortrait == 1 ? 0 : orientation;
  if (code == kPaperCustom) {
    auto convert = [&](std::int32_t v) -> std::int64_t {
      switch (units) {
        case PaperThousandthsOfAnInch: return static_cast<std::int64_t>(v) * 72;
        case PaperMillimetres: return std::llround(v * 720000.0 / 254.0);
        case PaperPoints: return static_cast<std::int64_t>(v) * 1000;
        default: return -1;
      }
    };
    const std::int64_t w = convert(width);
    const std::int64_t h = convert(height);
    if (w <= 0 || h <= 0 || w > INT32_MAX || h > INT32_MAX) {
      PAPERCODE = 0;  // no usable size: each page takes its file's own
      return;
    }
    PAPERWIDTH = static_cast<std::int32_t>(w);
    PAPERHEIGHT = static_cast<std::int32_t>(h);
  } else if (const wdrt::report::PaperSize* paper = wdrt::report::FindPaper(code); paper && paper->width > 0) {
    PAPERWIDTH = paper->width;
    PAPERHEIGHT = paper->height;
  } else {
    // Code 0, and codes without a size, take each page file's own size.
    PAPERCODE = 0;
    PAPERUNITS = 0;
    PAPERWIDTH = 0;
    PAPERHEIGHT = 0;
    ORIENTATION = 0;
  }
}

void PdfReportWriter::SetCompression(std::int32_t compress, std::int32_t text, std::int32_t ascii, std::int32_t mono,
                                     std::int32_t colour) {
  VBCOMPRESS = compress;
  VBTEXT = text;
  VBASCII = ascii;
  VMONO = mono;
  VCOLOR = colour;
}

void PdfReportWriter::SetAuthor(int useEmpty, const std::string& text) { AUTHOR = useEmpty == 1 ? "" : Field(text, kNameSize); }
void PdfReportWriter::SetCreator(int useEmpty, const std::string& text) { CREATOR = useEmpty == 1 ? "" : Field(text, kNameSize); }
void PdfReportWriter::SetSubject(int useEmpty, const std::string& text) { SUBJECT = useEmpty == 1 ? "" : Field(text, kNameSize); }
void PdfReportWriter::SetTitle(int useEmpty, const std::string& text) { TITLE = useEmpty == 1 ? "" : Field(text, kNameSize); }
void PdfReportWriter::SetKeywords(int useEmpty, const std::string& text) {
  KEYWORDS = useEmpty == 1 ? "" : Field(text, kKeywordsSize);
}

void PdfReportWriter::SetRun(int doRun, int useDefault, const std::string& appName) {
  DORUN = static_cast<std::uint8_t>(doRun);
  RUNAPPNAME = doRun == 1 && useDefault != 1 ? Field(appName, kNameSize) : "";
}

void PdfReportWriter::AddWatermark(const WatermarkEntry& entry) {
  WatermarkEntry e = entry;
  e.DESCRIPTION = e.DESCRIPTION.substr(0, 40);
  e.NAMETEXT = e.NAMETEXT.substr(0, 255);
  WATERMARKS.push_back(std::move(e));
}

void PdfReportWriter::SetPasswords(const std::string& user, const std::string& owner, std::int32_t permissions,
                                   std::int32_t keyLength) {
  USERPASSWORD = user.substr(0, kPasswordSize);
  OWNERPASSWORD = owner.substr(0, kPasswordSize);
  PERMISSIONS = permissions;
  KEYLENGTH = keyLength;
  DOENCRYPT = !USERPASSWORD.empty() || !OWNERPASSWORD.empty();
}

void PdfReportWriter::Reset() {
  if (!DONEINIT) return;
  VBCOMPRESS = VBASCII = VBTEXT = VCOLOR = VMONO = 0;
  FILENAME.clear();
  AUTHOR.clear();
  CREATOR.clear();
  SUBJECT.clear();
  TITLE.clear();
  DORUN = 0;
  RUNAPPNAME.clear();
  WATERMARKS.clear();
  DONEINIT = 0;
}

void PdfReportWriter::TakePage(PdfCreator& creator, const std::string& fileName, int page) {
  const std::string name = Field(fileName, wdrt::report::kPreviewImageSize);
  std::int32_t width = PAPERWIDTH;
  std::int32_t height = PAPERHEIGHT;
  // A page file's own frame is already turned the way the page is printed.
  std::uint32_t orientation = ORIENTATION;
  if (PAPERCODE == 0) {
    const std::optional<PageSizeMilli> size = PageFileSize(name);
    if (!size) return;  // not a page file: left out, as one whose images cannot be loaded
    width = size->width;
    height = size->height;
    orientation = 0;
  }
  if (DOBOOKMARKS) BOOKMARKS.CollectFromFile(name, page);
  if (creator.LoadImages(name) != 0) return;
  for (int i = 1; i <= creator.IMAGECOUNT; ++i) {
    if (creator.SetPageParameters(static_cast<int>(orientation), width, height, 0, 0) != 0) return;
    if (creator.BeginPage() != 0) return;
    if (orientation == 0)
      creator.PlaceImage(i, 0, 0, width, height);
    else
      creator.PlaceImage(i, 0, 0, height, width);
    if (creator.EndPage() == 0) ++pagesWritten_;
  }
}

bool PdfReportWriter::PostProcess(PdfCreator& creator) {
  const std::string folder = PdfTempFolder();
  const std::optional<std::string> temp = folder.empty() ? std::nullopt : wdrt::CreatePrivateFile(folder, "pdf", ".tmp");
  if (!temp) return false;
  bool written = false;
  if (creator.Write(*temp) == 0) {
    PdfEditor editor;
    editor.Init();
    editor.SetFileName(*temp);
    if (editor.Read(false) == 1) {
      for (const WatermarkEntry& w : WATERMARKS) {
        PdfWatermarkDescription d;
        d.TYPE = w.WMKTYPE;
        d.ANGLE = w.ANGLE;
        d.PLACETYPE = w.PLACETYPE;
        d.PLACEORDER = w.ORDERTYPE;
        if (w.WMKTYPE == 0) {
          d.FONTID = w.FONTID;
          d.FONTSIZE = w.FONTSIZE;
          d.TEXTMODE = w.TEXTMODE;
          d.LINEWIDTH = static_cast<std::int32_t>(w.LINEWIDTH * 1000);
          d.COLOR = w.COLOR;
          editor.AddWatermark(d, Field(w.NAMETEXT, 255), "");
        } else {
          d.IMAGEPAGENUMBER = w.IMAGEPAGE - 1;
          d.WIDTH = w.IMAGEWIDTH;
          d.HEIGHT = w.IMAGEHEIGHT;
          d.KEEPASPECT = w.KEEPASPECT;
          editor.AddWatermark(d, "", Field(w.NAMETEXT, 255));
        }
      }
      if (DOBOOKMARKS) {
        const Outline outline = BOOKMARKS.BuildOutline();
        editor.SetOutlines(outline.First());
      }
      if (DOENCRYPT) editor.SetNewPassword(USERPASSWORD, OWNERPASSWORD, PERMISSIONS, KEYLENGTH);
      written = editor.Write(FILENAME) == 0;
    }
  }
  std::error_code ec;
  std::filesystem::remove(*temp, ec);
  return written;
}

void PdfReportWriter::Write(PdfCreator& creator) {
  const bool post = DOBOOKMARKS || DOENCRYPT || !WATERMARKS.empty();
  const bool written = post ? PostProcess(creator) : creator.Write(FILENAME) == 0;
  if (!written) return;
  written_ = true;
  wdrt::JournalLine("pdf-written " + wdrt::JournalQuote(FILENAME) + " " + std::to_string(pagesWritten_));
  if (DORUN) Open();
}

void PdfReportWriter::Open() {
  // Failures are not shown here: the runtime journals them, and Opened() tells the caller.
  if (RUNAPPNAME.empty())
    opened_ = wdrt::ShellExecuteA(0, "open", FILENAME, "", "", 1) > 32;
  else
    opened_ = wdrt::RunWithArguments(RUNAPPNAME, {FILENAME});
}

std::uint8_t PdfReportWriter::Generate(const wdrt::report::PreviewQueue& pages, bool showStatus) {
  const std::vector<std::string> names = pages.Names();
  pagesWritten_ = 0;
  written_ = false;
  opened_ = false;
  if (names.empty()) return 0;
  BOOKMARKS.Clear();
  PdfCreator creator;
  creator.Init();
  creator.SetInfo(PdfInfoAuthor, AUTHOR);
  creator.SetInfo(PdfInfoCreator, CREATOR);
  creator.SetInfo(PdfInfoSubject, SUBJECT);
  creator.SetInfo(PdfInfoTitle, TITLE);
  creator.SetInfo(PdfInfoKeywords, KEYWORDS);
  creator.SetInfo(PdfInfoProducer, kProducer);
  if (VBCOMPRESS) creator.SetCompression(VBTEXT, VBASCII, VCOLOR, VMONO);
  const int count = static_cast<int>(names.size());
  auto take = [&](int page) { TakePage(creator, names[static_cast<std::size_t>(page) - 1], page); };
  if (showStatus) {
    PdfStatusWindow status;
    if (!status.RunPages(count, take)) return 0;
    status.ShowWriting();
    Write(creator);
  } else {
    for (int page = 1; page <= count; ++page) take(page);
    Write(creator);
  }
  return 1;
}

}  // namespace printing
