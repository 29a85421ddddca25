// The runtime's error state of the calling thread: ERRORCODE, ERROR, FILEERRORCODE and
// FILEERROR. Code 90 means the file driver's own code and text apply. Per thread.
#pragma once

#include <string>

namespace wdrt {

enum ErrorCodeValue : int {
  ErrNone = 0,
  ErrNotFound = 2,
  ErrPathNotFound = 3,
  ErrAccessDenied = 5,
  ErrLocked = 32,
  ErrNoMoreRecords = 33,
  ErrRecordNotFound = 35,
  ErrNotOpen = 37,
  ErrDuplicateKey = 40,
  ErrKeyFileInvalid = 46,
  ErrInvalidFile = 47,
  ErrAlreadyOpen = 52,
  ErrDriver = 90,
};

int ErrorCode();
std::string ErrorText();
std::string FileErrorCode();
std::string FileErrorText();

// Sets the state; the text defaults to the runtime's own words for the code.
void SetError(int code, const std::string& text = "");
void SetFileError(const std::string& driverCode, const std::string& driverText);  // code 90
void ClearError();
std::string DefaultErrorText(int code);

}  // namespace wdrt
