// The letter book "b": its ten pages, frame toolbar and names, as constant data built on first
// use. Any thread may call BBook(); the result lives until the program ends.
#pragma once

#include "books/common/BookTables.h"

const book::BookDef& BBook();
