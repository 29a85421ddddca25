// The text a spoken sound says, as the page shows it for the child's name now: what a parent
// reads aloud to record it, and what a kept take is checked against. Any thread.
#pragma once

#include <string>

namespace book {

// The words of `sound` separated by single blanks, the child's name written in; "" for a
// sound that says no words (an effect).
std::string SpokenText(const std::string& sound, const std::string& childName);

}  // namespace book
