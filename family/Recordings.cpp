#include "family/Recordings.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "family/ReadAlongTable.h"
#include "runtime/os/Paths.h"

namespace book {
namespace {

namespace fs = std::filesystem;

// Sound names are found whatever their case, so a take is kept under the name in lower case.
std::string Stem(const std::string& book, const std::string& sound) {
  std::string name = fs::path(sound).stem().string();
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return wdrt::DataFolder() + "/recordings/" + book + "/" + name;
}

std::optional<std::string> ReadWhole(const std::string& path) {
  std::ifstream in(path);
  if (!in) return std::nullopt;
  std::stringstream contents;
  contents << in.rdbuf();
  return contents.str();
}

// Writes through a temporary name, so that a reader sees the old file or the new one.
bool WriteWhole(const std::string& path, const std::string& contents) {
  const std::string part = path + ".part";
  {
    std::ofstream out(part, std::ios::trunc);
    out << contents;
    if (!out.flush()) return false;
  }
  std::error_code ec;
  fs::rename(part, path, ec);
  return !ec;
}

}  // namespace

std::string TakeFile(const std::string& book, const std::string& sound) { return Stem(book, sound) + ".wav"; }

TakeState StateOfTake(const std::string& book, const std::string& sound, const std::string& text) {
  std::error_code ec;
  if (!fs::exists(TakeFile(book, sound), ec)) return TakeState::None;
  const std::optional<std::string> recordedFor = ReadWhole(Stem(book, sound) + ".txt");
  return recordedFor && *recordedFor == text ? TakeState::Current : TakeState::Stale;
}

std::optional<std::string> TakeToPlay(const std::string& book, const std::string& sound, const std::string& text) {
  if (text.empty() || StateOfTake(book, sound, text) != TakeState::Current) return std::nullopt;
  return TakeFile(book, sound);
}

bool KeepTake(const std::string& book, const std::string& sound, const std::string& text,
              const std::vector<float>& samples, int rate) {
  const std::string stem = Stem(book, sound);
  std::error_code ec;
  fs::create_directories(fs::path(stem).parent_path(), ec);
  fs::remove(stem + ".tsv", ec);
  wdrt::Speech take;
  take.rate = rate;
  take.samples = samples;
  return wdrt::WriteSpeechWav(take, stem + ".wav") && WriteWhole(stem + ".txt", text);
}

bool KeepWordTimes(const std::string& book, const std::string& sound, const std::vector<wdrt::HeardWord>& words) {
  return WriteWhole(Stem(book, sound) + ".tsv", ReadAlongRows(sound, words));
}

bool HasWordTimes(const std::string& book, const std::string& sound) {
  std::error_code ec;
  return fs::exists(Stem(book, sound) + ".tsv", ec);
}

void ClearTake(const std::string& book, const std::string& sound) {
  const std::string stem = Stem(book, sound);
  std::error_code ec;
  for (const char* extension : {".wav", ".txt", ".tsv"}) fs::remove(stem + extension, ec);
}

}  // namespace book
