#include "launchers/common/Prices.h"

#include "launchers/common/MenuProgram.h"
#include "runtime/data/KeyedFile.h"

namespace menus {
namespace {

// The owner password of the price table; the only place it is written down.
constexpr const char* kPricesOwner = "Pr1ce$~Storyloom!list";

// The day the shipped prices were set (day number, 5 January 2026).
constexpr std::int32_t kPriceDate = 82188;

}  // namespace

const wdrt::FileDef& PricesDefinition() {
  using wdrt::FieldKind;
  static const wdrt::FileDef def{
      .label = "PRICES",
      .prefix = "PRI",
      .fileName = kPricesFileName,
      .owner = kPricesOwner,
      .fields = {{"BOOKNAME", FieldKind::Text, 20, 0},
                 {"PRICE", FieldKind::Decimal, 3, 2},
                 {"LEVEL", FieldKind::Text, 20, 0},
                 {"DESCRIPTION", FieldKind::Text, 45, 0},
                 {"COUNT", FieldKind::Long, 4, 0},
                 {"THEME", FieldKind::Text, 20, 0},
                 {"NUMBERBOOKS", FieldKind::Decimal, 2, 0},
                 {"WEBSITE", FieldKind::CString, 300, 0},
                 {"LICTYPE", FieldKind::CString, 15, 0},
                 {"DATE", FieldKind::Date, 4, 0}},
      .keys = {{"NAMEKEY", {{"BOOKNAME", false}, {"LICTYPE", true}}, true},
               {"LICTYPEKEY", {{"LICTYPE", true}, {"THEME", false}}, true},
               {"LEVELKEY", {{"LEVEL", false}, {"THEME", false}, {"LICTYPE", false}}, true},
               {"THEMEKEY", {{"THEME", false}, {"LICTYPE", true}}, true},
               {"DESCKEY", {{"DESCRIPTION", false}}, true},
               {"COUNTKEY", {{"COUNT", false}}, false},
               {"PRICEKEY", {{"PRICE", false}, {"THEME", false}}, true}},
  };
  return def;
}

const std::vector<PriceRow>& ShippedPriceList() {
  static const std::vector<PriceRow> rows = {
      {"Zuli's Birthday", 1995, "PreK-1", "a, is, my, the, to, we, you", "Birthday", 1, "Individual"},
      {"Zuli's Birthday", 4995, "PreK-1", "a, is, my, the, to, we, you", "Birthday", 1, "Site"},
      {"Our Flag", 1995, "K-2", "and, are, of, red, the, white", "Flags", 1, "Individual"},
      {"Our Flag", 4995, "K-2", "and, are, of, red, the, white", "Flags", 1, "Site"},
      {"Letter A", 1495, "PreK", "a, an, and, at", "Alphabet", 1, "Individual"},
      {"Letter B", 1495, "PreK", "be, big, blue, by", "Alphabet", 1, "Individual"},
      {"Alphabet A to Z", 19900, "PreK-K", "the letters and their first words", "Alphabet", 26, "Site"},
      {"Alphabet A to Z", 7900, "PreK-K", "the letters and their first words", "Alphabet", 26, "Individual"},
      {"My School", 1995, "K-1", "go, in, on, we, school", "School", 1, "Individual"},
      {"Clouds in the Sky", 1995, "K-2", "sun, rain, up, down, see", "Weather", 1, "Individual"},
  };
  return rows;
}

bool WriteShippedPriceList(const std::string& fileName, int times) {
  wdrt::KeyedFile prices(PricesDefinition());
  prices.SetName(fileName);
  if (!prices.Create() || !prices.Open()) return false;
  std::int32_t count = 0;
  for (int round = 0; round < times; ++round) {
    for (const PriceRow& row : ShippedPriceList()) {
      wdrt::RecordBuffer& r = prices.Record();
      r.Clear();
      r.SetText("BOOKNAME", row.bookName);
      r.SetDecimalScaled("PRICE", row.priceCents);
      r.SetText("LEVEL", row.level);
      r.SetText("DESCRIPTION", row.description);
      r.SetLong("COUNT", ++count);
      r.SetText("THEME", row.theme);
      r.SetDecimalScaled("NUMBERBOOKS", row.numberOfBooks);
      r.SetCString("WEBSITE", std::string(kSiteAddress) + "price.htm");
      r.SetCString("LICTYPE", row.licenceType);
      r.SetDate("DATE", kPriceDate);
      if (!prices.Add()) {
        prices.Close();
        return false;
      }
    }
  }
  prices.Close();
  return true;
}

}  // namespace menus
