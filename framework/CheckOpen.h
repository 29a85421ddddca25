// CheckOpen: opens a data file and repairs what can be repaired (a lock that clears, a
// missing file, a damaged key), warning the user; ends the program when it cannot recover.
// Called on the procedure thread that uses the file.
#pragma once

#include <cstdint>

#include "runtime/data/KeyedFile.h"

// create 1: create a missing file; noCreate non-zero: never create; shareOpen non-zero:
// open with mode 66, else with openMode. Returns only with the file open.
void CheckOpen(wdrt::KeyedFile& file, std::uint8_t create, std::uint8_t noCreate, std::uint8_t openMode,
               std::uint8_t shareOpen);
