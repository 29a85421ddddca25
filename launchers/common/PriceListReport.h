// The price list and order form as a report definition: a page header on every page, the
// heading printed once before the first product, one detail line per product and the order
// form printed once after the last. Plain data; any thread.
#pragma once

#include "runtime/report/ReportDef.h"

namespace menus {

inline constexpr const char* kPriceHeadingBand = "HEADING";
inline constexpr const char* kPriceDetailBand = "DETAIL";
inline constexpr const char* kPriceOrderFormBand = "ORDERFORM";

const wdrt::report::ReportDef& PriceListReport();

}  // namespace menus
