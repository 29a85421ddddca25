// The book's frame picture for the child chosen now: the shipped picture for the built-in name,
// else the picture without a name with the chosen one written over it, made once into the
// family's data folder (covers/<name>/). Any thread.
#pragma once

#include <string>

#include "books/common/BookTables.h"

namespace book {

std::string FramePictureForChild(const BookDef& book, const std::string& name);

}  // namespace book
