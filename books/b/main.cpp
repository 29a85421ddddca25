// The letter book of B.
#include "books/common/BookProgram.h"
#include "books/b/BBook.h"

int main(int argc, char** argv) { return book::RunBook(argc, argv, BBook()); }
