// Key names as scripts write them and the codes alert keys carry.
#include <gtest/gtest.h>

#include "runtime/core/Keys.h"

namespace {

TEST(Keys, NamesAndCodesRoundTrip) {
  struct Case {
    const char* name;
    int code;
  };
  const Case cases[] = {{"Esc", wdrt::KeyEsc},          {"F2", wdrt::KeyF2},
                        {"F3", wdrt::KeyF3},            {"Space", wdrt::KeySpace},
                        {"Up", wdrt::KeyUp},            {"Ctrl+M", wdrt::KeyCtrl | 'M'},
                        {"Alt+S", wdrt::KeyAlt | 'S'},  {"Ctrl+Shift+F12", wdrt::KeyCtrl | wdrt::KeyShift | (wdrt::KeyF1 + 11)}};
  for (const Case& c : cases) {
    EXPECT_EQ(wdrt::KeyFromName(c.name), c.code) << c.name;
    EXPECT_EQ(wdrt::KeyFromName(wdrt::KeyName(c.code)), c.code) << c.name;
  }
  EXPECT_EQ(wdrt::KeyFromName("alt+s"), wdrt::KeyAlt | 'S');
  for (const char* bad : {"", "F13", "F0", "Hyper+X", "Ctrl+", "Nothing"}) EXPECT_EQ(wdrt::KeyFromName(bad), 0) << bad;
}

}  // namespace
