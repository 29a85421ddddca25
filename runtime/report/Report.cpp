#include "runtime/report/Report.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>

#include "runtime/core/Journal.h"
#include "runtime/os/PrivateFolder.h"
#include "runtime/report/PictureBytes.h"
#include "runtime/report/TextCodePage.h"

namespace wdrt::report {
namespace {

constexpr std::uint16_t kAlignLeft = 0;
constexpr std::uint16_t kAlignRight = 2;
constexpr std::uint16_t kAlignCenter = 6;

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
         });
}

// Writes the whole file; the name may already exist (made empty by the caller's namer).
bool WriteFile(const std::string& name, const std::string& bytes) {
  const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) {
      ::close(fd);
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return ::close(fd) == 0;
}

}  // namespace

std::string PageFolder() { return PrivateTempFolder(); }

Report::Report(ReportDef def) : def_(std::move(def)) {
  paper = def_.paper;
  landscape = def_.landscape;
}

Report::~Report() { Close(); }

void Report::Open() {
  open_ = true;
  page_.reset();
  pageHasContent_ = false;
  pagesDone_ = 0;
  lastError_ = ReportOk;
  pageWidth_ = landscape ? def_.pageHeight : def_.pageWidth;
  pageHeight_ = landscape ? def_.pageWidth : def_.pageHeight;
}

void Report::Close() {
  page_.reset();
  pageHasContent_ = false;
  open_ = false;
}

const BandDef* Report::FindBand(const std::string& name, BandKind kind) const {
  for (const BandDef& band : def_.bands) {
    if (band.kind != kind) continue;
    if (kind != BandKind::Detail || SameName(band.name, name)) return &band;
  }
  return nullptr;
}

int Report::PrintableBottom() const {
  const BandDef* footer = FindBand({}, BandKind::PageFooter);
  return pageHeight_ - def_.marginBottom - (footer ? footer->height : 0);
}

void Report::StartPage() {
  page_.emplace(pageWidth_, pageHeight_, 1000);
  pageHasContent_ = false;
  cursor_ = def_.marginTop;
  if (const BandDef* header = FindBand({}, BandKind::PageHeader)) {
    PlaceBand(*header, cursor_);
    cursor_ += header->height;
  }
}

void Report::PlaceBand(const BandDef& band, int top, const FieldText& fields) {
  WmfWriter& w = *page_;
  const int left = def_.marginLeft;
  for (const ReportItem& item : band.items) {
    const int x = left + item.x;
    const int y = top + item.y;
    switch (item.kind) {
      case ItemKind::Text: {
        const std::string text = item.field.empty() ? item.text : fields ? fields(item.field) : std::string();
        if (!item.field.empty() && text.empty()) break;  // an empty value draws nothing
        auto encoded = EncodeForPage(text);
        if (!encoded) {
          lastError_ = ReportUnprintableText;
          break;
        }
        WmfFontSpec font;
        font.face = item.font.face.empty() ? def_.font.face : item.font.face;
        const int points = item.font.points > 0 ? item.font.points : def_.font.points;
        font.height = points * 1000 / 72;
        font.weight = item.font.bold || (item.font.face.empty() && def_.font.bold) ? 700 : 400;
        font.charset = encoded->charset;
        w.SetFont(font);
        w.SetTextColor(item.font.color != kColorNone ? item.font.color
                       : def_.font.color != kColorNone ? def_.font.color
                                                       : kBlack);
        int textX = x;
        if (item.align == TextAlign::Center) {
          w.SetTextAlign(kAlignCenter);
          textX = x + item.width / 2;
        } else if (item.align == TextAlign::Right) {
          w.SetTextAlign(kAlignRight);
          textX = x + item.width;
        } else {
          w.SetTextAlign(kAlignLeft);
        }
        w.Text(textX, y, encoded->bytes);
        break;
      }
      case ItemKind::Picture: {
        auto picture = LoadPictureBytes(item.picture);
        if (!picture) break;  // a missing picture leaves its place empty, as on screen
        w.Picture(picture->encoded, picture->format, picture->pixelWidth, picture->pixelHeight, x, y, item.width,
                  item.height);
        break;
      }
      case ItemKind::Line:
        w.SetPen(item.pen == kColorNone ? 5 : 0, item.penWidth, item.pen == kColorNone ? kBlack : item.pen);
        w.Line(x, y, x + item.width, y + item.height);
        break;
      case ItemKind::Box:
        w.SetPen(item.pen == kColorNone ? 5 : 0, item.penWidth, item.pen == kColorNone ? kBlack : item.pen);
        w.SetBrush(item.fill == kColorNone ? 1 : 0, item.fill == kColorNone ? kBlack : item.fill);
        w.Rectangle(x, y, x + item.width, y + item.height);
        break;
    }
  }
  pageHasContent_ = true;
}

int Report::Print(const std::string& name, const FieldText& fields) {
  if (!open_) return lastError_ = ReportNotOpen;
  const BandDef* band = FindBand(name, BandKind::Detail);
  if (!band) return lastError_ = ReportNoSuchBand;
  lastError_ = ReportOk;
  if (!page_) StartPage();
  // A band that no longer fits goes to the top of a new page (unless the page is still empty).
  const int headerEnd = def_.marginTop + (FindBand({}, BandKind::PageHeader) ? FindBand({}, BandKind::PageHeader)->height : 0);
  if (cursor_ + band->height > PrintableBottom() && cursor_ > headerEnd) {
    if (int error = FinishPage(); error != ReportOk) return error;
    StartPage();
  }
  const int error = lastError_;
  PlaceBand(*band, cursor_, fields);
  cursor_ += band->height;
  return lastError_ != ReportOk ? lastError_ : error;
}

int Report::EndPage() {
  if (!open_) return lastError_ = ReportNotOpen;
  if (!page_ || !pageHasContent_) return ReportOk;
  return FinishPage();
}

int Report::FinishPage() {
  if (const BandDef* footer = FindBand({}, BandKind::PageFooter)) PlaceBand(*footer, PrintableBottom());
  const std::string bytes = page_->Finish();
  page_.reset();
  pageHasContent_ = false;
  const int number = pagesDone_ + 1;
  std::string name;
  if (namer_) {
    name = namer_(number);
  } else if (auto made = CreatePrivateFile(PageFolder(), "page-", ".wmf")) {
    name = *made;
  }
  if (name.empty()) return lastError_ = ReportCannotWritePage;
  if (name.size() > kPreviewImageSize) {
    ::unlink(name.c_str());
    return lastError_ = ReportNameTooLong;
  }
  if (!WriteFile(name, bytes)) return lastError_ = ReportCannotWritePage;
  pagesDone_ = number;
  JournalLine("report-page " + std::to_string(number) + " " + JournalQuote(name));
  if (queue_) queue_->Add(name);
  return ReportOk;
}

}  // namespace wdrt::report
