// The debug-output channel of the platform: each call is one line for a developer's eyes.
// Lines go to the system journal at debug priority and, when WDRT_DEBUG_OUTPUT names a file,
// are appended to that file unchanged. Any thread may call it.
#pragma once

namespace wdrt {

// Writes `text` as one line. A null pointer writes nothing.
void OutputDebugStringA(const char* text);

}  // namespace wdrt
