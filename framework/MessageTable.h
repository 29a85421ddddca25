// The error manager's message tables in their compiled-in form: a 16-bit row count, then per
// row the id (low byte first), the fatality, the length-prefixed title and message.
// Plain functions on bytes; any thread.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct MessageRow {
  std::uint16_t ID = 0;
  std::string MESSAGE;
  std::string TITLE;
  std::uint8_t FATALITY = 0;
  std::string CATEGORY;  // empty: the manager's DEFAULTCATEGORY
};

struct MessageSource {
  std::uint16_t id;
  std::uint8_t fatality;
  std::string_view title;
  std::string_view message;
};

// Encodes rows in the compiled-in form; titles and messages are cut at 255 bytes.
std::vector<std::uint8_t> EncodeMessageTable(std::span<const MessageSource> rows);

// Decodes a table in compiled-in form. A table cut short yields the rows that are whole.
std::vector<MessageRow> DecodeMessageTable(std::span<const std::uint8_t> bytes);

// The standard table of the framework, in compiled-in form.
std::span<const std::uint8_t> StandardMessageTable();
