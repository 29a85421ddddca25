// The media library's entry points around a program's run: PVINIT (at start, with the caller's
// template version), PVDISPOSE (after the main procedure) and the version query. Called by the
// program's main thread; PV_CLASSVERSION may be called from any thread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::string_view kPvClassVersion = "2.5d";
inline constexpr int kPvLibraryVersion = 35;

// Keeps the first 15 characters of `templateVersion` and writes the three version lines.
void PVINIT(std::string_view templateVersion);

// Releases what browser objects of any thread left behind.
void PVDISPOSE();

// Kind 1: the library version ("35"); kind 2: the template version last given to PVINIT;
// any other kind: the class version ("2.5d").
std::string PV_CLASSVERSION(std::uint8_t kind);
