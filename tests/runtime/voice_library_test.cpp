// The recording library is loaded by the first recording or alignment, not at start: a program
// that never records does not map PocketSphinx or Qt Multimedia.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "runtime/os/VoiceLibrary.h"

namespace {

std::string MappedFiles() {
  std::ifstream maps("/proc/self/maps");
  std::stringstream text;
  text << maps.rdbuf();
  return text.str();
}

TEST(VoiceLibrary, IsLoadedOnFirstUseWithItsEntryPoints) {
  const std::string before = MappedFiles();
  EXPECT_EQ(before.find("libwdrt_voice.so"), std::string::npos);
  EXPECT_EQ(before.find("libpocketsphinx"), std::string::npos);
  EXPECT_EQ(before.find("libQt6Multimedia"), std::string::npos);

  const wdrt::voice::Library& library = wdrt::voice::Load();
  ASSERT_TRUE(library.capture && library.align) << library.error;
  const std::string after = MappedFiles();
  EXPECT_NE(after.find("libwdrt_voice.so"), std::string::npos);
  EXPECT_NE(after.find("libpocketsphinx"), std::string::npos);
  EXPECT_EQ(&wdrt::voice::Load(), &library);  // once for the process
}

}  // namespace
