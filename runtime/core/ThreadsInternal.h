// Runtime-internal hooks between threads and windows. Not for procedures.
#pragma once

namespace wdrt {

// Closes every window still open of a procedure thread that has ended.
void CloseWindowsOfThread(int thread);

}  // namespace wdrt
