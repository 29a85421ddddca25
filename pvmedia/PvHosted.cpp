#include "pvmedia/PvHosted.h"

#include <dlfcn.h>

#include <mutex>

#include "runtime/os/DebugOutput.h"

namespace pv {
namespace {

using VersionFunction = const char* (*)(const char*);

std::once_flag loadOnce;
VersionFunction versionFunction = nullptr;

std::string OwnFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&LoadHostedControls), &info) == 0 || !info.dli_fname) return ".";
  std::string path = info.dli_fname;
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

}  // namespace

bool LoadHostedControls() {
  std::call_once(loadOnce, [] {
    const std::string file = OwnFolder() + "/libpvhosted.so";
    // Kept loaded for the life of the process: its components live on the GUI thread.
    void* library = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!library) {
      const std::string line = std::string("[Panoview] hosted controls not available: ") + dlerror() + "\r\n";
      wdrt::OutputDebugStringA(line.c_str());
      return;
    }
    versionFunction = reinterpret_cast<VersionFunction>(dlsym(library, "pvhosted_version"));
  });
  return versionFunction != nullptr;
}

std::string HostedVersion(std::string_view progId) {
  if (!LoadHostedControls()) return {};
  const char* version = versionFunction(std::string(progId).c_str());
  return version ? version : "";
}

}  // namespace pv
