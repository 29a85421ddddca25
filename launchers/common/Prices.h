// The price table PRICES (prefix PRI) that both menus print their price list from: its
// declaration with its seven keys, and the price list shipped with the suite. The declaration
// may be read from any thread; the file is used by the thread that opened it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/data/FileDef.h"

namespace menus {

inline constexpr std::size_t kPricesRecordLength = 433;
inline constexpr const char* kPricesFileName = "PRICES";

// BOOKNAME (20 text), PRICE (5 digits, 2 decimals), LEVEL (20), DESCRIPTION (45), COUNT
// (long), THEME (20), NUMBERBOOKS (3 digits), WEBSITE (300, NUL-ended), LICTYPE (15,
// NUL-ended), DATE; keys NAMEKEY, LICTYPEKEY, LEVELKEY, THEMEKEY, DESCKEY, COUNTKEY (the
// primary key) and PRICEKEY.
const wdrt::FileDef& PricesDefinition();

// One product of the shipped price list.
struct PriceRow {
  const char* bookName;
  std::int64_t priceCents;
  const char* level;
  const char* description;  // the book's sight words
  const char* theme;
  int numberOfBooks;
  const char* licenceType;
};

const std::vector<PriceRow>& ShippedPriceList();

// Creates `fileName` as a PRICES file holding the shipped price list (`times` over, for lists
// that fill many pages); false when it cannot.
bool WriteShippedPriceList(const std::string& fileName, int times = 1);

}  // namespace menus
