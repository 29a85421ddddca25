// Writes the price table that the suite ships: make_prices <file>.
#include <cstdio>

#include "launchers/common/Prices.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <file>\n", argc > 0 ? argv[0] : "make_prices");
    return 2;
  }
  if (!menus::WriteShippedPriceList(argv[1])) {
    std::fprintf(stderr, "could not write the price table %s\n", argv[1]);
    return 1;
  }
  return 0;
}
