// The child the suite is made for: the name that the page texts and the voice say, how to say
// it, and which names a grown-up may choose. The name is read from the settings at each call,
// so a book takes a new one at its next page. Any thread.
#pragma once

#include <string>

namespace book {

inline constexpr std::size_t kChildNameCharacters = 30;
inline constexpr const char* kChildPlaceholder = "{child}";

// The name now chosen: [Child] Name of the suite's settings (a book's own file wins), else the
// name the suite was built for.
std::string ChildName(const std::string& bookIniFile);
// How the voice says the name ([Child] SayItLike); the name itself when none is set.
std::string SpokenChildName(const std::string& bookIniFile);

// `text` with every "{child}" replaced by `name`.
std::string WithChildName(std::string text, const std::string& name);

// Blanks around a typed name are not part of it, and a letter typed with a combining accent
// becomes the one accented letter.
std::string TrimmedName(const std::string& typed);

// Why `name` (already trimmed) cannot be the child's name, as a sentence for the grown-up; ""
// when it can. A name has letters of any language, and may have blanks, hyphens and
// apostrophes between them, up to 30 characters.
std::string ChildNameProblem(const std::string& name);

}  // namespace book
