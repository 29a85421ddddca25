#include "runtime/os/MciErrors.h"

#include <algorithm>
#include <cstring>

namespace wdrt {
namespace {

struct ErrorEntry {
  unsigned long code;
  const char* text;
};

constexpr ErrorEntry kErrorTexts[] = {
    {kMciNoError, "The specified command was carried out."},
    {kMciErrInvalidDeviceId, "Invalid device ID. Use the ID given to the device when it was opened."},
    {kMciErrUnrecognizedKeyword, "The command contains a word that the device does not recognise."},
    {kMciErrUnrecognizedCommand, "The command is not recognised. Check its spelling."},
    {kMciErrHardware, "The sound output device cannot be used. Check that sound is set up on this computer."},
    {kMciErrInvalidDeviceName, "The device or alias is not open. Open it before sending it commands."},
    {kMciErrOutOfMemory, "There is not enough memory for this command."},
    {kMciErrCannotLoadDriver, "The device type is not supported. Use mpegvideo or waveaudio."},
    {kMciErrMissingCommandString, "No command was given."},
    {kMciErrParamOverflow, "The text to return is longer than the buffer given for it."},
    {kMciErrMissingStringArgument, "The command needs a text value after one of its words."},
    {kMciErrBadInteger, "A number in the command is missing or not a whole number."},
    {kMciErrMissingParameter, "The command needs another word to be complete."},
    {kMciErrUnsupportedFunction, "The device cannot carry out this command."},
    {kMciErrFileNotFound, "The file cannot be found. Check the name and the folder."},
    {kMciErrOutOfRange, "A position in the command is outside the length of the sound."},
    {kMciErrFlagsNotCompatible, "The command contains words that cannot be used together."},
    {kMciErrDuplicateAlias, "The alias is already in use by an open device. Close it or choose another alias."},
    {kMciErrBadConstant, "A value in the command is not one the device knows."},
    {kMciErrMissingDeviceName, "The command needs a device name or alias."},
    {kMciErrBadTimeFormat, "The time format is not supported. Use milliseconds."},
    {kMciErrNoClosingQuote, "A quoted name in the command has no closing quote."},
    {kMciErrDuplicateFlags, "A word appears twice in the command."},
    {kMciErrInvalidFile, "The file cannot be played: it is empty, damaged or not a sound file this device knows."},
    {kMciErrFilenameRequired, "A file name is needed to open this device."},
    {kMciErrExtraCharacters, "The command has unexpected characters after a quoted name."},
};

}  // namespace

const char* MciErrorText(unsigned long code) {
  for (const ErrorEntry& entry : kErrorTexts) {
    if (entry.code == code) return entry.text;
  }
  return nullptr;
}

bool mciGetErrorString(unsigned long code, char* text, unsigned size) {
  if (!text || size == 0) return false;
  text[0] = '\0';
  const char* known = MciErrorText(code);
  if (!known) return false;
  const std::size_t length = std::min<std::size_t>(std::strlen(known), size - 1);
  std::memcpy(text, known, length);
  text[length] = '\0';
  return true;
}

}  // namespace wdrt
