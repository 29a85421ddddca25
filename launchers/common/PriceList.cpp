#include "launchers/common/PriceList.h"

#include "runtime/dialogs/Message.h"

namespace menus {

// The report needs the report engine and the previewer; until they are in, the menu says so.
void Htmlreport() { wdrt::Message("The price list cannot be printed in this version.", "Price list", wdrt::IconAsterisk); }

}  // namespace menus
