#include "pvmedia/PvUtilities.h"

#include <fnmatch.h>

#include <QColorDialog>
#include <QUrl>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <random>
#include <sstream>

#include "pvmedia/PvDUN.h"
#include "pvmedia/PvHosted.h"
#include "pvmedia/PvMaster.h"
#include "pvmedia/PvPlatform.h"
#include "pvmedia/PvRegistry.h"
#include "pvmedia/PvText.h"
#include "runtime/dialogs/Message.h"
#include "runtime/os/OleControl.h"
#include "runtime/os/Shell.h"

namespace pv {
namespace {

std::mutex seamsMutex;
std::function<std::optional<std::uint32_t>()> colorChooser;
std::string osReleaseFile;

std::string OsReleaseName() {
  std::vector<std::string> files;
  {
    std::lock_guard lock(seamsMutex);
    if (!osReleaseFile.empty()) files.push_back(osReleaseFile);
  }
  if (files.empty()) files = {"/etc/os-release", "/usr/lib/os-release"};
  for (const std::string& file : files) {
    std::ifstream in(file);
    std::string line;
    std::string name;
    while (std::getline(in, line)) {
      const std::size_t equals = line.find('=');
      if (equals == std::string::npos) continue;
      const std::string key = line.substr(0, equals);
      std::string value = line.substr(equals + 1);
      if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
      if (key == "PRETTY_NAME") return value;
      if (key == "NAME" && name.empty()) name = value;
    }
    if (!name.empty()) return name;
  }
  return {};
}

// A header value on one line: line breaks would let a value add headers of its own.
std::string HeaderValue(std::string_view value) {
  std::string text(Trim(value));
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  bool ascii = true;
  for (unsigned char c : text)
    if (c >= 0x80) ascii = false;
  if (ascii) return text;
  // Encoded word (RFC 2047) for texts beyond ASCII.
  static constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string encoded;
  std::size_t i = 0;
  for (; i + 2 < text.size(); i += 3) {
    const unsigned v = static_cast<unsigned char>(text[i]) << 16 | static_cast<unsigned char>(text[i + 1]) << 8 |
                       static_cast<unsigned char>(text[i + 2]);
    encoded += {kBase64[v >> 18 & 63], kBase64[v >> 12 & 63], kBase64[v >> 6 & 63], kBase64[v & 63]};
  }
  if (i < text.size()) {
    unsigned v = static_cast<unsigned char>(text[i]) << 16;
    if (i + 1 < text.size()) v |= static_cast<unsigned char>(text[i + 1]) << 8;
    encoded += {kBase64[v >> 18 & 63], kBase64[v >> 12 & 63], i + 1 < text.size() ? kBase64[v >> 6 & 63] : '=', '='};
  }
  return "=?UTF-8?B?" + encoded + "?=";
}

std::string WriteFile(std::string_view text, std::string_view file, bool append) {
  const std::string name(TrimRight(file));
  std::ofstream out(name, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
  if (!out) return "Error: " + std::string(std::strerror(errno));
  out << text;
  out.flush();
  if (!out) return "Error: " + std::string(std::strerror(errno));
  return {};
}

}  // namespace

void SetColorChooser(std::function<std::optional<std::uint32_t>()> chooser) {
  std::lock_guard lock(seamsMutex);
  colorChooser = std::move(chooser);
}

void SetOsReleaseFile(std::string file) {
  std::lock_guard lock(seamsMutex);
  osReleaseFile = std::move(file);
}

}  // namespace pv

std::string PvMaster::GetRegValue(std::string_view valueName, std::string_view keyPath, std::string_view rootName) {
  return pv::Cut(pv::TrimRight(_GetReg(pv::MapRootName(rootName), pv::Trim(keyPath), valueName)), 255);
}

std::string PvMaster::_GetReg(std::string_view root, std::string_view keyPath, std::string_view valueName) {
  return pv::RegRead(std::string(root), keyPath, valueName).value_or("");
}

std::uint8_t PvMaster::SetRegValue(std::string_view value, std::string_view valueName, std::string_view keyPath,
                                   std::string_view rootName) {
  const std::string root = pv::MapRootName(rootName);
  const std::string key(pv::Trim(keyPath));
  if (pv::TrimRight(value).empty() || pv::TrimRight(valueName).empty() || key.empty()) return 0;
  if (!pv::RegKeyExists(root, key)) {
    if (root.empty()) return 1;
    const int answer = wdrt::Message(
        "A key in your windows registry does not exist and needs to be created.  Create key now?", "Panoview", 0,
        wdrt::ButtonYes | wdrt::ButtonNo);
    if (answer != wdrt::ButtonYes) return 1;
    DbgMsg("Creating registry key: " + root + "\\" + key + "\\" + std::string(pv::TrimRight(valueName)), 0, 0, 0, 1);
    if (!pv::RegCreateKey(root, key)) return 1;
  }
  if (!pv::RegKeyExists(root, key)) return 2;
  if (!pv::RegWrite(root, key, pv::TrimRight(valueName), value)) return 3;
  return 0;
}

std::string PvMaster::GetOSVersion() {
  std::string text = pv::OsReleaseName();
  if (text.empty()) text = "Unknown";
  const std::string lower = pv::Lower(text);
  if (lower.find("microsoft windows 98") != std::string::npos) OS = 3;
  else if (lower.find("microsoft windows 2000") != std::string::npos) OS = 4;
  else if (lower.find("windows nt server") != std::string::npos) OS = 5;
  return pv::Cut(text, 128);
}

std::string PvMaster::OCXVersion(std::string_view type) {
  OBJECTTYPE_BACKUP = OBJECTTYPE;
  OBJECTTYPE = pv::Cut(type, 10);
  std::string result = OCXVersion();
  OBJECTTYPE = OBJECTTYPE_BACKUP;
  return result;
}

std::string PvMaster::OCXVersion() {
  pv::BusyCursor busy;
  const std::string type = Type();
  std::string text;
  if (type == "html1") {
    text = pv::HostedVersion("Shell.Explorer.2");
  } else if (type == "pdf") {
    // The first generation is the document viewer component, the second a browser that
    // shows documents itself; only the first is offered here.
    const std::string viewer = pv::HostedVersion("PDF.PDFCtrl.1");
    DbgMsg("PvMaster::OcxVersion - returning !" + viewer + "!", 0, 0, 0, 1);
    if (!viewer.empty()) {
      PDF4SUPPORTED = 1;
      text = "Acrobat 4";
    }
  } else if (type == "flash") {
    text = pv::HostedVersion("ShockwaveFlash.ShockwaveFlash.1");
  } else if (type == "windows") {
    text = GetOSVersion();
  } else {
    text = "Unsupported Object Type";
  }
  if (text.empty()) text = "Not found";
  PDFVERSION = pv::Cut(text, 50);
  return pv::Cut(text, 255);
}

void PvMaster::GetIEPageSetupInfo() {
  IEPRINTERHEADER.clear();
  IEPRINTERFOOTER.clear();
  IEPRINTERORIENTATION.clear();
  const std::string key = "software\\microsoft\\internet explorer\\pagesetup";
  IEPRINTERHEADER = pv::Cut(GetRegValue("header", key, "hkey_current_user"), 255);
  IEPRINTERFOOTER = pv::Cut(GetRegValue("footer", key, "hkey_current_user"), 255);
  const std::string orientation = GetRegValue("orientation", key, "hkey_current_user");
  IEPRINTERORIENTATION = orientation == "1" ? "portrait" : orientation == "2" ? "landscape" : pv::Cut(orientation, 15);
}

void PvMaster::RemoveTempFiles(std::string_view mask, std::uint8_t confirm) {
  std::string folder;
  if (TEMPDIRLOCATION == 0) {
    folder = pv::CurrentFolder() + "/";
  } else if (TEMPDIRLOCATION == 1) {
    folder = pv::TemporaryFolder();
    if (folder.empty()) folder = pv::CurrentFolder() + "/";
  } else {
    return;
  }
  const std::string pattern(pv::Trim(mask));
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (!entry.is_regular_file(error)) continue;
    const std::string name = entry.path().filename().string();
    if (fnmatch(pattern.c_str(), name.c_str(), 0) == 0) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  if (confirm == 1 && names.empty()) {
    wdrt::Message("No files need to be deleted.", "Panoview");
    return;
  }
  for (const std::string& name : names) {
    if (confirm == 1) {
      const int answer = wdrt::Message("Delete " + name + " ?", "Confirm", wdrt::IconQuestion,
                                       wdrt::ButtonYes | wdrt::ButtonNo | wdrt::ButtonCancel, wdrt::ButtonYes);
      if (answer == wdrt::ButtonCancel) return;
      if (answer != wdrt::ButtonYes) continue;
    }
    std::filesystem::remove(folder + name, error);
  }
}

std::string PvMaster::RGBToHex(std::int32_t color) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  // A platform colour has three bytes; higher bits are no part of it.
  std::uint32_t value = static_cast<std::uint32_t>(color) & 0xFFFFFFu;
  std::string hex(6, '0');
  for (int i = 5; i >= 0; --i, value >>= 4) hex[static_cast<std::size_t>(i)] = kDigits[value & 15];
  return hex.substr(4, 2) + hex.substr(2, 2) + hex.substr(0, 2);
}

std::string PvMaster::PickColor() {
  std::optional<std::uint32_t> chosen;
  std::function<std::optional<std::uint32_t>()> chooser;
  {
    std::lock_guard lock(pv::seamsMutex);
    chooser = pv::colorChooser;
  }
  if (chooser) {
    chosen = chooser();
  } else {
    wdrt::RunOnGuiThread([&] {
      const QColor color = QColorDialog::getColor(Qt::white, nullptr, QStringLiteral("Choose a Color"));
      if (color.isValid())
        chosen = static_cast<std::uint32_t>(color.red() | color.green() << 8 | color.blue() << 16);
    });
  }
  const std::string result = chosen ? "#" + RGBToHex(static_cast<std::int32_t>(*chosen)) : std::string();
  DbgMsg("PvMaster::PickColor - returning " + result, 0, 0, 0, 1);
  return result;
}

void PvMaster::_ShellExecute(std::string_view file) {
  wdrt::ShellExecuteA(0, "open", pv::Cut(pv::TrimRight(file), 255), "", "", 0);
}

std::string PvMaster::VarToFile(std::string_view text, std::string_view file) { return pv::WriteFile(text, file, false); }

std::string PvMaster::VarToFile(std::string_view text, std::string_view file, std::uint8_t append) {
  return pv::WriteFile(text, file, append == 1);
}

std::string PvMaster::HTMLestPath(std::string_view address) {
  const QUrl url(QString::fromStdString(std::string(pv::Trim(address))));
  std::string path = url.isLocalFile() ? url.toLocalFile().toStdString() : std::string(pv::Trim(address));
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return pv::CurrentFolder() + "/";
  return path.substr(0, slash + 1);
}

std::string PvMaster::ConstructEML(std::string_view file, std::string_view replyTo, std::string_view from,
                                   std::string_view to, std::string_view subject, std::string_view body) {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  char date[64];
  std::strftime(date, sizeof date, "%a, %d %b %Y %H:%M:%S %z", &local);
  std::random_device random;
  std::ostringstream id;
  id << std::hex << random() << random() << "." << seconds << "@storyloom.invalid";
  std::ostringstream message;
  message << "Date: " << date << "\r\n";
  message << "From: " << pv::HeaderValue(from) << "\r\n";
  if (!pv::Trim(replyTo).empty()) message << "Reply-To: " << pv::HeaderValue(replyTo) << "\r\n";
  message << "To: " << pv::HeaderValue(to) << "\r\n";
  message << "Subject: " << pv::HeaderValue(subject) << "\r\n";
  message << "Message-ID: <" << id.str() << ">\r\n";
  message << "MIME-Version: 1.0\r\n";
  message << "Content-Type: text/plain; charset=UTF-8\r\n";
  message << "Content-Transfer-Encoding: 8bit\r\n";
  message << "\r\n";
  // Bare line ends become CRLF, as the format asks.
  std::string previous;
  for (char c : body) {
    if (c == '\n' && (previous.empty() || previous.back() != '\r')) message << '\r';
    message << c;
    previous = c;
  }
  message << "\r\n";
  return pv::WriteFile(message.str(), file, false);
}

std::uint8_t PvMaster::OnlineStatus() { return PV_ONLINESTATUS(); }

std::uint8_t PvMaster::InvokeDUN(std::string_view name, std::uint8_t action) {
  PvDUN dun;
  dun.DEBUGGING = DEBUGGING;
  dun.CLASSINSTANCENUMBER = CLASSINSTANCENUMBER;
  switch (action) {
    case 1: return dun.DialDefaultInternetConnection();
    case 2: return dun.DialNamedInternetConnection(name);
    case 3: return dun.HangUpDefaultInternetConnection();
    case 4: return dun.HangUpNamedInternetConnection(name);
    case 5: return dun.EstablishAndDialDefaultInternetConnection();
    default: return 0;
  }
}
