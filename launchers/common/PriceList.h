// Htmlreport: the price list and order form that both menus print from their price table.
// Runs on the calling menu's thread and returns when the preview or printing is over.
#pragma once

namespace menus {

void Htmlreport();

}  // namespace menus
