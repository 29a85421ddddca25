// The birthday book.
#include "books/common/BookProgram.h"
#include "books/fete/FeteBook.h"

int main(int argc, char** argv) { return book::RunBook(argc, argv, FeteBook()); }
