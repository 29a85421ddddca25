// The letter book "a": its ten pages, frame toolbar and names, as constant data built on first
// use. Any thread may call ABook(); the result lives until the program ends.
#pragma once

#include "books/common/BookTables.h"

const book::BookDef& ABook();
