#include "printing/pdflibs/CoreDocument.h"

#include <QFile>

#include <filesystem>
#include <fstream>
#include <optional>

#include "printing/pdflibs/PdfCore.h"
#include "runtime/os/PrivateFolder.h"
#include "runtime/report/WmfPlayer.h"

namespace pdflibs {
namespace {

// Thousandths of a point per point.
constexpr double kMilli = 1000.0;
// Widest page a PDF reader is sure to take: 200 inches.
constexpr int kMaxMilliPoints = 200 * 72000;

const char* InfoKey(int index) {
  switch (index) {
    case PdfInfoTitle: return "/Title";
    case PdfInfoSubject: return "/Subject";
    case PdfInfoAuthor: return "/Author";
    case PdfInfoKeywords: return "/Keywords";
    case PdfInfoCreator: return "/Creator";
    case PdfInfoProducer: return "/Producer";
    default: return nullptr;
  }
}

}  // namespace

CoreDocument::CoreDocument() = default;

CoreDocument::~CoreDocument() = default;

namespace {

std::optional<QByteArray> ReadPageFile(const std::string& fileName) {
  QFile file(QString::fromStdString(fileName));
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  QByteArray bytes = file.readAll();
  if (!wdrt::report::ReadWmfHeader(bytes)) return std::nullopt;
  return bytes;
}

}  // namespace

int CoreDocument::CountImages(const std::string& fileName) {
  std::optional<QByteArray> bytes = ReadPageFile(fileName);
  if (!bytes) return PdfCannotRead;
  countedName_ = fileName;
  counted_ = std::move(*bytes);
  return 1;
}

int CoreDocument::AddImageFile(const std::string& fileName) {
  QByteArray bytes;
  if (!countedName_.empty() && countedName_ == fileName) {
    bytes = std::move(counted_);
  } else {
    std::optional<QByteArray> read = ReadPageFile(fileName);
    if (!read) return PdfCannotRead;
    bytes = std::move(*read);
  }
  countedName_.clear();
  counted_.clear();
  const int id = nextImage_++;
  images_[id] = std::move(bytes);
  return id;
}

int CoreDocument::BeginPage(int orientation, int width, int height, int lrMargin, int tbMargin) {
  if (inPage_ || !finished_.isEmpty()) return PdfBadArgument;
  if ((orientation != 0 && orientation != 1) || width <= 0 || height <= 0 || width > kMaxMilliPoints ||
      height > kMaxMilliPoints || lrMargin < 0 || tbMargin < 0)
    return PdfBadArgument;
  if (orientation == 1) std::swap(width, height);
  if (!pages_.BeginPage(width / kMilli, height / kMilli)) return PdfLibraryFault;
  lrMargin_ = lrMargin;
  tbMargin_ = tbMargin;
  inPage_ = true;
  return PdfOk;
}

int CoreDocument::PlaceImage(int id, int x, int y, int width, int height) {
  if (!inPage_) return PdfNoPage;
  auto it = images_.find(id);
  if (it == images_.end() || x < 0 || y < 0 || width <= 0 || height <= 0) return PdfBadArgument;
  const QRectF target((lrMargin_ + x) / kMilli, (tbMargin_ + y) / kMilli, width / kMilli, height / kMilli);
  return pages_.Draw(it->second, target) == wdrt::report::WmfStatus::NotMetafile ? PdfCannotRead : PdfOk;
}

int CoreDocument::EndPage() {
  if (!inPage_) return PdfNoPage;
  inPage_ = false;
  return PdfOk;
}

int CoreDocument::Write(const std::string& fileName) {
  if (inPage_) return PdfBadArgument;
  if (finished_.isEmpty()) {
    if (pages_.Pages() == 0) return PdfNoPages;
    std::map<std::string, std::string> info;
    for (const auto& [index, text] : info_)
      if (const char* key = InfoKey(index)) info[key] = text;
    finished_ = pages_.Finish(info);
    images_.clear();
    if (finished_.isEmpty()) return PdfLibraryFault;
  }
  return WriteWholeFile(fileName, finished_) ? PdfOk : PdfCannotWrite;
}

bool WriteWholeFile(const std::string& fileName, const QByteArray& bytes) {
  if (fileName.empty()) return false;
  namespace fs = std::filesystem;
  const fs::path target(fileName);
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  const std::optional<std::string> temp = wdrt::CreatePrivateFile(folder.string(), ".pdfw", ".tmp");
  if (!temp) return false;
  bool ok = false;
  {
    std::ofstream out(*temp, std::ios::binary | std::ios::trunc);
    out.write(bytes.constData(), bytes.size());
    out.close();
    ok = static_cast<bool>(out);
  }
  std::error_code ec;
  if (ok) {
    // The file takes the usual permissions of a new file of the user, not the temporary's 0600.
    fs::permissions(*temp, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read,
                    ec);
    fs::rename(*temp, target, ec);
    ok = !ec;
  }
  if (!ok) fs::remove(*temp, ec);
  return ok;
}

}  // namespace pdflibs
