// Read-along end to end: pressing a sentence lights its words one after the other in time with
// the sound and clears them when it ends, Stop clears them at once, a word button lights its
// own words, and a book whose settings turn read-along off plays as it always did.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "BookRun.h"
#include "runtime/os/AudioClip.h"

namespace {

using e2e::LinesWith;

constexpr char kPageTitle[] = "\"Learning Words\"";

struct Highlight {
  double stamp = 0;
  int control = 0;
  int word = -1;  // -1: cleared
};

// The highlight lines of the journal from line `from` on.
std::vector<Highlight> HighlightsFrom(const std::vector<std::string>& journal, std::size_t from) {
  std::vector<Highlight> out;
  const std::string marker = std::string("highlight ") + kPageTitle + " ";
  for (std::size_t i = from; i < journal.size(); ++i) {
    const std::string body = e2e::Body(journal[i]);
    if (body.rfind(marker, 0) != 0) continue;
    std::istringstream rest(body.substr(marker.size()));
    Highlight h;
    std::string word;
    rest >> h.control >> word;
    h.stamp = e2e::Stamp(journal[i]);
    h.word = word == "none" ? -1 : std::stoi(word);
    out.push_back(h);
  }
  return out;
}

// Index of the first journal line at or after `from` that contains `needle`; size() when none.
std::size_t Find(const std::vector<std::string>& journal, const std::string& needle, std::size_t from = 0) {
  for (std::size_t i = from; i < journal.size(); ++i)
    if (journal[i].find(needle) != std::string::npos) return i;
  return journal.size();
}

double SoundMilliseconds(const std::string& name) {
  const auto loaded = wdrt::LoadAudioClip(std::string(STORYLOOM_SUITE_DIR) + "/" + name, {44100, 1});
  return loaded.clip ? loaded.clip->Frames() * 1000.0 / 44100 : -1;
}

// Start times of the words of a sound, from the suite's read-along table.
std::vector<long> WordStarts(const std::string& sound) {
  std::ifstream in(std::string(STORYLOOM_SUITE_DIR) + "/readalong.tsv");
  std::vector<long> starts;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(sound + "\t", 0) != 0) continue;
    std::istringstream cells(line.substr(sound.size() + 1));
    std::string index, word;
    long start = 0;
    std::getline(cells, index, '\t');
    std::getline(cells, word, '\t');
    cells >> start;
    starts.push_back(start);
  }
  return starts;
}

void KeepScreenshot(const std::string& file) {
  ASSERT_TRUE(std::filesystem::exists(file)) << file;
  const std::string kept = std::string(STORYLOOM_BINARY_DIR) + "/screenshots/" + std::filesystem::path(file).filename().string();
  std::filesystem::create_directories(std::filesystem::path(kept).parent_path());
  std::filesystem::copy_file(file, kept, std::filesystem::copy_options::overwrite_existing);
}

TEST(ReadAlong, SentenceLightsItsWordsInTimeAndClearsAtTheEnd) {
  const std::string dir = e2e::MakeTempDir("readalong");
  // Page "friends": control 4 is "Look,  my  friends  are  here!" with sFriendK.mp3.
  const std::string script = "wait-window \"Storyloom\"\n"
                             "press \"Storyloom\" -13\n"
                             "wait-window \"Learning Words\"\n"
                             "expect \"highlight \\\"Learning Words\\\" 4 none\"\n"  // the narration's own read-along
                             "press \"Learning Words\" 4\n"
                             "expect \"highlight \\\"Learning Words\\\" 4 2\"\n"
                             "screenshot " + dir + "/readalong-mid-sentence.png \"Learning Words\"\n"
                             "expect \"highlight \\\"Learning Words\\\" 4 none\"\n"
                             "close \"Storyloom\"\n";
  e2e::RunResult run = e2e::RunBook("fete", script, {}, dir);
  ASSERT_EQ(run.exitCode, 0) << run.output;

  const std::size_t pressed = Find(run.journal, "\"Learning Words\" 1 4", Find(run.journal, "script 5 press"));
  const std::size_t play = Find(run.journal, "mci \"play Mp3\" -> 0", pressed);
  ASSERT_LT(play, run.journal.size());
  const double playAt = e2e::Stamp(run.journal[play]);
  // The sound cannot start before the press: the lower bounds count from it, so that a pause
  // between starting the sound and writing its play line cannot make a word look early.
  const double pressedAt = e2e::Stamp(run.journal[pressed]);
  const std::vector<Highlight> lit = HighlightsFrom(run.journal, play);
  const std::vector<long> starts = WordStarts("sFriendK.mp3");
  ASSERT_EQ(starts.size(), 5u);

  // Words 0 to 4 of control 4, in order, then cleared.
  std::size_t k = 0;
  double worstLag = 0;
  for (; k < lit.size() && lit[k].word >= 0; ++k) {
    EXPECT_EQ(lit[k].control, 4);
    ASSERT_EQ(lit[k].word, static_cast<int>(k));
    // Lit no earlier than the word is mixed (the mixer may run a buffer ahead of the clock),
    // and not long after: on a quiet machine a 20 ms look at the position plus the audio
    // thread's buffer; the bound is generous for a loaded one.
    const double lag = lit[k].stamp - playAt - starts[k];
    EXPECT_GT(lit[k].stamp - pressedAt - starts[k], -150) << k;
    EXPECT_LT(lag, 1500) << k;
    worstLag = std::max(worstLag, lag);
  }
  ASSERT_EQ(k, 5u);
  ASSERT_LT(k, lit.size());
  const double length = SoundMilliseconds("sFriendK.mp3");
  const double end = playAt + length;
  EXPECT_GT(lit[k].stamp, pressedAt + length - 150) << "cleared at " << lit[k].stamp - playAt << " ms of " << end - playAt;
  EXPECT_LT(lit[k].stamp, end + 1500) << "cleared at " << lit[k].stamp - playAt << " ms of " << end - playAt;
  std::printf("[ read-along ] worst lag behind the table %.0f ms; cleared %.0f ms after the sound's end\n", worstLag,
              lit[k].stamp - end);

  const std::string shot = dir + "/readalong-mid-sentence.png";
  KeepScreenshot(shot);
  QImage image(QString::fromStdString(shot));
  ASSERT_FALSE(image.isNull());
  // The amber marker is on the page.
  int amber = 0;
  for (int y = 0; y < image.height(); y += 2)
    for (int x = 0; x < image.width(); x += 2) {
      const QColor c = image.pixelColor(x, y);
      amber += c.red() > 240 && c.green() > 160 && c.green() < 205 && c.blue() < 70;
    }
  EXPECT_GT(amber, 200);
}

TEST(ReadAlong, StopClearsAtOnceAndWordButtonsLightThemselves) {
  // Page "fete": control 6 "I  am  turning  six.", control 1 the play mark that only stops,
  // control 5 the word button "I  am  turning  6.".
  const std::string script = "wait-window \"Storyloom\"\n"
                             "press \"Storyloom\" -10\n"
                             "wait-window \"Learning Words\"\n"
                             "expect \"highlight \\\"Learning Words\\\" 6 none\"\n"
                             "press \"Learning Words\" 6\n"
                             "expect \"highlight \\\"Learning Words\\\" 6 1\"\n"
                             "press \"Learning Words\" 1\n"
                             "expect \"highlight \\\"Learning Words\\\" 6 none\"\n"
                             "press \"Learning Words\" 5\n"
                             "expect \"highlight \\\"Learning Words\\\" 5 none\"\n"
                             "close \"Storyloom\"\n";
  e2e::RunResult run = e2e::RunBook("fete", script);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const std::size_t stopPressed = Find(run.journal, "\"Learning Words\" 1 1", Find(run.journal, "script 7 press"));
  ASSERT_LT(stopPressed, run.journal.size());
  const std::vector<Highlight> afterStop = HighlightsFrom(run.journal, stopPressed);
  ASSERT_FALSE(afterStop.empty());
  EXPECT_EQ(afterStop[0].control, 6);
  EXPECT_EQ(afterStop[0].word, -1);
  EXPECT_LT(afterStop[0].stamp - e2e::Stamp(run.journal[stopPressed]), 1500);  // at once; generous for a loaded machine
  // Once stopped, the sentence lights no word again.
  for (const Highlight& h : afterStop) {
    if (h.control == 6) {
      EXPECT_EQ(h.word, -1);
    }
  }
  // The word button lights its own four words, "I  am  turning  6.", in order.
  std::vector<int> words;
  for (const Highlight& h : afterStop)
    if (h.control == 5 && h.word >= 0) words.push_back(h.word);
  EXPECT_EQ(words, (std::vector<int>{0, 1, 2, 3}));
}

TEST(ReadAlong, SwitchedOffInTheSettingsNothingLightsUp) {
  const std::string dir = e2e::MakeTempDir("readalong-off");
  std::filesystem::create_directories(dir + "/config/storyloom");
  std::ofstream(dir + "/config/storyloom/fete.INI") << "[ReadAlong]\r\nEnabled=0\r\n";
  const std::string script = "wait-window \"Storyloom\"\n"
                             "press \"Storyloom\" -13\n"
                             "wait-window \"Learning Words\"\n"
                             "expect \"mci .open mpegvideo!sFriendK.mp3 alias Mp3. -> 0\"\n"
                             "press \"Learning Words\" 4\n"
                             "expect \"mci .open mpegvideo!sFriendK.mp3 alias Mp3. -> 0\"\n"
                             "sleep 2600\n"
                             "close \"Storyloom\"\n";
  e2e::RunResult run = e2e::RunBook("fete", script, {}, dir);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(LinesWith(run.journal, "highlight ").size(), 0u);
  // The page still plays its narration and its sentence; no timer runs beside them.
  EXPECT_EQ(LinesWith(run.journal, "mci \"open mpegvideo!sFriendK.mp3 alias Mp3\" -> 0").size(), 2u);
  EXPECT_EQ(LinesWith(run.journal, "\"Learning Words\" 523 0").size(), 0u);
}

}  // namespace
