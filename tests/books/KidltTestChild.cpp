// A second process for the personalisation-file tests.
//   hold <file> <ms>   opens the file deny-all, prints "locked", keeps it for <ms> or until
//                      its input closes, whichever comes first, then exits.
//   add <file> <n>     opens the file shared and adds n names, printing each name once its
//                      ADD has returned.
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "family/Kidlt.h"
#include "runtime/data/ErrorState.h"

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  const std::string command = argv[1];
  KIDLT.SetName(argv[2]);
  const long count = std::strtol(argv[3], nullptr, 10);
  if (command == "hold") {
    if (!KIDLT.Open(wdrt::AccessReadWrite | wdrt::ShareDenyAll)) {
      std::printf("error %d\n", wdrt::ErrorCode());
      return 1;
    }
    std::printf("locked\n");
    std::fflush(stdout);
    pollfd in{STDIN_FILENO, POLLIN, 0};
    ::poll(&in, 1, static_cast<int>(count));
    KIDLT.Close();
    return 0;
  }
  if (command == "add") {
    if (!KIDLT.Open(wdrt::kModeSharedReadWrite)) {
      std::printf("error %d\n", wdrt::ErrorCode());
      return 1;
    }
    for (long i = 0; i < count; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "Child%05ld", i);
      KIDLT.Record().Clear();
      KIDLT.Record().SetText(kKidltNameField, name);
      KIDLT.Record().SetLong("KDL:DATE", static_cast<std::int32_t>(i));
      if (!KIDLT.Add()) {
        std::printf("error %d\n", wdrt::ErrorCode());
        return 1;
      }
      std::printf("%s\n", name);
      std::fflush(stdout);
    }
    return 0;
  }
  return 2;
}
