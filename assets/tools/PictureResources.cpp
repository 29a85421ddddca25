// Registers the suite's pictures as Qt resources under ":/pictures/<table name>" when the
// program or library that links this object is loaded. The bundle is Qt's binary resource
// format, placed in read-only data by the assembler. Runs during static initialisation.
#include <QResource>

// The symbol is hidden so that a program and a shared library that both link this object keep
// their own copy and never resolve to each other's.
asm(".section .rodata\n"
    ".balign 16\n"
    ".globl storyloomPicturesRcc\n"
    ".hidden storyloomPicturesRcc\n"
    "storyloomPicturesRcc:\n"
    ".incbin \"" STORYLOOM_PICTURES_RCC "\"\n"
    ".byte 0\n"
    ".previous\n");

extern "C" __attribute__((visibility("hidden"))) const unsigned char storyloomPicturesRcc[];

namespace {

struct PictureRegistration {
  PictureRegistration() { QResource::registerResource(storyloomPicturesRcc); }
  ~PictureRegistration() { QResource::unregisterResource(storyloomPicturesRcc); }
};

const PictureRegistration kRegistration;

}  // namespace
