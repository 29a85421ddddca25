#include "family/NameVoice.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>

#include "ChildName.h"
#include "family/Child.h"
#include "family/SuiteSettings.h"
#include "runtime/core/Journal.h"
#include "runtime/os/Paths.h"
#include "runtime/os/Speech.h"

namespace book {
namespace {

namespace fs = std::filesystem;

constexpr const char* kNameSoundsFile = "namesounds.tsv";
constexpr const char* kSpokenStamp = "spoken.txt";
// As the shipped sounds: a little silence around the speech, narration loudness.
constexpr long kLeadMs = 50, kTailMs = 150;
constexpr double kNarrationDb = -18.0;

struct NameSound {
  std::string file;   // as the page tables name it
  std::string voice;  // its shipped voice
  std::string words;  // with "{child}"
};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

const std::vector<NameSound>& NameSounds() {
  static const std::vector<NameSound> sounds = [] {
    std::vector<NameSound> rows;
    const std::optional<std::string> path = wdrt::FindFileAnyCase(kNameSoundsFile);
    if (!path) return rows;
    std::ifstream in(*path);
    for (std::string line; std::getline(in, line);) {
      if (line.empty() || line[0] == '#') continue;
      std::istringstream cells(line);
      NameSound row;
      if (std::getline(cells, row.file, '\t') && std::getline(cells, row.voice, '\t') && std::getline(cells, row.words))
        rows.push_back(row);
    }
    return rows;
  }();
  return sounds;
}

const NameSound* NameSoundOf(const std::string& sound) {
  for (const NameSound& row : NameSounds())
    if (Lower(row.file) == Lower(sound)) return &row;
  return nullptr;
}

bool Shipped(const NameVoice& choices, const NameSound& row) {
  return choices.name == kChildName && choices.said == choices.name && (choices.voice.empty() || choices.voice == row.voice);
}

std::string FolderFor(const NameVoice& choices, const NameSound& row) {
  return wdrt::DataFolder() + "/voices/" + choices.name + "/" + (choices.voice.empty() ? row.voice : choices.voice);
}

std::string Stem(const std::string& file) { return fs::path(file).stem().string(); }

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream contents;
  contents << in.rdbuf();
  return contents.str();
}

// A folder's sounds were made for one pronunciation; another one makes them again.
bool MadeFor(const std::string& folder, const std::string& said) { return ReadFile(folder + "/" + kSpokenStamp) == said; }

// Speaks one sound into the folder: "<stem>.wav" and its word times "<stem>.tsv".
bool MakeSound(const NameVoice& choices, const NameSound& row, const std::string& folder, std::string& error) {
  // The page shows the name; the voice says it as the grown-up spelt it for the voice. A name of
  // several words is timed as its first word.
  std::vector<std::string> written, said;
  for (const std::string& word : WordsOfText(row.words)) {
    const bool named = word.find(kChildPlaceholder) != std::string::npos;
    const std::vector<std::string> parts = WordsOfText(WithChildName(word, choices.name));
    for (std::size_t i = 0; i < parts.size(); ++i) {
      written.push_back(parts[i]);
      said.push_back(!named ? parts[i] : i == 0 ? WithChildName(word, choices.said) : std::string());
    }
  }
  std::optional<wdrt::Speech> speech = wdrt::Speak(choices.voice.empty() ? row.voice : choices.voice, written, said, error);
  if (!speech) return false;
  wdrt::FinishSpeech(*speech, kLeadMs, kTailMs, kNarrationDb);
  const std::string stem = folder + "/" + Stem(row.file);
  std::ofstream times(stem + ".tsv.part");
  for (const wdrt::HeardWord& word : speech->words)
    times << row.file << '\t' << word.index << '\t' << word.word << '\t' << word.startMs << '\t' << word.endMs << '\n';
  times.close();
  std::error_code ec;
  if (!times || !wdrt::WriteSpeechWav(*speech, stem + ".wav")) {
    error = "cannot write in " + folder;
    return false;
  }
  fs::rename(stem + ".tsv.part", stem + ".tsv", ec);
  return !ec;
}

// Makes the row's sound when it is missing; the path of its file, or "" when it cannot be made.
std::string EnsureSound(const NameVoice& choices, const NameSound& row, std::string& error) {
  // One book makes a folder's sounds at a time; other books wait and then find them.
  static std::mutex making;
  std::lock_guard lock(making);
  const std::string folder = FolderFor(choices, row);
  const std::string wav = folder + "/" + Stem(row.file) + ".wav";
  std::error_code ec;
  if (MadeFor(folder, choices.said) && fs::exists(wav, ec)) return wav;
  if (!MadeFor(folder, choices.said)) {
    fs::remove_all(folder, ec);
    fs::create_directories(folder, ec);
    std::ofstream(folder + "/" + kSpokenStamp) << choices.said;
  }
  if (!MakeSound(choices, row, folder, error)) {
    wdrt::JournalLine("name-sound-failed " + wdrt::JournalQuote(row.file) + " " + wdrt::JournalQuote(error));
    return "";
  }
  wdrt::JournalLine("name-sound-made " + wdrt::JournalQuote(wav));
  return wav;
}

}  // namespace

NameVoice CurrentNameVoice(const std::string& bookIniFile) {
  NameVoice choices;
  choices.name = ChildName(bookIniFile);
  choices.said = SpokenChildName(bookIniFile);
  choices.voice = SuiteSetting("Sound", "Voice", "", bookIniFile);
  const auto& voices = wdrt::SpeechVoices();
  if (std::find(voices.begin(), voices.end(), choices.voice) == voices.end()) choices.voice.clear();
  return choices;
}

std::string SoundToPlay(const std::string& sound, const NameVoice& choices) {
  const NameSound* row = NameSoundOf(sound);
  if (!row || Shipped(choices, *row)) return sound;
  std::string error;
  const std::string made = EnsureSound(choices, *row, error);
  return made.empty() ? sound : made;
}

int MakeNameSounds(const NameVoice& choices, std::string& error) {
  int made = 0;
  for (const NameSound& row : NameSounds()) {
    if (Shipped(choices, row)) continue;
    if (EnsureSound(choices, row, error).empty()) return -1;
    ++made;
  }
  return made;
}

std::optional<std::vector<TimedWord>> HeardWordsOf(const std::string& playedFile) {
  if (fs::path(playedFile).extension() == ".wav" && playedFile.rfind(wdrt::DataFolder(), 0) == 0) {
    const ReadAlongTable table = ParseReadAlongTable(ReadFile(fs::path(playedFile).replace_extension(".tsv").string()));
    if (table.empty()) return std::nullopt;
    return table.begin()->second;
  }
  const std::vector<TimedWord>* words = TimedWordsOf(SuiteReadAlongTable(), playedFile);
  if (!words) return std::nullopt;
  return *words;
}

}  // namespace book
