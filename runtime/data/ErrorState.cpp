#include "runtime/data/ErrorState.h"

namespace wdrt {
namespace {

// Each procedure thread has its own error state, as each has its own files in use.
struct ErrorState {
  int code = 0;
  std::string text;
  std::string fileCode;
  std::string fileText;
};

thread_local ErrorState tState;

}  // namespace

int ErrorCode() { return tState.code; }
std::string ErrorText() { return tState.text; }
std::string FileErrorCode() { return tState.fileCode; }
std::string FileErrorText() { return tState.fileText; }

void SetError(int code, const std::string& text) {
  tState.code = code;
  tState.text = text.empty() ? DefaultErrorText(code) : text;
  tState.fileCode.clear();
  tState.fileText.clear();
}

void SetFileError(const std::string& driverCode, const std::string& driverText) {
  tState.code = ErrDriver;
  tState.text = DefaultErrorText(ErrDriver);
  tState.fileCode = driverCode;
  tState.fileText = driverText;
}

void ClearError() { tState = ErrorState{}; }

std::string DefaultErrorText(int code) {
  switch (code) {
    case ErrNone: return "";
    case ErrNotFound: return "File Not Found";
    case ErrPathNotFound: return "Path Not Found";
    case 4: return "Too Many Open Files";
    case ErrAccessDenied: return "Access Denied";
    case ErrLocked: return "File Is Locked";
    case ErrNoMoreRecords: return "Record Not Available";
    case ErrRecordNotFound: return "Record Not Found";
    case ErrNotOpen: return "File Not Open";
    case ErrDuplicateKey: return "Creates Duplicate Key";
    case ErrKeyFileInvalid: return "Key File Must Be Rebuilt";
    case ErrInvalidFile: return "Invalid File";
    case ErrAlreadyOpen: return "File Already Open";
    case ErrDriver: return "File Driver Error";
    default: return "Unknown Error " + std::to_string(code);
  }
}

}  // namespace wdrt
