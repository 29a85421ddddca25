// The flag book.
#include "books/common/BookProgram.h"
#include "books/banners/BannersBook.h"

int main(int argc, char** argv) { return book::RunBook(argc, argv, BannersBook()); }
