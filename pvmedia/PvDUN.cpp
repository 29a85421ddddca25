#include "pvmedia/PvDUN.h"

#include <QProcess>
#include <QStringList>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "pvmedia/PvText.h"

namespace {

constexpr std::uint8_t kNoLibrary = 41;
constexpr std::uint8_t kNoFunction = 42;
constexpr std::uint8_t kFailed = 44;
constexpr int kTimeoutMs = 15000;

struct Connection {
  std::string name;  // 20
  std::int32_t number = 0;
};

std::mutex connectionsMutex;
std::vector<Connection> connections;
std::int32_t nextConnectionNumber = 1;

struct NmResult {
  std::uint8_t code = 0;
  std::vector<std::string> lines;
};

// Runs the client with `arguments` in terse mode; 41 when it cannot run or the service is down.
NmResult RunNm(const QStringList& arguments) {
  NmResult result;
  const char* program = std::getenv("PV_NMCLI");
  QProcess process;
  process.start(program && *program ? QString::fromUtf8(program) : QStringLiteral("nmcli"),
                QStringList{"-t"} + arguments);
  if (!process.waitForStarted(kTimeoutMs) || !process.waitForFinished(kTimeoutMs) ||
      process.exitStatus() != QProcess::NormalExit) {
    process.kill();
    process.waitForFinished(1000);
    result.code = kNoLibrary;
    return result;
  }
  // nmcli: 8 means NetworkManager is not running, 2 an invalid call.
  switch (process.exitCode()) {
    case 0: break;
    case 8: result.code = kNoLibrary; return result;
    case 2: result.code = kNoFunction; return result;
    default: result.code = kFailed; return result;
  }
  for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
    result.lines.push_back(line.toStdString());
  return result;
}

// Splits a terse line at unescaped colons.
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields(1);
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\\' && i + 1 < line.size()) {
      fields.back() += line[++i];
    } else if (line[i] == ':') {
      fields.emplace_back();
    } else {
      fields.back() += line[i];
    }
  }
  return fields;
}

bool IsModemType(const std::string& type) {
  return type == "gsm" || type == "cdma" || type == "pppoe" || type == "adsl" || type == "bluetooth";
}

std::string Str(std::uint8_t code) { return std::to_string(code); }

}  // namespace

std::uint8_t PV_ONLINESTATUS() {
  try {
    const NmResult state = RunNm({"-f", "CONNECTIVITY", "general"});
    if (state.code != 0) return state.code;
    if (state.lines.empty() || state.lines.front() == "none" || state.lines.front() == "unknown") return 0;
    const NmResult active = RunNm({"-f", "TYPE", "connection", "show", "--active"});
    if (active.code != 0) return active.code;
    std::uint8_t result = 0;
    bool lan = false;
    bool modem = false;
    for (const std::string& line : active.lines) {
      const std::string type = Fields(line).front();
      if (IsModemType(type))
        modem = true;
      else if (type != "loopback" && type != "bridge")
        lan = true;
    }
    if (lan) result = 2;
    if (modem) result = 1;
    for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY"}) {
      const char* value = std::getenv(name);
      if (value && *value) result = 4;
    }
    return result == 0 ? 2 : result;  // connected through something NetworkManager did not type
  } catch (...) {
    return kNoLibrary;
  }
}

std::uint8_t PvDUN::DialDefaultInternetConnection() {
  DbgMsg("DialDefaultInternetConnection: Calling function with parms 1", 0, 0, 0, 1);
  std::uint8_t code = 0;
  const NmResult list = RunNm({"-f", "NAME,AUTOCONNECT", "connection", "show"});
  code = list.code;
  if (code == 0) {
    code = kFailed;
    for (const std::string& line : list.lines) {
      const auto fields = Fields(line);
      if (fields.size() >= 2 && fields[1] == "yes") {
        code = RunNm({"connection", "up", "id", QString::fromStdString(fields[0])}).code;
        break;
      }
    }
  }
  DbgMsg("DialDefaultInternetConnection: Function returned " + Str(code), 0, 0, 0, 1);
  return code;
}

std::uint8_t PvDUN::HangUpDefaultInternetConnection() {
  std::string name;
  std::uint8_t code = GetNameOfDefaultInternetConnection(name);
  if (code == 0) code = name.empty() ? kFailed : RunNm({"connection", "down", "id", QString::fromStdString(name)}).code;
  DbgMsg("HangUpInternetConnection: Function returned " + Str(code), 0, 0, 0, 1);
  return code;
}

std::uint8_t PvDUN::GetNameOfDefaultInternetConnection(std::string& name) {
  name.clear();
  const NmResult active = RunNm({"-f", "NAME,TYPE", "connection", "show", "--active"});
  std::uint8_t code = active.code;
  if (code == 0) {
    for (const std::string& line : active.lines) {
      const auto fields = Fields(line);
      if (fields.size() >= 2 && fields[1] != "loopback") {
        name = pv::Cut(fields[0], 20);
        break;
      }
    }
  }
  DbgMsg("InternetGetConnectedStateEx: Function returned " + Str(code), 0, 0, 0, 1);
  DbgMsg("InternetGetConnectedStateEx: Connection Name returned " + name, 0, 0, 0, 1);
  return code;
}

std::uint8_t PvDUN::HangUpNamedInternetConnection(std::string_view name) {
  const std::string wanted = pv::Lower(pv::Trim(name));
  std::vector<Connection> targets;
  {
    std::lock_guard lock(connectionsMutex);
    if (wanted.empty()) {
      targets.swap(connections);
    } else {
      for (const Connection& connection : connections)
        if (pv::Lower(connection.name) == wanted) targets = {connection};  // the last match counts
    }
  }
  if (wanted.empty()) {
    std::uint8_t code = 0;
    for (const Connection& connection : targets) {
      DbgMsg("HangUpNamedInternetConnection: Hanging up all connections, busy on: " +
                 std::to_string(connection.number), 0, 0, 0, 1);
      const std::uint8_t one = RunNm({"connection", "down", "id", QString::fromStdString(connection.name)}).code;
      if (one != 0) code = one;
    }
    return code;
  }
  if (targets.empty()) {
    DbgMsg("HangUpNamedInternetConnection: Could not resolve connection number.", 0, 0, 0, 1);
    return 0;
  }
  DbgMsg("HangUpNamedInternetConnection: Hanging up connection " + std::to_string(targets.front().number), 0, 0, 0,
         1);
  return RunNm({"connection", "down", "id", QString::fromStdString(targets.front().name)}).code;
}

std::uint8_t PvDUN::DialNamedInternetConnection(std::string_view name) {
  const std::string trimmed(pv::Trim(name));
  const std::uint8_t code = RunNm({"connection", "up", "id", QString::fromStdString(trimmed)}).code;
  std::int32_t number = 0;
  if (code == 0) {
    std::lock_guard lock(connectionsMutex);
    number = nextConnectionNumber++;
    const std::string lower = pv::Lower(trimmed);
    std::erase_if(connections, [&](const Connection& c) { return pv::Lower(c.name) == lower; });
    connections.push_back({pv::Cut(trimmed, 20), number});
  }
  DbgMsg("DialNamedInternetConnection: Function returned " + Str(code) + "; Connection Number " +
             std::to_string(number), 0, 0, 0, 1);
  return code;
}

std::uint8_t PvDUN::CloseInternetHandle(std::int32_t /*handle*/) {
  // NetworkManager hands out no handles: there is nothing to close.
  DbgMsg("InternetCloseHandle: Function returned 0", 0, 0, 0, 1);
  return 0;
}

std::uint8_t PvDUN::OnlineStatus() { return PV_ONLINESTATUS(); }

std::uint8_t PvDUN::EstablishAndDialDefaultInternetConnection() {
  std::string name;
  const std::uint8_t code = GetNameOfDefaultInternetConnection(name);
  if (code != 0) return code;
  if (name.empty()) return 0;
  return DialNamedInternetConnection(name);
}

namespace pv {

std::size_t DialledConnectionCount() {
  std::lock_guard lock(connectionsMutex);
  return connections.size();
}

void ForgetDialledConnections() {
  std::lock_guard lock(connectionsMutex);
  connections.clear();
}

}  // namespace pv
