#include "framework/IniManager.h"

#include <cctype>

#include "runtime/data/Ini.h"

namespace {

constexpr std::size_t kFileNameSize = 259;
constexpr std::size_t kFieldReadSize = 999;
constexpr std::size_t kRowValueSize = 4999;
constexpr std::size_t kSectorFieldSize = 99;
constexpr int kMaxCount = 32767;

std::string Cut(std::string text, std::size_t size) {
  if (text.size() > size) text.resize(size);
  return text;
}

}  // namespace

std::string IniManager::ReadValue(const std::string& section, const std::string& key,
                                  const std::string& defaultValue, const std::string& file) {
  return wdrt::GetIni(section, key, defaultValue, file);
}

void IniManager::WriteValue(const std::string& section, const std::string& key, const std::string& value,
                            const std::string& file) {
  wdrt::PutIni(section, key, value, file);
}

void IniManager::OnInit() {}

void IniManager::OnShutdown() {}

void IniManager::Init(const std::string& fileName) {
  FILENAME = Cut(fileName, kFileNameSize);
  SECTORS = std::make_unique<std::vector<SectorRow>>();
  OnInit();
  LoadList(kListSection, kListKey, *SECTORS, &SectorRow::FAMILY, &SectorRow::ITEM, &SectorRow::TYPE);
  for (SectorRow& row : *SECTORS) {
    row.FAMILY = Cut(row.FAMILY, kSectorFieldSize);
    row.ITEM = Cut(row.ITEM, kSectorFieldSize);
    row.TYPE = Cut(row.TYPE, kSectorFieldSize);
  }
}

void IniManager::Kill() {
  if (!SECTORS) return;
  SaveList(*SECTORS, kListSection, kListKey, &SectorRow::FAMILY, &SectorRow::ITEM, &SectorRow::TYPE);
  SECTORS.reset();
}

std::string IniManager::Read(const std::string& section, const std::string& key) {
  return ReadValue(section, key, "", FILENAME);
}

void IniManager::Write(const std::string& section, const std::string& key, const std::string& value) {
  WriteValue(section, key, value, FILENAME);
}

void IniManager::Write(const std::string& section, const std::string& key, long number) {
  Write(section, key, std::to_string(number));
}

std::string IniManager::ReadRequired(const std::string& section, const std::string& key) {
  return ReadValue(section, key, kUnknown, FILENAME);
}

std::string IniManager::ReadField(const std::string& section, const std::string& key, int n) {
  return FieldOf(Cut(ReadRequired(section, key), kFieldReadSize), n);
}

std::string IniManager::FieldOf(const std::string& value, int n) {
  std::size_t start = 0;
  for (int i = 1; i < n; ++i) {
    const std::size_t comma = value.find(',', start);
    start = comma == std::string::npos ? 0 : comma + 1;
  }
  const std::size_t end = value.find(',', start);
  return value.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

int IniManager::ParseCount(const std::string& text) {
  std::size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  long count = 0;
  for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
    count = count * 10 + (text[at] - '0');
    if (count > kMaxCount) return kMaxCount;
  }
  return static_cast<int>(count);
}

std::string IniManager::JoinRow(const std::string* first, const std::string* second, const std::string* third) {
  std::string value = first ? *first : std::string();
  if (second) value += "," + *second;
  if (third) value += "," + *third;
  return Cut(std::move(value), kRowValueSize);
}
