#include "books/common/BookGlobals.h"

namespace book {

BookGlobals& Globals() {
  // Never destroyed: page threads may still be finishing while the program ends.
  static BookGlobals* globals = new BookGlobals;
  return *globals;
}

}  // namespace book
