// The read-along table that the build writes beside the sounds: an entry for every spoken sound
// and none for effects, its words those the sound speaks and the pages show, and its times in
// order and inside each sound.
#include "AssetTables.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <fstream>
#include <sstream>

#include "ChildName.h"
#include "books/a/ABook.h"
#include "books/b/BBook.h"
#include "books/banners/BannersBook.h"
#include "books/common/PageProcedure.h"
#include "books/common/ReadAlongPlan.h"
#include "books/fete/FeteBook.h"
#include "family/ReadAlongTable.h"

namespace assetstest {
namespace {

book::ReadAlongTable LoadTable() {
  std::ifstream in((SuiteDir() + "/readalong.tsv").toStdString());
  std::stringstream contents;
  contents << in.rdbuf();
  return book::ParseReadAlongTable(contents.str());
}

// Length in milliseconds as the runtime's decoder (libsndfile) gives it.
long DecodedMilliseconds(const QString& path) {
  SF_INFO info{};
  SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
  if (!file) return -1;
  std::vector<float> buffer(4096 * std::max(1, info.channels));
  sf_count_t frames = 0;
  for (sf_count_t got; (got = sf_readf_float(file, buffer.data(), 4096)) > 0;) frames += got;
  sf_close(file);
  return info.samplerate > 0 ? static_cast<long>(frames * 1000 / info.samplerate) : -1;
}

std::string SpokenText(const SoundRow& row) {
  return QString(row.text).replace("{child}", QString::fromStdString(kChildName)).toStdString();
}

TEST(ReadAlongTable, EverySpeechSoundIsTimedAndNoEffectIs) {
  const book::ReadAlongTable table = LoadTable();
  ASSERT_FALSE(table.empty()) << "no read-along table in " << qPrintable(SuiteDir());
  std::size_t speech = 0;
  for (const SoundRow& row : ReadSounds()) {
    const auto* timed = book::TimedWordsOf(table, row.name.toStdString());
    if (row.kind == u"effect") {
      EXPECT_EQ(timed, nullptr) << qPrintable(row.name);
      continue;
    }
    ++speech;
    ASSERT_NE(timed, nullptr) << qPrintable(row.name);
    // One entry per word written, the words as written, in order.
    std::vector<std::string> words;
    for (const book::TimedWord& w : *timed) words.push_back(w.word);
    EXPECT_EQ(words, book::WordsOfText(SpokenText(row))) << qPrintable(row.name);
  }
  EXPECT_EQ(table.size(), speech);
}

TEST(ReadAlongTable, WordsStartInOrderInsideTheirSound) {
  const book::ReadAlongTable table = LoadTable();
  ASSERT_FALSE(table.empty());
  for (const SoundRow& row : ReadSounds()) {
    const auto* timed = book::TimedWordsOf(table, row.name.toStdString());
    if (!timed) continue;
    const long length = DecodedMilliseconds(SuiteDir() + u'/' + row.name);
    ASSERT_GT(length, 0) << qPrintable(row.name);
    long lastStart = -1;
    for (const book::TimedWord& w : *timed) {
      EXPECT_GT(w.startMs, lastStart) << qPrintable(row.name) << " " << w.word;
      EXPECT_GT(w.endMs, w.startMs) << qPrintable(row.name) << " " << w.word;
      EXPECT_LE(w.endMs, length) << qPrintable(row.name) << " " << w.word;
      lastStart = w.startMs;
    }
    // The speech fills the sound: only the pauses flite and the generator put around it are left.
    EXPECT_LE(timed->front().startMs, 500) << qPrintable(row.name);
    EXPECT_GE(timed->back().endMs, length - 500) << qPrintable(row.name);
  }
}

// Every sentence and extra line of every page is read along word for word by its own sound,
// and every narration lights up words of its page.
TEST(ReadAlongTable, PageTextsMatchTheWordsTheirSoundsSay) {
  const book::ReadAlongTable table = LoadTable();
  ASSERT_FALSE(table.empty());
  for (const book::BookDef* def : {&FeteBook(), &BannersBook(), &ABook(), &BBook()}) {
    for (const book::PageDef& tablePage : def->pages) {
      // As the page opens for the child the sounds were made for.
      const book::PageDef page = book::PageForChild(tablePage, kChildName);
      for (std::size_t i = 0; i < page.controls.size(); ++i) {
        const book::PageControl& c = page.controls[i];
        const std::string where = def->program + " page " + std::to_string(page.module) + " control " +
                                  std::to_string(i + 1) + " " + c.sound;
        const int number = static_cast<int>(i) + 1;
        if (c.role == book::Role::Sentence || c.role == book::Role::ExtraLine) {
          const auto* timed = book::TimedWordsOf(table, c.sound);
          ASSERT_NE(timed, nullptr) << where;
          const auto plan = book::PlanReadAlong(page, number, *timed);
          ASSERT_EQ(plan.size(), book::WordsOfText(c.text).size()) << where;
          for (std::size_t k = 0; k < plan.size(); ++k) {
            EXPECT_EQ(plan[k].control, number) << where;
            EXPECT_EQ(plan[k].word, static_cast<int>(k)) << where;
          }
        } else if (c.role == book::Role::Narration) {
          const auto* timed = book::TimedWordsOf(table, c.sound);
          ASSERT_NE(timed, nullptr) << where;
          EXPECT_FALSE(book::PlanReadAlong(page, number, *timed).empty()) << where;
        }
      }
    }
  }
}

}  // namespace
}  // namespace assetstest
