// Result levels of handlers and of the error manager, and the request and response values of
// procedures. Plain constants; any thread.
#pragma once

#include <cstdint>

enum Level : int {
  LevelOk = 0,       // handled, go on
  LevelAsk = 1,
  LevelProgram = 2,
  LevelFatal = 3,    // ends the event loop
  LevelCancel = 4,
  LevelNotice = 5,   // event consumed: skip the runtime's default handling
};

enum Request : std::uint8_t {
  RequestNone = 0,
  RequestInsert = 1,
  RequestChange = 2,
  RequestDelete = 3,
};

enum Response : std::uint8_t {
  ResponseNone = 0,
  ResponseCompleted = 1,
  ResponseCancelled = 2,
};
