// The MCI command parser and the error texts: what each command string means, and which
// result code every malformed one gets.
#include <gtest/gtest.h>

#include <cstring>

#include "runtime/os/MciCommand.h"
#include "runtime/os/MciErrors.h"

namespace wdrt {
namespace {

TEST(MciCommandParse, OpenFormsNameDeviceTypeFileAndAlias) {
  struct Case {
    const char* text;
    const char* type;
    const char* element;
    const char* device;
    bool hasAlias;
  };
  const Case cases[] = {
      {"open mpegvideo!song.mp3 alias Mp3", "mpegvideo", "song.mp3", "Mp3", true},
      {"OPEN MPEGVIDEO!Song.MP3 ALIAS mp3", "mpegvideo", "Song.MP3", "mp3", true},
      {"open mpegvideo!\"my song.mp3\" alias Mp3", "mpegvideo", "my song.mp3", "Mp3", true},
      {"open \"my song.mp3\" type waveaudio alias a", "waveaudio", "my song.mp3", "a", true},
      {"open song.wav", "", "song.wav", "song.wav", false},
      {"  open\tsong.wav   alias  x  wait ", "", "song.wav", "x", true},
      {"open song.wav shareable alias x notify", "", "song.wav", "x", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const MciParseResult result = ParseMciCommand(c.text);
    ASSERT_EQ(result.error, kMciNoError);
    EXPECT_EQ(result.command.verb, MciVerb::Open);
    EXPECT_EQ(result.command.deviceType, c.type);
    EXPECT_EQ(result.command.element, c.element);
    EXPECT_EQ(result.command.device, c.device);
    EXPECT_EQ(result.command.hasAlias, c.hasAlias);
  }
}

TEST(MciCommandParse, DeviceCommandsCarryTheirOptions) {
  MciParseResult play = ParseMciCommand("play Mp3 from 250 to 1000 wait");
  ASSERT_EQ(play.error, kMciNoError);
  EXPECT_EQ(play.command.verb, MciVerb::Play);
  EXPECT_EQ(play.command.device, "Mp3");
  EXPECT_EQ(play.command.from, 250u);
  EXPECT_EQ(play.command.to, 1000u);
  EXPECT_TRUE(play.command.wait);

  MciParseResult bare = ParseMciCommand("play Mp3");
  ASSERT_EQ(bare.error, kMciNoError);
  EXPECT_FALSE(bare.command.from);
  EXPECT_FALSE(bare.command.to);
  EXPECT_FALSE(bare.command.wait);

  const std::pair<const char*, MciStatusItem> items[] = {{"status a mode", MciStatusItem::Mode},
                                                         {"status a LENGTH", MciStatusItem::Length},
                                                         {"status a position", MciStatusItem::Position},
                                                         {"status a ready", MciStatusItem::Ready}};
  for (const auto& [text, item] : items) {
    MciParseResult status = ParseMciCommand(text);
    ASSERT_EQ(status.error, kMciNoError) << text;
    EXPECT_EQ(status.command.statusItem, item) << text;
  }

  MciParseResult seek = ParseMciCommand("seek a to 1500");
  ASSERT_EQ(seek.error, kMciNoError);
  EXPECT_EQ(seek.command.seekTarget, MciSeekTarget::Position);
  EXPECT_EQ(seek.command.seekPosition, 1500u);

  MciParseResult closeAll = ParseMciCommand("close all");
  ASSERT_EQ(closeAll.error, kMciNoError);
  EXPECT_TRUE(closeAll.command.all);

  for (const char* text : {"stop a", "pause a wait", "resume a notify", "close a", "seek a to start",
                           "seek a to end", "set a time format milliseconds", "set a time format ms"}) {
    EXPECT_EQ(ParseMciCommand(text).error, kMciNoError) << text;
  }
}

TEST(MciCommandParse, MalformedCommandsGetTheirOwnCodes) {
  const std::pair<const char*, unsigned long> cases[] = {
      {"", kMciErrMissingCommandString},
      {"   ", kMciErrMissingCommandString},
      {"jump Mp3", kMciErrUnrecognizedCommand},
      {"play", kMciErrMissingDeviceName},
      {"open", kMciErrFilenameRequired},
      {"open mpegvideo! alias Mp3", kMciErrFilenameRequired},
      {"open mpegvideo", kMciErrFilenameRequired},
      {"open my song.mp3 alias Mp3", kMciErrUnrecognizedKeyword},
      {"open mpegvideo!my song.mp3 alias Mp3", kMciErrUnrecognizedKeyword},
      {"open cdaudio!track.cda alias a", kMciErrCannotLoadDriver},
      {"open song.mp3 alias", kMciErrMissingStringArgument},
      {"open song.mp3 alias a alias b", kMciErrDuplicateFlags},
      {"open mpegvideo!song.mp3 type waveaudio", kMciErrFlagsNotCompatible},
      {"open \"song.mp3 alias a", kMciErrNoClosingQuote},
      {"open \"song\".mp3 alias a", kMciErrExtraCharacters},
      {"play a from", kMciErrBadInteger},
      {"play a from -5", kMciErrBadInteger},
      {"play a from 12x", kMciErrBadInteger},
      {"play a from 99999999999999999999999", kMciErrBadInteger},
      {"play a from 1 from 2", kMciErrDuplicateFlags},
      {"play a from 500 to 100", kMciErrOutOfRange},
      {"play a wait wait", kMciErrDuplicateFlags},
      {"play a loudly", kMciErrUnrecognizedKeyword},
      {"stop a from 0", kMciErrUnrecognizedKeyword},
      {"status a", kMciErrMissingParameter},
      {"status a colour", kMciErrUnrecognizedKeyword},
      {"seek a", kMciErrMissingParameter},
      {"seek a to", kMciErrMissingParameter},
      {"seek a to middle", kMciErrBadInteger},
      {"set a time format frames", kMciErrBadTimeFormat},
      {"play all", kMciErrUnsupportedFunction},
  };
  for (const auto& [text, code] : cases) {
    EXPECT_EQ(ParseMciCommand(text).error, code) << '"' << text << '"';
  }
}

TEST(MciErrorString, KnownCodesHaveTextsAndUnknownCodesFail) {
  char text[128];
  ASSERT_TRUE(mciGetErrorString(0, text, sizeof text));
  EXPECT_STREQ(text, "The specified command was carried out.");
  for (unsigned long code : {kMciErrDuplicateAlias, kMciErrFileNotFound, kMciErrInvalidDeviceName,
                             kMciErrUnrecognizedCommand, kMciErrInvalidFile}) {
    ASSERT_TRUE(mciGetErrorString(code, text, sizeof text)) << code;
    EXPECT_GT(std::strlen(text), 10u) << code;
    EXPECT_LT(std::strlen(text), 128u) << code;
  }
  // The Windows numbers, which callers compare against.
  EXPECT_EQ(kMciErrFileNotFound, 275u);
  EXPECT_EQ(kMciErrDuplicateAlias, 289u);
  EXPECT_EQ(kMciErrInvalidDeviceName, 263u);
  EXPECT_EQ(kMciErrUnrecognizedCommand, 261u);

  std::strcpy(text, "stale");
  EXPECT_FALSE(mciGetErrorString(12345, text, sizeof text));
  EXPECT_STREQ(text, "");
  EXPECT_FALSE(mciGetErrorString(0, nullptr, 10));
  EXPECT_FALSE(mciGetErrorString(0, text, 0));
}

TEST(MciErrorString, TextIsCutToTheBuffer) {
  char text[8];
  ASSERT_TRUE(mciGetErrorString(0, text, sizeof text));
  EXPECT_STREQ(text, "The spe");
}

}  // namespace
}  // namespace wdrt
