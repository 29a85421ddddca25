#include "runtime/report/JpegPassThrough.h"

#include <QPainter>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <cstring>
#include <set>

#include "runtime/os/PrivateFolder.h"

namespace wdrt::report {
namespace {

constexpr int kMarkerWidth = 16;
constexpr char kMagic[4] = {'S', 'L', 'J', 'P'};

int Be16(const QByteArray& b, qsizetype at) {
  return (static_cast<unsigned char>(b[at]) << 8) | static_cast<unsigned char>(b[at + 1]);
}

}  // namespace

std::optional<JpegInfo> ProbeJpeg(const QByteArray& b) {
  if (b.size() < 4 || static_cast<unsigned char>(b[0]) != 0xFF || static_cast<unsigned char>(b[1]) != 0xD8)
    return std::nullopt;
  qsizetype at = 2;
  while (at + 4 <= b.size()) {
    if (static_cast<unsigned char>(b[at]) != 0xFF) return std::nullopt;
    const int marker = static_cast<unsigned char>(b[at + 1]);
    if (marker == 0xFF) { ++at; continue; }  // fill byte
    if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) { at += 2; continue; }
    if (marker == 0xD9 || marker == 0xDA) return std::nullopt;  // no frame header before the data
    const int length = Be16(b, at + 2);
    if (length < 2 || at + 2 + length > b.size()) return std::nullopt;
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      // Only Huffman-coded baseline, extended and progressive frames, which every reader decodes.
      if (marker != 0xC0 && marker != 0xC1 && marker != 0xC2) return std::nullopt;
      if (length < 8) return std::nullopt;
      JpegInfo info;
      if (static_cast<unsigned char>(b[at + 4]) != 8) return std::nullopt;  // 8-bit samples only
      info.height = Be16(b, at + 5);
      info.width = Be16(b, at + 7);
      info.components = static_cast<unsigned char>(b[at + 9]);
      if (info.width <= 0 || info.height <= 0 || (info.components != 1 && info.components != 3)) return std::nullopt;
      return info;
    }
    at += 2 + length;
  }
  return std::nullopt;
}

JpegPassThrough::JpegPassThrough() {
  const unsigned long long bits = RandomBits();
  nonce_ = QByteArray(reinterpret_cast<const char*>(&bits), sizeof bits);
}

bool JpegPassThrough::Draw(QPainter& painter, const QByteArray& jpeg, const QRectF& target) {
  auto found = indexOf_.constFind(jpeg);
  int index = 0;
  if (found != indexOf_.constEnd()) {
    index = found.value();
  } else {
    const std::optional<JpegInfo> info = ProbeJpeg(jpeg);
    if (!info) return false;
    index = static_cast<int>(jpegs_.size());
    QImage marker(kMarkerWidth, 1, QImage::Format_Grayscale8);
    uchar* row = marker.scanLine(0);
    std::memcpy(row, kMagic, 4);
    std::memcpy(row + 4, nonce_.constData(), 8);
    for (int i = 0; i < 4; ++i) row[12 + i] = static_cast<uchar>((index >> (8 * i)) & 0xFF);
    indexOf_.insert(jpeg, index);
    jpegs_.push_back(jpeg);
    infos_.push_back(*info);
    markers_.push_back(marker);
  }
  // Lossless, so that the marker's samples reach the PDF exactly as set.
  const bool lossless = painter.testRenderHint(QPainter::LosslessImageRendering);
  painter.setRenderHint(QPainter::LosslessImageRendering, true);
  painter.drawImage(target, markers_[static_cast<std::size_t>(index)]);
  painter.setRenderHint(QPainter::LosslessImageRendering, lossless);
  return true;
}

std::optional<int> JpegPassThrough::IndexOfMarker(const std::string& samples) const {
  // Qt stores a grey image as grey samples, or as three equal samples per pixel.
  std::string s = samples;
  if (samples.size() == 3u * kMarkerWidth) {
    s.clear();
    for (std::size_t i = 0; i < samples.size(); i += 3) s += samples[i];
  }
  if (s.size() != static_cast<std::size_t>(kMarkerWidth) || std::memcmp(s.data(), kMagic, 4) != 0 ||
      std::memcmp(s.data() + 4, nonce_.constData(), 8) != 0)
    return std::nullopt;
  int index = 0;
  for (int i = 0; i < 4; ++i) index |= static_cast<unsigned char>(s[12 + static_cast<std::size_t>(i)]) << (8 * i);
  if (index < 0 || index >= static_cast<int>(jpegs_.size())) return std::nullopt;
  return index;
}

int JpegPassThrough::Replace(QPDF& pdf) const {
  if (jpegs_.empty()) return 0;
  int replaced = 0;
  std::set<QPDFObjGen> seen;
  for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
    for (auto& [name, image] : page.getImages()) {
      if (!seen.insert(image.getObjGen()).second) continue;
      QPDFObjectHandle dict = image.getDict();
      if (!dict.getKey("/Width").isInteger() || dict.getKey("/Width").getIntValue() != kMarkerWidth ||
          !dict.getKey("/Height").isInteger() || dict.getKey("/Height").getIntValue() != 1)
        continue;
      std::optional<int> index;
      try {
        auto data = image.getStreamData(qpdf_dl_generalized);
        index = IndexOfMarker(std::string(reinterpret_cast<const char*>(data->getBuffer()), data->getSize()));
      } catch (...) {
        continue;
      }
      if (!index) continue;
      const QByteArray& jpeg = jpegs_[static_cast<std::size_t>(*index)];
      const JpegInfo& info = infos_[static_cast<std::size_t>(*index)];
      image.replaceStreamData(std::string(jpeg.constData(), static_cast<std::size_t>(jpeg.size())),
                              QPDFObjectHandle::newName("/DCTDecode"), QPDFObjectHandle::newNull());
      dict.replaceKey("/Width", QPDFObjectHandle::newInteger(info.width));
      dict.replaceKey("/Height", QPDFObjectHandle::newInteger(info.height));
      dict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
      dict.replaceKey("/ColorSpace", QPDFObjectHandle::newName(info.components == 1 ? "/DeviceGray" : "/DeviceRGB"));
      dict.removeKey("/SMask");
      dict.removeKey("/Mask");
      dict.removeKey("/Decode");
      ++replaced;
    }
  }
  return replaced;
}

qint64 JpegPassThrough::PictureBytes() const {
  qint64 total = 0;
  for (const QByteArray& j : jpegs_) total += j.size();
  return total;
}

}  // namespace wdrt::report
