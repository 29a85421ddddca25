// The record buffer of a keyed file: a byte array of the declared record length with typed
// accessors by field name (with or without the prefix), plus the large-object fields that
// live beside it. Used by the thread that uses the file; not shared between threads.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/data/FileDef.h"

namespace wdrt {

class RecordBuffer {
 public:
  explicit RecordBuffer(const FileDef& def);

  // CLEAR: texts to blanks, numbers to zero, strings and large objects empty.
  void Clear();

  std::vector<std::uint8_t>& Bytes() { return bytes_; }
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  std::size_t Length() const { return bytes_.size(); }

  // Fixed text: the full blank-padded width. Setting cuts at the width and pads with blanks;
  // it returns false when the value had to be cut (nothing is stored then).
  std::string Text(std::string_view field) const;
  bool SetText(std::string_view field, std::string_view value);

  std::int32_t Long(std::string_view field) const;
  bool SetLong(std::string_view field, std::int32_t value);
  std::int32_t Date(std::string_view field) const;
  bool SetDate(std::string_view field, std::int32_t value);

  // Packed decimal as an integer scaled by 10^places (12.34 with 2 places is 1234). Setting
  // returns false when the value needs more digits than the field has.
  std::int64_t DecimalScaled(std::string_view field) const;
  bool SetDecimalScaled(std::string_view field, std::int64_t value);

  // NUL-terminated text; setting returns false when it does not fit (size - 1 bytes).
  std::string CString(std::string_view field) const;
  bool SetCString(std::string_view field, std::string_view value);

  const std::vector<std::uint8_t>& Blob(std::string_view field) const;
  bool SetBlob(std::string_view field, std::vector<std::uint8_t> value);

  // By field index, for the driver.
  std::string_view RawField(std::size_t index) const;
  void SetRawField(std::size_t index, std::string_view bytes);  // padded/cut for its kind
  std::int64_t IntegerOf(std::size_t index) const;               // Long, Date, Decimal (scaled)
  void SetIntegerOf(std::size_t index, std::int64_t value);
  std::vector<std::uint8_t>& BlobAt(std::size_t index) { return blobs_[index]; }

 private:
  std::optional<std::size_t> Index(std::string_view field, FieldKind kind) const;

  const FileDef& def_;
  std::vector<std::size_t> offsets_;
  std::vector<std::uint8_t> bytes_;
  std::vector<std::vector<std::uint8_t>> blobs_;  // one per field; used by Blob fields only
};

// Packed decimal helpers: `size` bytes, sign in the first nibble (0 or 0xD), then digits.
bool PackDecimal(std::int64_t value, std::uint8_t* out, std::size_t size);
std::int64_t UnpackDecimal(const std::uint8_t* in, std::size_t size);

}  // namespace wdrt
