// The price table: its declared layout and keys, and the shipped list read back in the order
// the price list prints it (licence types descending, then by theme).
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "launchers/common/Prices.h"
#include "runtime/data/KeyedFile.h"

namespace {

namespace fs = std::filesystem;

TEST(PricesTable, RecordOf433BytesWithSevenKeys) {
  const wdrt::FileDef& def = menus::PricesDefinition();
  EXPECT_EQ(wdrt::ValidateFileDef(def), "");
  EXPECT_EQ(wdrt::RecordLength(def), menus::kPricesRecordLength);
  ASSERT_EQ(def.keys.size(), 7u);
  const auto lictype = wdrt::FindKey(def, "PRI:LICTYPEKEY");
  ASSERT_TRUE(lictype);
  EXPECT_TRUE(def.keys[*lictype].components[0].descending);
  EXPECT_FALSE(def.keys[*wdrt::FindKey(def, "PRI:COUNTKEY")].duplicates);  // the primary key
}

TEST(PricesTable, TheShippedListReadsByLicenceTypeDescendingThenTheme) {
  const fs::path file = fs::temp_directory_path() / ("storyloom-prices-" + std::to_string(::getpid()));
  fs::remove(file);
  ASSERT_TRUE(menus::WriteShippedPriceList(file.string()));
  wdrt::KeyedFile prices(menus::PricesDefinition());
  prices.SetName(file.string());
  ASSERT_TRUE(prices.Open());
  EXPECT_EQ(prices.Records(), static_cast<long>(menus::ShippedPriceList().size()));
  ASSERT_TRUE(prices.Set("PRI:LICTYPEKEY"));
  std::vector<std::pair<std::string, std::string>> order;
  while (prices.Next())
    order.emplace_back(prices.Record().CString("LICTYPE"), prices.Record().Text("THEME"));
  prices.Close();
  ASSERT_EQ(order.size(), menus::ShippedPriceList().size());
  EXPECT_TRUE(std::is_sorted(order.begin(), order.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first > b.first : a.second < b.second;
  }));
  EXPECT_EQ(order.front().first, "Site");
  EXPECT_EQ(order.back().first, "Individual");
  fs::remove(file);
}

}  // namespace
