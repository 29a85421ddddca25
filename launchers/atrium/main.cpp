// The main menu of the suite.
#include "launchers/atrium/AtriumMenu.h"
#include "launchers/common/MenuProgram.h"

int main(int argc, char** argv) { return menus::RunMenuProgram(argc, argv, "atrium.INI", [] { atrium::Main(); }); }
