// The library's life in a program: the banner and PVINIT when it loads, the program's own
// PVINIT and PVDISPOSE, the goodbye lines when it unloads, and the version queries.
#include <gtest/gtest.h>

#include <cstdlib>

#include "pvmedia/PvLifecycle.h"
#include "tests/pvmedia/PvTestSupport.h"

namespace {

bool IsChild() { return std::getenv("STORYLOOM_PV_CHILD") != nullptr; }

// Run as a child: a menu program's run between the library's load and unload.
TEST(LifecycleChild, MenuProgramRun) {
  if (!IsChild()) GTEST_SKIP() << "runs only as the child of Lifecycle tests";
  PVINIT("2.4e");
  PVDISPOSE();
}

TEST(Lifecycle, LoadRunAndUnloadWriteTheirLinesInOrder) {
  soundtest::WorkFolder folder;
  const std::string file = (folder.Path() / "debug.txt").string();
  ASSERT_EQ(soundtest::RunSelf("LifecycleChild.MenuProgramRun", "STORYLOOM_PV_CHILD=1 WDRT_DEBUG_OUTPUT=" + file), 0);
  EXPECT_EQ(soundtest::ReadBytes(file),
            "*****************************************\r\n"
            "[Panoview] Quenby Panoview DLL\r\n"
            "[Panoview] Calling pvInit\r\n"
            "[Panoview] pvInit::Version = 2.5d\r\n"
            "[Panoview] pvInit::DLL_Version = 35\r\n"
            "[Panoview] pvInit::Template_Version = _unavailable_\r\n"
            "[Panoview] pvInit::Version = 2.5d\r\n"
            "[Panoview] pvInit::DLL_Version = 35\r\n"
            "[Panoview] pvInit::Template_Version = 2.4e\r\n"
            "[Panoview] Quenby Panoview DLL - Goodbye...\r\n"
            "[Panoview] pvDispose() called\r\n");
}

TEST(Lifecycle, TemplateVersionIsTheLoadersUntilTheProgramGivesItsOwn) {
  EXPECT_EQ(PV_CLASSVERSION(2), "_unavailable_");
  PVINIT("2.4e");
  EXPECT_EQ(PV_CLASSVERSION(2), "2.4e");
  PVINIT("a-version-longer-than-fifteen");
  EXPECT_EQ(PV_CLASSVERSION(2), "a-version-longe");
  PVINIT("2.4e");
}

TEST(Lifecycle, OtherVersionKinds) {
  EXPECT_EQ(PV_CLASSVERSION(1), "35");
  for (std::uint8_t kind : {0, 3, 20, 255}) EXPECT_EQ(PV_CLASSVERSION(kind), "2.5d") << int(kind);
}

class LifecycleOutput : public pvtest::MediaTest {};

TEST_F(LifecycleOutput, DisposeIsSilentAndMayRunTwice) {
  PVDISPOSE();
  PVDISPOSE();
  EXPECT_EQ(DebugText(), "");
}

}  // namespace
