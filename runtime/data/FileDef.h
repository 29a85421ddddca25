// Declarations of keyed record files as data: the record's fields in stored order, the keys
// over them and the owner password. Plain data; any thread may read a definition.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wdrt {

enum class FieldKind {
  Text,     // fixed-size text, blank-padded
  Long,     // 32-bit signed integer
  Decimal,  // packed decimal of `size` bytes with `places` digits after the point
  Date,     // 32-bit day number
  CString,  // NUL-terminated text in `size` bytes
  Blob,     // large object, kept outside the fixed record
};

struct FieldDef {
  std::string name;  // without the prefix, e.g. "NAME"
  FieldKind kind = FieldKind::Text;
  std::size_t size = 0;  // bytes in the record (Long and Date: 4; Blob: 0)
  int places = 0;        // Decimal only
};

struct KeyComponent {
  std::string field;
  bool descending = false;
};

struct KeyDef {
  std::string name;  // without the prefix, e.g. "NME"
  std::vector<KeyComponent> components;
  bool duplicates = false;  // false: every key value is unique
};

struct FileDef {
  std::string label;     // "KIDLT"
  std::string prefix;    // "KDL"
  std::string fileName;  // "kidlt.tps"; a bare name is in the current folder
  std::string owner;     // password that encrypts the file
  std::vector<FieldDef> fields;
  std::vector<KeyDef> keys;
};

// Bytes of the fixed record (Blob fields take none).
std::size_t RecordLength(const FileDef& def);
// Offset of each field in the record, in declared order.
std::vector<std::size_t> FieldOffsets(const FileDef& def);
// Index of a field or key by name, with or without the prefix ("KDL:NAME" or "NAME").
std::optional<std::size_t> FindField(const FileDef& def, std::string_view name);
std::optional<std::size_t> FindKey(const FileDef& def, std::string_view name);
// Empty when the declaration is sound, else what is wrong with it.
std::string ValidateFileDef(const FileDef& def);
// One line describing the layout; stored in a file so that a changed declaration is noticed.
std::string LayoutSignature(const FileDef& def);

}  // namespace wdrt
