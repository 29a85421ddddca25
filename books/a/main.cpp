// The letter book of A.
#include "books/common/BookProgram.h"
#include "books/a/ABook.h"

int main(int argc, char** argv) { return book::RunBook(argc, argv, ABook()); }
