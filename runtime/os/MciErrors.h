// Result codes of the MCI command-string service, with the numbers Windows programs know,
// and their texts (mciGetErrorString). Pure data and lookups: any thread.
#pragma once

namespace wdrt {

inline constexpr unsigned long kMciNoError = 0;
inline constexpr unsigned long kMciErrBase = 256;
inline constexpr unsigned long kMciErrInvalidDeviceId = kMciErrBase + 1;        // 257
inline constexpr unsigned long kMciErrUnrecognizedKeyword = kMciErrBase + 3;    // 259
inline constexpr unsigned long kMciErrUnrecognizedCommand = kMciErrBase + 5;    // 261
inline constexpr unsigned long kMciErrHardware = kMciErrBase + 6;               // 262
inline constexpr unsigned long kMciErrInvalidDeviceName = kMciErrBase + 7;      // 263
inline constexpr unsigned long kMciErrOutOfMemory = kMciErrBase + 8;            // 264
inline constexpr unsigned long kMciErrCannotLoadDriver = kMciErrBase + 10;      // 266
inline constexpr unsigned long kMciErrMissingCommandString = kMciErrBase + 11;  // 267
inline constexpr unsigned long kMciErrParamOverflow = kMciErrBase + 12;         // 268
inline constexpr unsigned long kMciErrMissingStringArgument = kMciErrBase + 13; // 269
inline constexpr unsigned long kMciErrBadInteger = kMciErrBase + 14;            // 270
inline constexpr unsigned long kMciErrMissingParameter = kMciErrBase + 17;      // 273
inline constexpr unsigned long kMciErrUnsupportedFunction = kMciErrBase + 18;   // 274
inline constexpr unsigned long kMciErrFileNotFound = kMciErrBase + 19;          // 275
inline constexpr unsigned long kMciErrOutOfRange = kMciErrBase + 26;            // 282
inline constexpr unsigned long kMciErrFlagsNotCompatible = kMciErrBase + 28;    // 284
inline constexpr unsigned long kMciErrDuplicateAlias = kMciErrBase + 33;        // 289
inline constexpr unsigned long kMciErrBadConstant = kMciErrBase + 34;           // 290
inline constexpr unsigned long kMciErrMissingDeviceName = kMciErrBase + 36;     // 292
inline constexpr unsigned long kMciErrBadTimeFormat = kMciErrBase + 37;         // 293
inline constexpr unsigned long kMciErrNoClosingQuote = kMciErrBase + 38;        // 294
inline constexpr unsigned long kMciErrDuplicateFlags = kMciErrBase + 39;        // 295
inline constexpr unsigned long kMciErrInvalidFile = kMciErrBase + 40;           // 296
inline constexpr unsigned long kMciErrFilenameRequired = kMciErrBase + 48;      // 304
inline constexpr unsigned long kMciErrExtraCharacters = kMciErrBase + 49;       // 305

// The text for `code`, or nullptr when the code is not one of ours.
const char* MciErrorText(unsigned long code);

// Copies the text for `code` into `text` (at most size - 1 characters and a terminating zero).
// Returns false, with an empty text, for an unknown code or a missing buffer.
bool mciGetErrorString(unsigned long code, char* text, unsigned size);

}  // namespace wdrt
