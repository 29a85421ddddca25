// The personalisation file KIDLT ("kidlt.tps", prefix KDL): its declaration, its owner
// password and the program-wide file with its record buffer. One procedure thread at a time
// uses KIDLT (the print procedure); the declaration may be read from any thread.
#pragma once

#include <cstddef>

#include "runtime/data/FileDef.h"
#include "runtime/data/KeyedFile.h"

inline constexpr std::size_t kKidltRecordLength = 57;
inline constexpr std::size_t kKidltNameSize = 30;
inline constexpr const char* kKidltFileName = "kidlt.tps";
inline constexpr const char* kKidltNameField = "KDL:NAME";
inline constexpr const char* kKidltNameKey = "KDL:NME";

// The declaration: NAME (30 text), DATE (long), LICSENSE (20 text), OTEHR (3 text); key NME
// on NAME ascending, unique; encrypted with the owner password.
const wdrt::FileDef& KidltDefinition();

// The program-wide file and record buffer, cleared at start.
extern wdrt::KeyedFile KIDLT;
