// PvDUN: dial-up networking on NetworkManager: dialling activates a connection by name,
// hanging up deactivates it, and the online state comes from its connectivity and the types
// of the active connections. Each call runs NetworkManager's command-line client (`nmcli`,
// or the program named by PV_NMCLI) without a shell. Codes: 0 success, 41 NetworkManager is
// not there, 42 the operation is unknown to it, 44 it reported failure. Caller's thread.
#pragma once

#include <cstdint>
#include <string>

#include "pvmedia/PvDebug.h"

class PvDUN : public PvDebug {
 public:
  virtual std::uint8_t DialDefaultInternetConnection();                        // 1
  virtual std::uint8_t HangUpDefaultInternetConnection();                      // 2
  virtual std::uint8_t GetNameOfDefaultInternetConnection(std::string& name);  // 3
  virtual std::uint8_t HangUpNamedInternetConnection(std::string_view name);   // 4
  virtual std::uint8_t DialNamedInternetConnection(std::string_view name);     // 5
  virtual std::uint8_t CloseInternetHandle(std::int32_t handle);               // 6
  virtual std::uint8_t OnlineStatus();                                         // 7
  virtual std::uint8_t EstablishAndDialDefaultInternetConnection();            // 8
};

// 0 offline, 1 through a modem (mobile, DSL or dial-up link), 2 through a local network,
// 4 through a proxy (one is set in the environment); 41 when NetworkManager is not there.
std::uint8_t PV_ONLINESTATUS();

namespace pv {
// Connections dialled by name and not yet forgotten (tests).
std::size_t DialledConnectionCount();
void ForgetDialledConnections();
}  // namespace pv
