// A parent's own voice end to end: page 1's narration recorded through a real sound server's
// microphone (another voice, with key clicks around it) is trimmed, kept, timed, and played by
// the book with its words lit in order; a take of silence is refused; without a microphone
// nothing is recorded; a take for another text, or with recordings turned off, is not played.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>
#include <thread>

#include "BookRun.h"
#include "PrivateSoundServer.h"
#include "runtime/os/AudioClip.h"
#include "runtime/os/Speech.h"

namespace {

namespace fs = std::filesystem;
using e2e::LinesWith;

const std::string kFrame = "Storyloom";
const std::string kRecorder = "\"Record my voice\"";
const std::string kPage = "\"Learning Words\"";
// Page 1 (toolbar button "1") greets with the name in control 2 and says its sentence in
// control 6; its narration reads both.
const std::vector<std::string> kGreeting = {"Hi,", "my", "name", "is", "Zuli."};
const std::vector<std::string> kSentence = {"I", "am", "turning", "six."};

std::string OpenRecorder() {
  return "wait-window " + kFrame + "\nmenu " + kFrame + " \"File\" \"Record my voice...\"\nwait-window " + kRecorder + "\n";
}

std::string Recordings(const std::string& home) { return home + "/.local/share/storyloom/recordings/fete"; }

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::size_t CountIn(const std::string& file, const std::string& needle) {
  const std::string text = ReadFile(file);
  std::size_t count = 0;
  for (std::size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) ++count;
  return count;
}

// A key's click as a microphone beside the keyboard hears it: 4 ms of a sharp buzz.
std::vector<float> Click() {
  std::vector<float> click(e2e::PrivateSoundServer::kRate * 4 / 1000);
  for (std::size_t i = 0; i < click.size(); ++i) click[i] = (i / 8) % 2 ? 0.8f : -0.8f;
  return click;
}

std::vector<float> Silence(int ms) { return std::vector<float>(static_cast<std::size_t>(e2e::PrivateSoundServer::kRate) * ms / 1000, 0.0f); }

struct Highlight {
  int control = 0;
  std::string word;
};

std::vector<Highlight> HighlightsAfter(const std::vector<std::string>& journal, std::size_t from) {
  std::vector<Highlight> lit;
  const std::string marker = "highlight " + kPage + " ";
  for (std::size_t i = from; i < journal.size(); ++i) {
    const std::string body = e2e::Body(journal[i]);
    if (body.rfind(marker, 0) != 0) continue;
    std::istringstream rest(body.substr(marker.size()));
    Highlight h;
    rest >> h.control >> h.word;
    lit.push_back(h);
  }
  return lit;
}

TEST(VoiceRecording, PageOnesNarrationRecordedThroughTheMicrophoneIsPlayedWithItsWordsLitInOrder) {
  const std::string dir = e2e::MakeTempDir("voice");
  e2e::PrivateSoundServer server(dir + "/runtime");
  if (!server.Problem().empty()) GTEST_SKIP() << "no private sound server: " << server.Problem();

  // The narration in a man's voice, where the book's own is a woman's.
  std::vector<std::string> written = kGreeting, said = kGreeting;
  written.insert(written.end(), kSentence.begin(), kSentence.end());
  said = written;
  said[4] = "Zoolee.";
  std::string error;
  std::optional<wdrt::Speech> voice = wdrt::Speak("rms", written, said, error);
  ASSERT_TRUE(voice) << error;
  ASSERT_EQ(voice->rate, e2e::PrivateSoundServer::kRate);
  wdrt::FinishSpeech(*voice, 0, 0, -20.0);
  const long speechMs = static_cast<long>(voice->samples.size() * 1000 / voice->rate);

  const std::string fed = dir + "/fed";
  const std::string script =
      OpenRecorder() + "expect \"recorder-shows 1 \\\"szuli6K.mp3\\\" new\"\n" +
      // A take of silence first: refused.
      "key " + kRecorder + " Space\nexpect \"recording-started\"\nsleep 1200\nkey " + kRecorder + " Space\n" +
      "answer Ok\nexpect \"take-refused silence\"\n" +
      // Then the narration, the keys' clicks around it.
      "key " + kRecorder + " Space\nexpect \"recording-started\"\nwait-file \"" + fed + "\"\nsleep 300\n" +
      "key " + kRecorder + " Space\nexpect \"take-kept\"\nexpect \"take-aligned\"\n" +
      "expect-text " + kRecorder + " ?STATUS \"Recorded.\"\npress " + kRecorder + " \"Close\"\n" +
      "press \"Storyloom\" \"1\"\nwait-window " + kPage + "\nexpect \"highlight " + "\\\"Learning Words\\\" 6 3\"\n" +
      "expect \"highlight \\\"Learning Words\\\" 6 none\"\nclose " + kFrame + "\n";
  std::future<e2e::RunResult> running =
      std::async(std::launch::async, [&] { return e2e::RunBook("fete", script, {}, dir); });
  // The speech goes into the microphone once the second recording has started.
  const std::string journal = dir + "/journal.txt";
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  while (CountIn(journal, "recording-started \"") < 2 && std::chrono::steady_clock::now() < deadline &&
         running.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
  }
  std::vector<float> heard = Click();
  for (const auto& part : {Silence(600), voice->samples, Silence(500), Click()}) heard.insert(heard.end(), part.begin(), part.end());
  server.Say(heard);
  while (!server.Said() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  std::ofstream(fed) << "fed\n";
  e2e::RunResult run = running.get();
  ASSERT_EQ(run.exitCode, 0) << run.output;

  // The silent take was refused with a message, and only the spoken one kept.
  const auto refused = LinesWith(run.journal, " message \"Record my voice\" \"Nothing but silence");
  EXPECT_EQ(refused.size(), 1u);
  const std::string take = Recordings(dir) + "/szuli6k.wav";
  ASSERT_TRUE(fs::exists(take));
  EXPECT_EQ(ReadFile(Recordings(dir) + "/szuli6k.txt"), "Hi, my name is Zuli. I am turning six.");

  // Trimmed to the speech: the clicks and the silence around it are gone.
  const wdrt::AudioLoadResult loaded = wdrt::LoadAudioClip(take, {e2e::PrivateSoundServer::kRate, 1});
  ASSERT_TRUE(loaded.clip);
  const long takeMs = static_cast<long>(loaded.clip->Frames() * 1000 / e2e::PrivateSoundServer::kRate);
  EXPECT_GT(takeMs, speechMs - 150) << "take " << takeMs << " ms, speech " << speechMs << " ms";
  EXPECT_LT(takeMs, speechMs + 400) << "take " << takeMs << " ms, speech " << speechMs << " ms";
  float edge = 0;
  for (std::size_t i = 0; i < loaded.clip->Frames() && i < 800; ++i)
    edge = std::max({edge, std::fabs(*loaded.clip->Frame(i)), std::fabs(*loaded.clip->Frame(loaded.clip->Frames() - 1 - i))});
  EXPECT_LT(edge, 0.3f) << "a click is left at an end of the take";

  // The take's words were timed as the other voice said them (relative to its first word).
  std::istringstream rows(ReadFile(Recordings(dir) + "/szuli6k.tsv"));
  std::vector<long> starts;
  for (std::string line; std::getline(rows, line);) {
    std::istringstream cells(line);
    std::string sound, index, word, start;
    std::getline(cells, sound, '\t');
    std::getline(cells, index, '\t');
    std::getline(cells, word, '\t');
    std::getline(cells, start, '\t');
    EXPECT_EQ(word, written[starts.size()]);
    starts.push_back(std::stol(start));
  }
  ASSERT_EQ(starts.size(), written.size());
  int close = 0;
  for (std::size_t i = 0; i < starts.size(); ++i)
    close += std::labs((starts[i] - starts[0]) - (voice->words[i].startMs - voice->words[0].startMs)) <= 80;
  std::printf("recorded take: %ld ms of %ld ms of speech; %d of %zu word starts within 80 ms of the voice's own\n",
              takeMs, speechMs, close, starts.size());
  EXPECT_GE(close, 8);

  // The book played the take, and lit the greeting's words and then the sentence's, in order.
  const auto opened = LinesWith(run.journal, "open mpegvideo!" + take);
  ASSERT_EQ(opened.size(), 1u);
  std::size_t from = 0;
  while (from < run.journal.size() && run.journal[from] != opened[0]) ++from;
  std::vector<Highlight> lit;
  for (const Highlight& h : HighlightsAfter(run.journal, from))
    if (h.word != "none") lit.push_back(h);
  ASSERT_EQ(lit.size(), written.size());
  for (std::size_t i = 0; i < lit.size(); ++i) {
    const bool greeting = i < kGreeting.size();
    EXPECT_EQ(lit[i].control, greeting ? 2 : 6) << i;
    EXPECT_EQ(lit[i].word, std::to_string(greeting ? i : i - kGreeting.size())) << i;
  }
  const auto aligned = LinesWith(run.journal, "take-aligned \"");
  ASSERT_EQ(aligned.size(), 1u);
  // Figures: Space to the microphone open, Space to the take kept, kept to timed.
  const auto keys = LinesWith(run.journal, "key \"Record my voice\" Space");
  const auto started = LinesWith(run.journal, "recording-started \"");
  const auto kept = LinesWith(run.journal, "take-kept \"");
  ASSERT_EQ(keys.size(), 4u);
  ASSERT_EQ(started.size(), 2u);
  ASSERT_EQ(kept.size(), 1u);
  std::printf("Space to recording: %.0f ms; Space to take kept: %.0f ms; kept to timed: %.0f ms (%s)\n",
              e2e::Stamp(started[1]) - e2e::Stamp(keys[2]), e2e::Stamp(kept[0]) - e2e::Stamp(keys[3]),
              e2e::Stamp(aligned[0]) - e2e::Stamp(kept[0]), e2e::Body(aligned[0]).c_str());
}

TEST(VoiceRecording, WithoutAMicrophoneTheRecorderSaysSoAndRecordsNothing) {
  const std::string dir = e2e::MakeTempDir("voice");
  const std::string script = OpenRecorder() + "press " + kRecorder + " \"Record\"\nanswer Ok\n" +
                             "expect \"recording-refused\"\nkey " + kRecorder + " Space\nanswer Ok\n" +
                             "press " + kRecorder + " \"Close\"\nclose " + kFrame + "\n";
  // No sound server where the program looks for one (and none started for it).
  e2e::RunResult run = e2e::RunBook("fete", script, {"PULSE_SERVER=unix:" + dir + "/no-server"}, dir);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const auto messages = LinesWith(run.journal, " message \"Record my voice\" \"No microphone was found.\" -> Ok");
  EXPECT_EQ(messages.size(), 2u);
  EXPECT_TRUE(LinesWith(run.journal, "recording-started").empty());
  EXPECT_TRUE(!fs::exists(Recordings(dir)) || fs::is_empty(Recordings(dir)));
}

// Writes a take of `sound` recorded for `text` (a made voice stands in for the parent's).
void KeepTakeFor(const std::string& home, const std::string& stem, const std::string& text) {
  std::string error;
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  std::optional<wdrt::Speech> speech = wdrt::Speak("awb", words, words, error);
  ASSERT_TRUE(speech) << error;
  fs::create_directories(Recordings(home));
  ASSERT_TRUE(wdrt::WriteSpeechWav(*speech, Recordings(home) + "/" + stem + ".wav"));
  std::ofstream(Recordings(home) + "/" + stem + ".txt") << text;
}

TEST(VoiceRecording, TheRecorderWalksTheTextsAndATakeForAnotherTextIsNotPlayedNorAreTakesWhenTurnedOff) {
  const std::string dir = e2e::MakeTempDir("voice");
  KeepTakeFor(dir, "szuli6k", "Hi, my name is Mia. I am turning six.");  // recorded for another name
  KeepTakeFor(dir, "sfriendk", "Look, my friends are here!");           // current, not yet timed
  KeepTakeFor(dir, "wzulik", "Hi, my name is Zuli.");                   // page 1's second text
  const std::string friends = "press \"Storyloom\" \"4\"\nwait-window " + kPage + "\n";
  const auto shows = [](const std::string& what) { return "expect \"recorder-shows " + what + "\"\n"; };
  const std::string script =
      OpenRecorder() + shows("1 \\\"szuli6K.mp3\\\" stale") + "expect-text " + kRecorder +
      " ?STATUS \"Recorded for another text or name: record it again.\"\n" +
      // Next passes over the recorded text; Previous goes back to it, and Clear removes its take.
      "press " + kRecorder + " \"Next\"\n" + shows("3 \\\"shikingW.mp3\\\" new") + "press " + kRecorder +
      " \"Previous\"\n" + shows("2 \\\"WzuliK.mp3\\\" recorded") + "expect-text " + kRecorder +
      " ?TEXT \"Hi, my name is Zuli.\"\nexpect-text " + kRecorder +
      " ?STATUS \"Recorded. Its words could not be timed, so they light up together.\"\npress " + kRecorder +
      " \"Clear\"\n" + shows("2 \\\"WzuliK.mp3\\\" new") +
      "press " + kRecorder + " \"Close\"\n" +
      // The stale take is not played; the current one is, its sentence lit whole (no word times).
      "press \"Storyloom\" \"1\"\nwait-window " + kPage + "\nexpect \"play Mp3\"\n" + friends +
      "expect \"highlight \\\"Learning Words\\\" 4 all\"\n" +
      // Turned off in the grown-ups' window (which also opens the recorder): the made voice again.
      "menu " + kFrame + " \"File\" \"Grown-ups...\"\nwait-window \"Grown-ups\"\npress \"Grown-ups\" \"Record my voice...\"\n" +
      "wait-window " + kRecorder + "\npress " + kRecorder + " \"Close\"\n" +
      "expect \"close-window [0-9]+ \\\"Record my voice\\\"\"\n" +
      "press \"Grown-ups\" \"Use my recordings\"\npress \"Grown-ups\" \"OK\"\nexpect \"grown-ups saved\"\n" + friends +
      "expect \"open mpegvideo!sFriendK.mp3\"\nclose " + kFrame + "\n";
  e2e::RunResult run = e2e::RunBook("fete", script, {}, dir);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_TRUE(LinesWith(run.journal, "open mpegvideo!" + Recordings(dir) + "/szuli6k.wav").empty());
  EXPECT_EQ(LinesWith(run.journal, "open mpegvideo!szuli6K.mp3").size(), 1u);
  EXPECT_EQ(LinesWith(run.journal, "open mpegvideo!" + Recordings(dir) + "/sfriendk.wav").size(), 1u);
  EXPECT_NE(e2e::ConfigFile(run, "storyloom.INI").find("UseRecordings=0"), std::string::npos);
  EXPECT_FALSE(fs::exists(Recordings(dir) + "/wzulik.wav")) << "cleared";
}

}  // namespace
