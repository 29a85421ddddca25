// The alphabet menu: one button for each letter book.
#include "launchers/common/MenuProgram.h"
#include "launchers/letters/LettersMenu.h"

int main(int argc, char** argv) { return menus::RunMenuProgram(argc, argv, "letters.INI", [] { letters::Main(); }); }
