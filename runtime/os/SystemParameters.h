// System-wide desktop settings (SystemParametersInfoA): the full-window-drag setting that the
// book programs switch off while they run. Kept in the user's configuration folder so that a
// setting survives the program. Any thread.
#pragma once

namespace wdrt {

enum SystemParameterAction : unsigned {
  SpiSetDragFullWindows = 37,
  SpiGetDragFullWindows = 38,
};

enum SystemParameterFlags : unsigned {
  SpifUpdateIniFile = 1,
  SpifSendChange = 2,
};

// Action 38 writes the setting (0 or 1) into *value; action 37 sets it to `parameter` and
// journals `sysparam set 37 <value>`. Returns false for an action it does not know.
bool SystemParametersInfoA(unsigned action, unsigned parameter, int* value, unsigned flags);

}  // namespace wdrt
