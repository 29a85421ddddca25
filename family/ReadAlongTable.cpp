#include "family/ReadAlongTable.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <sstream>

#include "runtime/os/Paths.h"

namespace book {
namespace {

constexpr char kTableFile[] = "readalong.tsv";

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool Number(const std::string& text, long& value) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

std::vector<std::string> Cells(const std::string& line) {
  std::vector<std::string> cells;
  std::size_t from = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', from);
    cells.push_back(line.substr(from, tab == std::string::npos ? std::string::npos : tab - from));
    if (tab == std::string::npos) return cells;
    from = tab + 1;
  }
}

}  // namespace

std::vector<std::string> WordsOfText(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

ReadAlongTable ParseReadAlongTable(const std::string& text) {
  ReadAlongTable table;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> cells = Cells(line);
    if (cells.size() != 5 || cells[0].empty() || cells[2].empty()) continue;
    long index = 0;
    TimedWord word;
    if (!Number(cells[1], index) || !Number(cells[3], word.startMs) || !Number(cells[4], word.endMs)) continue;
    if (index < 0 || word.startMs < 0 || word.endMs < word.startMs) continue;
    word.index = static_cast<int>(index);
    word.word = cells[2];
    table[Lower(cells[0])].push_back(word);
  }
  return table;
}

const std::vector<TimedWord>* TimedWordsOf(const ReadAlongTable& table, const std::string& sound) {
  auto it = table.find(Lower(sound));
  return it == table.end() ? nullptr : &it->second;
}

const ReadAlongTable& SuiteReadAlongTable() {
  static const ReadAlongTable table = [] {
    const std::optional<std::string> path = wdrt::FindFileAnyCase(kTableFile);
    if (!path) return ReadAlongTable{};
    std::ifstream in(*path);
    std::stringstream contents;
    contents << in.rdbuf();
    return ParseReadAlongTable(contents.str());
  }();
  return table;
}

}  // namespace book
