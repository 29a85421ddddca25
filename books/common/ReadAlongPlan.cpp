#include "books/common/ReadAlongPlan.h"

#include <cctype>

namespace book {
namespace {

// Controls whose text a sound may read, in the order they are tried.
std::vector<int> Candidates(const PageDef& page, int pressed) {
  std::vector<int> order;
  const int count = static_cast<int>(page.controls.size());
  if (pressed >= 1 && pressed <= count && !page.controls[pressed - 1].text.empty()) order.push_back(pressed);
  for (Role role : {Role::Sentence, Role::ExtraLine, Role::Word})
    for (int i = 1; i <= count; ++i)
      if (i != pressed && page.controls[i - 1].role == role && !page.controls[i - 1].text.empty()) order.push_back(i);
  return order;
}

}  // namespace

std::string ComparableWord(const std::string& word) {
  std::string out;
  for (unsigned char c : word)
    if (std::isalnum(c)) out += static_cast<char>(std::tolower(c));
  return out;
}

std::vector<LitWord> PlanReadAlong(const PageDef& page, int pressed, const std::vector<TimedWord>& timed) {
  std::vector<std::vector<std::string>> texts(page.controls.size() + 1);
  for (std::size_t i = 0; i < page.controls.size(); ++i)
    for (const std::string& word : WordsOfText(page.controls[i].text)) texts[i + 1].push_back(ComparableWord(word));
  const std::vector<int> candidates = Candidates(page, pressed);

  std::vector<LitWord> plan;
  std::size_t at = 0;
  while (at < timed.size()) {
    bool matched = false;
    for (int control : candidates) {
      const std::vector<std::string>& words = texts[static_cast<std::size_t>(control)];
      if (words.empty() || at + words.size() > timed.size()) continue;
      bool same = true;
      for (std::size_t k = 0; k < words.size() && same; ++k) same = ComparableWord(timed[at + k].word) == words[k];
      if (!same) continue;
      for (std::size_t k = 0; k < words.size(); ++k)
        plan.push_back({timed[at + k].startMs, control, static_cast<int>(k)});
      at += words.size();
      matched = true;
      break;
    }
    if (!matched) ++at;
  }
  return plan;
}

const LitWord* LitAt(const std::vector<LitWord>& plan, long positionMs) {
  const LitWord* lit = nullptr;
  for (const LitWord& entry : plan) {
    if (entry.startMs > positionMs) break;
    lit = &entry;
  }
  return lit;
}

}  // namespace book
