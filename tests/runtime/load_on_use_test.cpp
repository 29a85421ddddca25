// Printing, sound, speech and recording are loaded by their first use, not at start: a program
// that never prints, plays, speaks or records does not map libcups, SDL, flite, PocketSphinx or
// Qt Multimedia. Each test runs in a process of its own.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "runtime/os/FliteLibrary.h"
#include "runtime/os/SdlAudioLibrary.h"
#include "runtime/os/VoiceLibrary.h"
#include "runtime/report/CupsLibrary.h"

namespace {

bool Mapped(const std::string& file) {
  std::ifstream maps("/proc/self/maps");
  std::stringstream text;
  text << maps.rdbuf();
  return text.str().find(file) != std::string::npos;
}

TEST(LoadOnUse, NothingIsLoadedAtStart) {
  for (const char* file : {"libcups.so", "libSDL2", "libflite", "libwdrt_voice.so", "libpocketsphinx", "libQt6Multimedia"})
    EXPECT_FALSE(Mapped(file)) << file;
}

TEST(LoadOnUse, EachLibraryIsLoadedOnceOnItsFirstUseWithEveryFunction) {
  const auto& cups = wdrt::report::Cups();
  EXPECT_TRUE(cups.loaded) << cups.error;
  EXPECT_TRUE(Mapped("libcups.so"));
  const auto& sdl = wdrt::SdlAudio();
  EXPECT_TRUE(sdl.loaded) << sdl.error;
  EXPECT_TRUE(Mapped("libSDL2"));
  const auto& flite = wdrt::Flite();
  EXPECT_TRUE(flite.loaded) << flite.error;
  EXPECT_TRUE(Mapped("libflite_cmu_us_awb"));
  const auto& voice = wdrt::voice::Load();
  EXPECT_TRUE(voice.capture && voice.align) << voice.error;
  EXPECT_TRUE(Mapped("libwdrt_voice.so"));
  EXPECT_TRUE(Mapped("libpocketsphinx"));
  // Once for the process.
  EXPECT_EQ(&wdrt::report::Cups(), &cups);
  EXPECT_EQ(&wdrt::SdlAudio(), &sdl);
  EXPECT_EQ(&wdrt::Flite(), &flite);
  EXPECT_EQ(&wdrt::voice::Load(), &voice);
}

}  // namespace
