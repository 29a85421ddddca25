#include "runtime/report/PdfPages.h"

#include <QPageSize>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <cmath>
#include <cstdint>

namespace wdrt::report {
namespace {

// Painter units: 1200 per inch.
constexpr int kDpi = 1200;
constexpr double kUnitsPerPoint = kDpi / 72.0;
// Widest page a PDF reader is sure to take: 200 inches.
constexpr double kMaxPoints = 200 * 72.0;

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

PdfPages::PdfPages() = default;

PdfPages::~PdfPages() {
  if (painter_.isActive()) painter_.end();
}

bool PdfPages::BeginPage(double width, double height) {
  if (finished_ || !(width > 0) || !(height > 0) || width > kMaxPoints || height > kMaxPoints) return false;
  const QPageSize size(QSizeF(width, height), QPageSize::Point, QString(), QPageSize::ExactMatch);
  if (!writer_) {
    buffer_.setBuffer(&qtBytes_);
    buffer_.open(QIODevice::WriteOnly);
    writer_ = std::make_unique<QPdfWriter>(&buffer_);
    writer_->setResolution(kDpi);
    writer_->setPageSize(size);
    writer_->setPageMargins(QMarginsF(0, 0, 0, 0));
    if (!painter_.begin(writer_.get())) {
      writer_.reset();
      return false;
    }
  } else {
    writer_->setPageSize(size);
    writer_->setPageMargins(QMarginsF(0, 0, 0, 0));
    if (!writer_->newPage()) return false;
  }
  pageSizes_.emplace_back(width, height);
  return true;
}

WmfStatus PdfPages::Draw(const QByteArray& pageFile, const QRectF& target, bool turned) {
  if (!painter_.isActive() || pageSizes_.empty()) return WmfStatus::NotMetafile;
  // The player decodes every picture before it offers its bytes; it sees stand-ins instead,
  // and the original bytes go into the PDF untouched.
  const QByteArray swapped = tokens_.Swap(pageFile);
  WmfPlayOptions options;
  options.drawJpeg = [this](const QByteArray& jpeg, const QRectF& rect, QPainter& painter) {
    const std::optional<QByteArray> original = tokens_.Original(jpeg);
    return jpegs_.Draw(painter, original ? *original : jpeg, rect);
  };
  QRectF units(target.x() * kUnitsPerPoint, target.y() * kUnitsPerPoint, target.width() * kUnitsPerPoint,
               target.height() * kUnitsPerPoint);
  painter_.save();
  if (turned) {
    // The landscape picture stands on its left edge: its top runs up the sheet's left side.
    painter_.translate(units.left(), units.bottom());
    painter_.rotate(-90);
    units = QRectF(0, 0, units.height(), units.width());
  }
  const WmfPlayResult result = PlayWmf(painter_, swapped, units, options);
  painter_.restore();
  return result.status;
}

QByteArray PdfPages::Finish(const std::map<std::string, std::string>& info) {
  if (finished_ || pageSizes_.empty() || !writer_) return {};
  finished_ = true;
  painter_.end();
  buffer_.close();
  QByteArray bytes = FinishQtPdf(qtBytes_, pageSizes_, jpegs_, info);
  qtBytes_.clear();
  return bytes;
}

QByteArray FinishQtPdf(const QByteArray& qtPdf, const std::vector<std::pair<double, double>>& pageSizes,
                       const JpegPassThrough& jpegs, const std::map<std::string, std::string>& info) {
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
    for (const auto& [key, text] : info)
      if (!key.empty() && key[0] == '/' && !text.empty()) infoDict.replaceKey(key, QPDFObjectHandle::newUnicodeString(text));
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

}  // namespace wdrt::report
