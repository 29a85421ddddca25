#include "runtime/data/FileDef.h"

#include <set>

namespace wdrt {
namespace {

std::string_view WithoutPrefix(const FileDef& def, std::string_view name) {
  if (!def.prefix.empty() && name.size() > def.prefix.size() + 1 &&
      name.substr(0, def.prefix.size()) == def.prefix && name[def.prefix.size()] == ':')
    return name.substr(def.prefix.size() + 1);
  return name;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto up = [](char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; };
    if (up(a[i]) != up(b[i])) return false;
  }
  return true;
}

bool IsPlainName(const std::string& name) {
  if (name.empty() || name.size() > 60) return false;
  for (char c : name) {
    const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok) return false;
  }
  return true;
}

const char* KindName(FieldKind kind) {
  switch (kind) {
    case FieldKind::Text: return "text";
    case FieldKind::Long: return "long";
    case FieldKind::Decimal: return "decimal";
    case FieldKind::Date: return "date";
    case FieldKind::CString: return "cstring";
    case FieldKind::Blob: return "blob";
  }
  return "?";
}

}  // namespace

std::size_t RecordLength(const FileDef& def) {
  std::size_t total = 0;
  for (const FieldDef& f : def.fields) total += f.kind == FieldKind::Blob ? 0 : f.size;
  return total;
}

std::vector<std::size_t> FieldOffsets(const FileDef& def) {
  std::vector<std::size_t> offsets;
  std::size_t at = 0;
  for (const FieldDef& f : def.fields) {
    offsets.push_back(at);
    at += f.kind == FieldKind::Blob ? 0 : f.size;
  }
  return offsets;
}

std::optional<std::size_t> FindField(const FileDef& def, std::string_view name) {
  name = WithoutPrefix(def, name);
  for (std::size_t i = 0; i < def.fields.size(); ++i)
    if (SameName(def.fields[i].name, name)) return i;
  return std::nullopt;
}

std::optional<std::size_t> FindKey(const FileDef& def, std::string_view name) {
  name = WithoutPrefix(def, name);
  for (std::size_t i = 0; i < def.keys.size(); ++i)
    if (SameName(def.keys[i].name, name)) return i;
  return std::nullopt;
}

std::string ValidateFileDef(const FileDef& def) {
  if (def.fields.empty()) return "no fields";
  std::set<std::string> names;
  for (const FieldDef& f : def.fields) {
    if (!IsPlainName(f.name)) return "bad field name '" + f.name + "'";
    std::string upper = f.name;
    for (char& c : upper) c = (c >= 'a' && c <= 'z') ? char(c - 32) : c;
    if (!names.insert(upper).second) return "field " + f.name + " declared twice";
    switch (f.kind) {
      case FieldKind::Text:
      case FieldKind::CString:
        if (f.size == 0 || f.size > 65535) return "field " + f.name + " has a bad size";
        break;
      case FieldKind::Long:
      case FieldKind::Date:
        if (f.size != 4) return "field " + f.name + " must be 4 bytes";
        break;
      case FieldKind::Decimal:
        // Up to 17 digits, so that the value fits a 64-bit integer exactly.
        if (f.size == 0 || f.size > 9 || f.places < 0 || f.places > int(f.size * 2 - 1))
          return "field " + f.name + " has a bad size or places";
        break;
      case FieldKind::Blob:
        if (f.size != 0) return "blob field " + f.name + " takes no bytes in the record";
        break;
    }
  }
  std::set<std::string> keyNames;
  for (const KeyDef& k : def.keys) {
    if (!IsPlainName(k.name)) return "bad key name '" + k.name + "'";
    if (!keyNames.insert(k.name).second) return "key " + k.name + " declared twice";
    if (k.components.empty()) return "key " + k.name + " has no components";
    for (const KeyComponent& c : k.components) {
      auto field = FindField(def, c.field);
      if (!field) return "key " + k.name + " names unknown field " + c.field;
      if (def.fields[*field].kind == FieldKind::Blob) return "key " + k.name + " names a blob";
    }
  }
  return "";
}

std::string LayoutSignature(const FileDef& def) {
  std::string s = "fields";
  for (const FieldDef& f : def.fields)
    s += " " + f.name + ":" + KindName(f.kind) + ":" + std::to_string(f.size) + ":" + std::to_string(f.places);
  s += "; keys";
  for (const KeyDef& k : def.keys) {
    s += " " + k.name + (k.duplicates ? ":dup(" : ":unique(");
    for (std::size_t i = 0; i < k.components.size(); ++i)
    {
      auto field = FindField(def, k.components[i].field);
      s += (i ? "," : "") + std::string(k.components[i].descending ? "-" : "+") +
           (field ? def.fields[*field].name : k.components[i].field);
    }
    s += ")";
  }
  return s;
}

}  // namespace wdrt
