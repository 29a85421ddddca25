// Writes the price table that the suite ships: make_prices <file> [times].
#include <cstdio>
#include <cstdlib>

#include "launchers/common/Prices.h"

int main(int argc, char** argv) {
  const int times = argc == 3 ? std::atoi(argv[2]) : 1;
  if ((argc != 2 && argc != 3) || times < 1) {
    std::fprintf(stderr, "usage: %s <file> [times]\n", argc > 0 ? argv[0] : "make_prices");
    return 2;
  }
  if (!menus::WriteShippedPriceList(argv[1], times)) {
    std::fprintf(stderr, "could not write the price table %s\n", argv[1]);
    return 1;
  }
  return 0;
}
