// kidlt: keeps the list of children the books are printed for (the personalisation file
// "kidlt.tps" in the current folder, or the file named with --file).
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "family/Kidlt.h"
#include "family/KidltCommands.h"

namespace {

void Usage(std::ostream& out) {
  out << "Usage: kidlt [--file FILE] list\n"
         "       kidlt [--file FILE] add NAME...\n"
         "       kidlt [--file FILE] remove NAME...\n"
         "       kidlt [--file FILE] rebuild\n"
         "\n"
         "Keeps the names of the children that the books print a copy for. Run it in the\n"
         "folder of the books, or name the file with --file (default: "
      << kKidltFileName
      << ").\n"
         "A name can have at most 30 characters; put a name with blanks in quotes.\n";
}

}  // namespace

int main(int argc, char** argv) {
  std::string file = kKidltFileName;
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "-h" || arg == "--help") {
      Usage(std::cout);
      return kidlt::kExitOk;
    }
    if (arg == "-f" || arg == "--file") {
      if (i + 1 >= argc) {
        Usage(std::cerr);
        return kidlt::kExitFileTrouble;
      }
      file = argv[++i];
      continue;
    }
    if (arg.rfind("--file=", 0) == 0) {
      file = arg.substr(7);
      continue;
    }
    args.push_back(arg);
  }
  if (args.empty()) {
    Usage(std::cerr);
    return kidlt::kExitFileTrouble;
  }
  const std::string command = args.front();
  const std::vector<std::string> names(args.begin() + 1, args.end());
  if (command == "list" && names.empty()) return kidlt::ListNames(file, std::cout, std::cerr);
  if (command == "rebuild" && names.empty()) return kidlt::RebuildKey(file, std::cout, std::cerr);
  if (command == "add" && !names.empty()) return kidlt::AddNames(file, names, std::cout, std::cerr);
  if (command == "remove" && !names.empty()) return kidlt::RemoveNames(file, names, std::cout, std::cerr);
  Usage(std::cerr);
  return kidlt::kExitFileTrouble;
}
