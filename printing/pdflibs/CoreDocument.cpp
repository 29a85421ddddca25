#include "printing/pdflibs/CoreDocument.h"

#include <QFile>
#include <QPageSize>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>

#include "printing/pdflibs/PdfCore.h"
#include "runtime/os/PrivateFolder.h"
#include "runtime/report/WmfPlayer.h"

namespace pdflibs {
namespace {

// Painter units: 1200 per inch, so one thousandth of a point is 1/60 of a unit.
constexpr int kDpi = 1200;
constexpr double kMilliPointsPerUnit = 72000.0 / kDpi;
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

// Qt embeds only the glyphs a document uses but names the font as if whole; readers and
// printers expect a subset's name to carry a six-letter tag ("ABCDEF+LiberationSans").
std::string Tagged(const std::string& name) {
  if (name.size() < 2 || name.find('+') != std::string::npos) return name;
  std::uint32_t hash = 2166136261u;
  for (char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  std::string tag;
  for (int i = 0; i < 6; ++i, hash /= 26) tag += static_cast<char>('A' + hash % 26);
  return "/" + tag + "+" + name.substr(1);
}

void TagSubsetFonts(QPDF& pdf) {
  for (QPDFObjectHandle font : pdf.getAllObjects()) {
    if (!font.isDictionary() || !font.getKey("/Type").isNameAndEquals("/Font")) continue;
    QPDFObjectHandle described = font;
    if (font.getKey("/Subtype").isNameAndEquals("/Type0")) {
      QPDFObjectHandle descendants = font.getKey("/DescendantFonts");
      if (!descendants.isArray() || descendants.getArrayNItems() < 1) continue;
      described = descendants.getArrayItem(0);
    }
    QPDFObjectHandle descriptor = described.getKey("/FontDescriptor");
    if (!descriptor.isDictionary() || !descriptor.hasKey("/FontFile2")) continue;
    for (QPDFObjectHandle holder : {font, described}) {
      if (holder.getKey("/BaseFont").isName())
        holder.replaceKey("/BaseFont", QPDFObjectHandle::newName(Tagged(holder.getKey("/BaseFont").getName())));
    }
    if (descriptor.getKey("/FontName").isName())
      descriptor.replaceKey("/FontName", QPDFObjectHandle::newName(Tagged(descriptor.getKey("/FontName").getName())));
  }
}

}  // namespace

CoreDocument::CoreDocument() = default;

CoreDocument::~CoreDocument() {
  if (painter_.isActive()) painter_.end();
}

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
  bytes = tokens_.Swap(bytes);
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
  const QPageSize size(QSizeF(width / 1000.0, height / 1000.0), QPageSize::Point, QString(), QPageSize::ExactMatch);
  if (!writer_) {
    buffer_.setBuffer(&qtBytes_);
    buffer_.open(QIODevice::WriteOnly);
    writer_ = std::make_unique<QPdfWriter>(&buffer_);
    writer_->setResolution(kDpi);
    writer_->setPageSize(size);
    writer_->setPageMargins(QMarginsF(0, 0, 0, 0));
    if (!painter_.begin(writer_.get())) {
      writer_.reset();
      return PdfLibraryFault;
    }
  } else {
    writer_->setPageSize(size);
    writer_->setPageMargins(QMarginsF(0, 0, 0, 0));
    if (!writer_->newPage()) return PdfLibraryFault;
  }
  pageSizes_.emplace_back(width / 1000.0, height / 1000.0);
  lrMargin_ = lrMargin;
  tbMargin_ = tbMargin;
  inPage_ = true;
  return PdfOk;
}

int CoreDocument::PlaceImage(int id, int x, int y, int width, int height) {
  if (!inPage_) return PdfNoPage;
  auto it = images_.find(id);
  if (it == images_.end() || x < 0 || y < 0 || width <= 0 || height <= 0) return PdfBadArgument;
  const QRectF target((lrMargin_ + x) / kMilliPointsPerUnit, (tbMargin_ + y) / kMilliPointsPerUnit,
                      width / kMilliPointsPerUnit, height / kMilliPointsPerUnit);
  wdrt::report::WmfPlayOptions options;
  options.drawJpeg = [this](const QByteArray& jpeg, const QRectF& rect, QPainter& painter) {
    const std::optional<QByteArray> original = tokens_.Original(jpeg);
    return jpegs_.Draw(painter, original ? *original : jpeg, rect);
  };
  const wdrt::report::WmfPlayResult result = wdrt::report::PlayWmf(painter_, it->second, target, options);
  return result.status == wdrt::report::WmfStatus::NotMetafile ? PdfCannotRead : PdfOk;
}

int CoreDocument::EndPage() {
  if (!inPage_) return PdfNoPage;
  inPage_ = false;
  return PdfOk;
}

int CoreDocument::Write(const std::string& fileName) {
  if (inPage_) return PdfBadArgument;
  if (finished_.isEmpty()) {
    if (pageSizes_.empty() || !writer_) return PdfNoPages;
    painter_.end();
    buffer_.close();
    finished_ = FinishQtPdf(qtBytes_, pageSizes_, jpegs_, info_);
    qtBytes_.clear();
    images_.clear();
    if (finished_.isEmpty()) return PdfLibraryFault;
  }
  return WriteWholeFile(fileName, finished_) ? PdfOk : PdfCannotWrite;
}

QByteArray FinishQtPdf(const QByteArray& qtPdf, const std::vector<std::pair<double, double>>& pageSizes,
                       const JpegPassThrough& jpegs, const std::map<int, std::string>& info) {
  try {
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.processMemoryFile("document", qtPdf.constData(), static_cast<std::size_t>(qtPdf.size()));
    std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(pdf).getAllPages();
    for (std::size_t i = 0; i < pages.size() && i < pageSizes.size(); ++i) {
      // Qt rounds page boxes to whole points and draws from the top edge down; keep that edge
      // and give the box its exact size.
      QPDFObjectHandle box = pages[i].getObjectHandle().getKey("/MediaBox");
      if (!box.isRectangle()) continue;
      const QPDFObjectHandle::Rectangle r = box.getArrayAsRectangle();
      const auto [width, height] = pageSizes[i];
      pages[i].getObjectHandle().replaceKey(
          "/MediaBox", QPDFObjectHandle::newArray(QPDFObjectHandle::Rectangle(r.llx, r.ury - height, r.llx + width, r.ury)));
    }
    jpegs.Replace(pdf);
    TagSubsetFonts(pdf);
    QPDFObjectHandle infoDict = QPDFObjectHandle::newDictionary();
    for (const auto& [index, text] : info) {
      const char* key = InfoKey(index);
      if (key && !text.empty()) infoDict.replaceKey(key, QPDFObjectHandle::newUnicodeString(text));
    }
    pdf.getTrailer().replaceKey("/Info", pdf.makeIndirectObject(infoDict));
    QPDFWriter writer(pdf);
    writer.setOutputMemory();
    writer.setObjectStreamMode(qpdf_o_generate);
    writer.setCompressStreams(true);
    writer.setDeterministicID(true);
    writer.write();
    std::shared_ptr<Buffer> out = writer.getBufferSharedPointer();
    return QByteArray(reinterpret_cast<const char*>(out->getBuffer()), static_cast<qsizetype>(out->getSize()));
  } catch (...) {
    return {};
  }
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
