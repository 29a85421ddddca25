// The paper of the user's locale (LC_PAPER): Letter in North America, A4 in most of the world.
// Any thread.
#pragma once

namespace wdrt::report {

// The paper code (1 Letter, 9 A4, …) of the locale's paper size; Letter when it names none.
int LocalePaperCode();

}  // namespace wdrt::report
