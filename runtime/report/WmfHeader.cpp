#include "runtime/report/WmfHeader.h"

#include "runtime/report/WmfFormat.h"

namespace wdrt::report {

WmfParsedHeader ParseWmfHeader(const QByteArray& bytes) {
  WmfParsedHeader h;
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
  const std::size_t size = static_cast<std::size_t>(bytes.size());
  std::size_t offset = 0;
  if (size >= 4 && ReadU32(data) == kPlaceableKey) {
    if (size < kPlaceableHeaderBytes) {
      h.status = WmfStatus::NotMetafile;
      h.problem = "placeable header cut short";
      return h;
    }
    h.placeable = true;
    const int left = ReadS16(data + 6), top = ReadS16(data + 8);
    const int right = ReadS16(data + 10), bottom = ReadS16(data + 12);
    h.bbox = QRectF(left, top, right - left, bottom - top);
    const std::uint16_t inch = ReadU16(data + 14);
    h.unitsPerInch = inch ? inch : 1440;
    offset = kPlaceableHeaderBytes;
  }
  if (size < offset + kStandardHeaderBytes) {
    h.status = WmfStatus::NotMetafile;
    h.problem = "standard header cut short";
    return h;
  }
  const unsigned char* s = data + offset;
  const std::uint16_t type = ReadU16(s), headerWords = ReadU16(s + 2);
  const std::uint32_t sizeWords = ReadU32(s + 6);
  h.objects = ReadU16(s + 10);
  if ((type != 1 && type != 2) || headerWords != 9) {
    h.status = WmfStatus::NotMetafile;
    h.problem = "not a metafile: unknown standard header (type " + std::to_string(type) +
                ", size " + std::to_string(headerWords) + ")";
    return h;
  }
  if (static_cast<std::uint64_t>(sizeWords) * 2 != size - offset) {
    h.status = WmfStatus::Damaged;
    h.problem = "header says " + std::to_string(static_cast<std::uint64_t>(sizeWords) * 2) +
                " bytes, file has " + std::to_string(size - offset);
  }
  h.firstRecord = offset + kStandardHeaderBytes;
  return h;
}

}  // namespace wdrt::report
