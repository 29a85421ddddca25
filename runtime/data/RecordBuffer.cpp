#include "runtime/data/RecordBuffer.h"

#include <algorithm>
#include <cstring>

namespace wdrt {
namespace {

const std::vector<std::uint8_t> kNoBlob;

std::int32_t ReadInt32(const std::uint8_t* p) {
  std::uint32_t v = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                    std::uint32_t(p[3]) << 24;
  return static_cast<std::int32_t>(v);
}

void WriteInt32(std::uint8_t* p, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  p[0] = std::uint8_t(v);
  p[1] = std::uint8_t(v >> 8);
  p[2] = std::uint8_t(v >> 16);
  p[3] = std::uint8_t(v >> 24);
}

}  // namespace

bool PackDecimal(std::int64_t value, std::uint8_t* out, std::size_t size) {
  const bool negative = value < 0;
  // Work on the magnitude as unsigned so that the smallest int64 does not overflow.
  std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  std::vector<std::uint8_t> nibbles(size * 2, 0);
  for (std::size_t i = nibbles.size(); i-- > 1;) {
    nibbles[i] = std::uint8_t(magnitude % 10);
    magnitude /= 10;
  }
  if (magnitude != 0) return false;
  nibbles[0] = negative ? 0xD : 0x0;
  for (std::size_t i = 0; i < size; ++i) out[i] = std::uint8_t(nibbles[2 * i] << 4 | nibbles[2 * i + 1]);
  return true;
}

std::int64_t UnpackDecimal(const std::uint8_t* in, std::size_t size) {
  std::int64_t value = 0;
  for (std::size_t i = 1; i < size * 2; ++i) {
    const int nibble = (i % 2 == 0) ? in[i / 2] >> 4 : in[i / 2] & 0xF;
    value = value * 10 + (nibble > 9 ? 9 : nibble);  // damaged digits read as 9, never overflow
  }
  return (in[0] >> 4) != 0 ? -value : value;
}

RecordBuffer::RecordBuffer(const FileDef& def)
    : def_(def), offsets_(FieldOffsets(def)), bytes_(RecordLength(def)), blobs_(def.fields.size()) {
  Clear();
}

void RecordBuffer::Clear() {
  for (std::size_t i = 0; i < def_.fields.size(); ++i) {
    const FieldDef& f = def_.fields[i];
    std::uint8_t* p = bytes_.data() + offsets_[i];
    switch (f.kind) {
      case FieldKind::Text: std::memset(p, ' ', f.size); break;
      case FieldKind::Decimal: PackDecimal(0, p, f.size); break;
      case FieldKind::Blob: blobs_[i].clear(); break;
      default: std::memset(p, 0, f.size); break;
    }
  }
}

std::optional<std::size_t> RecordBuffer::Index(std::string_view field, FieldKind kind) const {
  auto index = FindField(def_, field);
  if (!index || def_.fields[*index].kind != kind) return std::nullopt;
  return index;
}

std::string RecordBuffer::Text(std::string_view field) const {
  auto i = Index(field, FieldKind::Text);
  return i ? std::string(RawField(*i)) : std::string();
}

bool RecordBuffer::SetText(std::string_view field, std::string_view value) {
  auto i = Index(field, FieldKind::Text);
  if (!i || value.size() > def_.fields[*i].size) return false;
  SetRawField(*i, value);
  return true;
}

std::int32_t RecordBuffer::Long(std::string_view field) const {
  auto i = Index(field, FieldKind::Long);
  return i ? ReadInt32(bytes_.data() + offsets_[*i]) : 0;
}

bool RecordBuffer::SetLong(std::string_view field, std::int32_t value) {
  auto i = Index(field, FieldKind::Long);
  if (!i) return false;
  WriteInt32(bytes_.data() + offsets_[*i], value);
  return true;
}

std::int32_t RecordBuffer::Date(std::string_view field) const {
  auto i = Index(field, FieldKind::Date);
  return i ? ReadInt32(bytes_.data() + offsets_[*i]) : 0;
}

bool RecordBuffer::SetDate(std::string_view field, std::int32_t value) {
  auto i = Index(field, FieldKind::Date);
  if (!i) return false;
  WriteInt32(bytes_.data() + offsets_[*i], value);
  return true;
}

std::int64_t RecordBuffer::DecimalScaled(std::string_view field) const {
  auto i = Index(field, FieldKind::Decimal);
  return i ? UnpackDecimal(bytes_.data() + offsets_[*i], def_.fields[*i].size) : 0;
}

bool RecordBuffer::SetDecimalScaled(std::string_view field, std::int64_t value) {
  auto i = Index(field, FieldKind::Decimal);
  if (!i) return false;
  std::vector<std::uint8_t> packed(def_.fields[*i].size);
  if (!PackDecimal(value, packed.data(), packed.size())) return false;
  std::memcpy(bytes_.data() + offsets_[*i], packed.data(), packed.size());
  return true;
}

std::string RecordBuffer::CString(std::string_view field) const {
  auto i = Index(field, FieldKind::CString);
  if (!i) return {};
  std::string_view raw = RawField(*i);
  return std::string(raw.substr(0, raw.find('\0')));
}

bool RecordBuffer::SetCString(std::string_view field, std::string_view value) {
  auto i = Index(field, FieldKind::CString);
  if (!i || value.size() + 1 > def_.fields[*i].size || value.find('\0') != std::string_view::npos) return false;
  SetRawField(*i, value);
  return true;
}

const std::vector<std::uint8_t>& RecordBuffer::Blob(std::string_view field) const {
  auto i = Index(field, FieldKind::Blob);
  return i ? blobs_[*i] : kNoBlob;
}

bool RecordBuffer::SetBlob(std::string_view field, std::vector<std::uint8_t> value) {
  auto i = Index(field, FieldKind::Blob);
  if (!i) return false;
  blobs_[*i] = std::move(value);
  return true;
}

std::string_view RecordBuffer::RawField(std::size_t index) const {
  return std::string_view(reinterpret_cast<const char*>(bytes_.data() + offsets_[index]),
                          def_.fields[index].size);
}

void RecordBuffer::SetRawField(std::size_t index, std::string_view value) {
  const FieldDef& f = def_.fields[index];
  std::uint8_t* p = bytes_.data() + offsets_[index];
  const std::size_t n = std::min(value.size(), f.size);
  std::memcpy(p, value.data(), n);
  std::memset(p + n, f.kind == FieldKind::Text ? ' ' : 0, f.size - n);
}

std::int64_t RecordBuffer::IntegerOf(std::size_t index) const {
  const FieldDef& f = def_.fields[index];
  const std::uint8_t* p = bytes_.data() + offsets_[index];
  if (f.kind == FieldKind::Decimal) return UnpackDecimal(p, f.size);
  return ReadInt32(p);
}

void RecordBuffer::SetIntegerOf(std::size_t index, std::int64_t value) {
  const FieldDef& f = def_.fields[index];
  std::uint8_t* p = bytes_.data() + offsets_[index];
  if (f.kind == FieldKind::Decimal) {
    if (!PackDecimal(value, p, f.size)) PackDecimal(0, p, f.size);
    return;
  }
  WriteInt32(p, static_cast<std::int32_t>(value));
}

}  // namespace wdrt
