// IniManager: the program's settings file, read and written through GETINI and PUTINI, with
// its own list of rows (the sector list) kept in section "__Dont_Touch_Me__". Bound from Init
// to Kill on the program's main thread; the reads and writes may come from any thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class IniManager {
 public:
  struct SectorRow {
    std::string FAMILY;  // each at most 99 characters
    std::string ITEM;
    std::string TYPE;
    friend bool operator==(const SectorRow&, const SectorRow&) = default;
  };

  static constexpr const char* kListSection = "__Dont_Touch_Me__";
  static constexpr const char* kListKey = "Sectors";
  static constexpr const char* kUnknown = "---Unknown---";

  IniManager() = default;
  virtual ~IniManager() = default;

  // Fields, in their order.
  std::string FILENAME;  // at most 259 characters
  std::unique_ptr<std::vector<SectorRow>> SECTORS;

  // Virtual operations, in slot order.
  virtual std::string ReadValue(const std::string& section, const std::string& key,
                                const std::string& defaultValue, const std::string& file);
  virtual void WriteValue(const std::string& section, const std::string& key, const std::string& value,
                          const std::string& file);
  virtual void OnInit();
  virtual void OnShutdown();

  void Init(const std::string& fileName);
  // Saves the sector list and drops it; safe to call twice.
  void Kill();

  std::string Read(const std::string& section, const std::string& key);
  void Write(const std::string& section, const std::string& key, const std::string& value);
  void Write(const std::string& section, const std::string& key, long number);
  std::string ReadRequired(const std::string& section, const std::string& key);
  // The n-th comma-separated field (from 1); a field that is not there gives the first.
  std::string ReadField(const std::string& section, const std::string& key, int n);

  // Rows of up to three text fields, stored as the sector list is: `key` holds the count and
  // `key`_1, `key`_2 ... the rows, fields joined by commas. A null member is not read/written.
  template <typename Row>
  void LoadList(const std::string& section, const std::string& key, std::vector<Row>& list,
                std::string Row::*first, std::string Row::*second = nullptr, std::string Row::*third = nullptr);
  template <typename Row>
  void SaveList(const std::vector<Row>& list, const std::string& section, const std::string& key,
                std::string Row::*first, std::string Row::*second = nullptr, std::string Row::*third = nullptr);

  // The row count as stored: leading decimal digits, 0 when there are none; at most 32767.
  static int ParseCount(const std::string& text);
  // The n-th field of a value, as ReadField takes it.
  static std::string FieldOf(const std::string& value, int n);

 private:
  static std::string RowKey(const std::string& key, std::size_t i) { return key + "_" + std::to_string(i); }
  static std::string JoinRow(const std::string* first, const std::string* second, const std::string* third);
};

template <typename Row>
void IniManager::LoadList(const std::string& section, const std::string& key, std::vector<Row>& list,
                          std::string Row::*first, std::string Row::*second, std::string Row::*third) {
  const int count = ParseCount(Read(section, key));
  for (int i = 1; i <= count; ++i) {
    Row row{};
    const std::string rowKey = RowKey(key, static_cast<std::size_t>(i));
    if (first) row.*first = ReadField(section, rowKey, 1);
    if (second) row.*second = ReadField(section, rowKey, 2);
    if (third) row.*third = ReadField(section, rowKey, 3);
    list.push_back(std::move(row));
  }
}

template <typename Row>
void IniManager::SaveList(const std::vector<Row>& list, const std::string& section, const std::string& key,
                          std::string Row::*first, std::string Row::*second, std::string Row::*third) {
  Write(section, key, static_cast<long>(list.size()));
  for (std::size_t i = 0; i < list.size(); ++i) {
    const Row& row = list[i];
    Write(section, RowKey(key, i + 1),
          JoinRow(first ? &(row.*first) : nullptr, second ? &(row.*second) : nullptr,
                  third ? &(row.*third) : nullptr));
  }
}
