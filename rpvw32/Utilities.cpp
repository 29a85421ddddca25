#include "rpvw32/Utilities.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMetaObject>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <future>

#include "runtime/core/Runtime.h"
#include "runtime/dialogs/FileDialog.h"
#include "runtime/dialogs/Message.h"
#include "runtime/report/PrinterSettings.h"

namespace rpvw {
namespace {

using namespace wdrt::report;

constexpr std::size_t kBlock = 4096;

std::uint32_t Le32(const QByteArray& b, int at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<std::uint8_t>(b[at + i]);
  return v;
}
std::uint16_t Le16(const QByteArray& b, int at) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8);
}
void Put32(QByteArray& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.append(static_cast<char>(v >> (8 * i) & 0xFF));
}
void Put16(QByteArray& b, std::uint16_t v) {
  b.append(static_cast<char>(v & 0xFF));
  b.append(static_cast<char>(v >> 8));
}

std::string Cut(std::string text, std::size_t size) {
  if (text.size() > size) text.resize(size);
  return text;
}

}  // namespace

void HandleCopies(PreviewQueue& pages, int copies) {
  if (copies < 2) return;
  if (Supported(31493) == 1 && CurrentPrinter().devMode.dmCollate != 1) return;
  const std::vector<std::string> names = pages.Names();
  for (int copy = 1; copy < copies; ++copy)
    for (const std::string& name : names) pages.Add(name);
}

ReplaceResult ReplaceFirstInFile(const std::string& file, const std::string& search, const std::string& replacement) {
  std::FILE* f = std::fopen(file.c_str(), "r+b");
  if (!f) return ReplaceResult::OpenError;
  std::string text = replacement;
  text.resize(search.size(), ' ');
  ReplaceResult result = ReplaceResult::NotFound;
  if (!search.empty() && search.size() <= kBlock) {
    std::vector<char> block(kBlock);
    long position = 1;  // the search starts at the second byte of the file
    for (;;) {
      if (std::fseek(f, position, SEEK_SET) != 0) break;
      const std::size_t got = std::fread(block.data(), 1, kBlock, f);
      if (got < search.size()) break;
      const auto hit = std::search(block.begin(), block.begin() + static_cast<long>(got), search.begin(), search.end());
      if (hit != block.begin() + static_cast<long>(got)) {
        std::memcpy(&*hit, text.data(), text.size());
        if (std::fseek(f, position, SEEK_SET) == 0 && std::fwrite(block.data(), 1, got, f) == got)
          result = ReplaceResult::Replaced;
        break;
      }
      if (got < kBlock) break;
      // The next block overlaps this one so that a text across the boundary is found.
      position += static_cast<long>(got - (search.size() - 1));
    }
  }
  std::fclose(f);
  return result;
}

void AssignPageOfPages(PreviewQueue& pages, bool countMode, int textLength, bool flag1, bool flag2, bool flag3,
                       int position, bool flag4, const std::string& search, const std::string& replacement) {
  auto apply = [](const std::string& file, const std::string& s, const std::string& r) {
    if (ReplaceFirstInFile(file, s, r) == ReplaceResult::OpenError) wdrt::Message("open error", "", wdrt::IconHand);
  };
  if (countMode) {
    char count[16];
    std::snprintf(count, sizeof count, "%4zu", pages.Records());
    for (const std::string& name : pages.Names()) apply(name, "?PP?", count);
    return;
  }
  if (flag1 || flag2 || flag3 || flag4 || position < 1) return;
  const std::string wanted = search.substr(0, static_cast<std::size_t>(std::max(0, textLength)));
  if (auto name = pages.Get(static_cast<std::size_t>(position))) apply(*name, wanted, replacement);
}

int Supported(int number) {
  if ((number < 31489 || number > 31499) && number != 31519) return -1;
  if (number == 31490 || number == 31491) return PaperSupport(256, nullptr).empty() ? 0 : 1;
  std::uint32_t flag = 0;
  switch (number) {
    case 31489: flag = DM_PAPERSIZE; break;
    case 31492: flag = DM_SCALE; break;
    case 31493: flag = DM_COPIES; break;
    case 31494: flag = DM_DEFAULTSOURCE; break;
    case 31495: flag = DM_PRINTQUALITY; break;
    case 31496: flag = DM_COLOR; break;
    case 31497: flag = DM_DUPLEX; break;
    case 31498: flag = DM_YRESOLUTION; break;
    case 31499: flag = DM_TTOPTION; break;
    case 31519: flag = DM_ORIENTATION; break;
    default: return 0;
  }
  return (CurrentPrinter().devMode.dmFields & flag) != 0 ? 1 : 0;
}

std::string PaperSupport(int code, std::vector<std::string>* list) {
  const PrinterSettings printer = CurrentPrinter();
  std::string last;
  int listed = 0;
  for (const PrinterPaper& paper : printer.papers) {
    if (paper.code == 0) continue;  // a size without a paper code has no place in the list
    if (++listed > 64) break;
    const std::string name = Cut(paper.name, 64);
    if (code != 0 || !list) {
      if (paper.code == code) return Cut(name, 32);
      continue;
    }
    char number[8];
    std::snprintf(number, sizeof number, "%3d", paper.code);
    list->push_back(std::string(number) + " - " + name);
    last = name;
  }
  return code != 0 || !list ? std::string() : Cut(last, 32);
}

int SetPrinterDraftMode() {
  PrinterSettings printer = CurrentPrinter();
  const int count = static_cast<int>(std::min<std::size_t>(printer.resolutions.size(), 10));
  if (count <= 1) return count;
  const auto& last = printer.resolutions[static_cast<std::size_t>(count - 1)];
  printer.devMode.dmPrintQuality = static_cast<std::int16_t>(last.first);
  printer.devMode.dmYResolution = static_cast<std::int16_t>(last.second);
  StorePrinterSettings(printer);
  return count;
}

void ShowPrinterStatus(int mode, long closeDefault, const std::string& title, const std::string& program) {
  if (mode == 1) {
    // The command is split at blanks and started as it is; no shell reads it.
    const QStringList words = QString::fromStdString(Cut(program, 31)).split(' ', Qt::SkipEmptyParts);
    if (!words.isEmpty()) QProcess::startDetached(words.front(), words.mid(1));
    return;
  }
  const std::string wanted = closeDefault != 0 ? "* Printing Report..." : Cut(title, 64);
  for (int attempt = 0; attempt < 100; ++attempt) {
    for (const wdrt::WindowPtr& w : wdrt::OpenWindows()) {
      if (w->Title() == wanted) {
        wdrt::PostToWindow(w, wdrt::EventCloseWindow);
        return;
      }
    }
  }
}

bool WriteDibAsBmp(const QByteArray& dib, const std::string& file) {
  if (dib.size() < 40 || Le32(dib, 0) != 40) return false;
  const std::int64_t width = static_cast<std::int32_t>(Le32(dib, 4));
  const std::int64_t height = std::abs(static_cast<std::int64_t>(static_cast<std::int32_t>(Le32(dib, 8))));
  const int bits = Le16(dib, 14);
  const std::uint32_t compression = Le32(dib, 16);
  const std::uint32_t imageSize = Le32(dib, 20);
  const std::uint32_t used = Le32(dib, 32);
  std::int64_t colours = used != 0 ? used : bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 256 : 0;
  std::int64_t pixels = 0;
  if (compression == 1 || compression == 2)  // RLE8, RLE4
    pixels = imageSize;
  else
    pixels = ((width * bits + 31) / 32) * 4 * height;
  const std::int64_t body = 40 + colours * 4 + pixels;
  if (body > dib.size() || body <= 0 || 14 + body > 0x7FFFFFFF) return false;
  QByteArray header("BM");
  Put32(header, static_cast<std::uint32_t>(14 + body));
  Put16(header, 0);
  Put16(header, 0);
  Put32(header, static_cast<std::uint32_t>(14 + 40 + colours * 4));
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(header.constData(), header.size());
  for (std::int64_t at = 0; at < body && out; at += 32767)
    out.write(dib.constData() + at, static_cast<std::streamsize>(std::min<std::int64_t>(32767, body - at)));
  out.close();
  return static_cast<bool>(out);
}

QByteArray DibFromImage(const QImage& given) {
  if (given.isNull()) return {};
  const QImage image = given.convertToFormat(QImage::Format_RGB888);
  const int stride = ((image.width() * 24 + 31) / 32) * 4;
  QByteArray dib;
  Put32(dib, 40);
  Put32(dib, static_cast<std::uint32_t>(image.width()));
  Put32(dib, static_cast<std::uint32_t>(image.height()));
  Put16(dib, 1);
  Put16(dib, 24);
  Put32(dib, 0);
  Put32(dib, static_cast<std::uint32_t>(stride * image.height()));
  Put32(dib, 3780);
  Put32(dib, 3780);
  Put32(dib, 0);
  Put32(dib, 0);
  for (int y = image.height() - 1; y >= 0; --y) {  // bottom-up rows of blue, green, red
    const uchar* line = image.constScanLine(y);
    QByteArray row(stride, '\0');
    for (int x = 0; x < image.width(); ++x) {
      row[3 * x] = static_cast<char>(line[3 * x + 2]);
      row[3 * x + 1] = static_cast<char>(line[3 * x + 1]);
      row[3 * x + 2] = static_cast<char>(line[3 * x]);
    }
    dib.append(row);
  }
  return dib;
}

std::string SaveClipToFile(bool ask, const std::string& fileName) {
  std::string file = Cut(fileName, 128);
  if (ask) {
    auto chosen = wdrt::AskSaveFileName("Save to what Filename", "Bitmaps|*.BMP|All Files|*.*", file);
    if (!chosen) return {};
    file = Cut(*chosen, 128);
  }
  if (file.empty() || !qApp) return {};
  // The clipboard belongs to the GUI thread.
  auto read = [] { return QGuiApplication::clipboard()->image(); };
  QImage image;
  if (QThread::currentThread() == qApp->thread()) {
    image = read();
  } else {
    std::promise<QImage> promise;
    auto future = promise.get_future();
    QMetaObject::invokeMethod(qApp, [&] { promise.set_value(read()); }, Qt::QueuedConnection);
    image = future.get();
  }
  const QByteArray dib = DibFromImage(image);
  if (dib.isEmpty() || !WriteDibAsBmp(dib, file)) return {};
  return file;
}

}  // namespace rpvw
