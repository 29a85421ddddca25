// The sound and picture tables: complete, one row per file whatever the case of its name, and
// covering every sound and picture name that the programs' own tables mention.
#include "AssetTables.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace assetstest {
namespace {

constexpr int kSoundCount = 112;    // distinct sound files named by the book tables
constexpr int kPictureCount = 60;   // distinct pictures named by books, menus and reports

TEST(AssetTables, SoundTableNamesEachFileOnceWhateverTheCase) {
  const auto sounds = ReadSounds();
  QSet<QString> seen;
  for (const SoundRow& row : sounds) {
    EXPECT_FALSE(seen.contains(row.name.toLower())) << "listed twice: " << qPrintable(row.name);
    seen.insert(row.name.toLower());
  }
  EXPECT_EQ(seen.size(), kSoundCount);
}

TEST(AssetTables, EverySoundHasAKnownVoiceAndWords) {
  const QSet<QString> voices{QStringLiteral("slt"), QStringLiteral("rms"), QStringLiteral("awb"),
                             QStringLiteral("sox")};
  const QSet<QString> effects{QStringLiteral("hiss"), QStringLiteral("chirps"), QStringLiteral("chatter"),
                              QStringLiteral("chatter-low"), QStringLiteral("chip"), QStringLiteral("water"),
                              QStringLiteral("hooves"), QStringLiteral("gallop"), QStringLiteral("growl")};
  for (const SoundRow& row : ReadSounds()) {
    EXPECT_TRUE(voices.contains(row.voice)) << qPrintable(row.name);
    EXPECT_FALSE(row.text.trimmed().isEmpty()) << qPrintable(row.name);
    if (row.voice == u"sox") {
      EXPECT_TRUE(effects.contains(row.text)) << qPrintable(row.name);
    }
    // Narration is the narrator's; only effects may use other voices.
    if (row.kind != u"effect") {
      EXPECT_EQ(row.voice, QStringLiteral("slt")) << qPrintable(row.name);
    }
    EXPECT_TRUE(row.name.endsWith(QStringLiteral(".mp3")) || row.name.endsWith(QStringLiteral(".wav")))
        << qPrintable(row.name);
  }
}

TEST(AssetTables, RepliesSayRightOrWrongInAFullSentence) {
  for (const SoundRow& row : ReadSounds()) {
    if (row.kind != u"reply") continue;
    const bool right = row.text.startsWith(QStringLiteral("Yes!"));
    const bool wrong = row.text.contains(QStringLiteral("Try again!"));
    EXPECT_NE(right, wrong) << "a reply must be either right or wrong: " << qPrintable(row.name);
    EXPECT_TRUE(row.text.trimmed().endsWith(u'.') || row.text.trimmed().endsWith(u'!')) << qPrintable(row.name);
  }
}

TEST(AssetTables, PictureTableNamesEachFileOnceWhateverTheCase) {
  QSet<QString> named, all;
  for (const auto& entry : ReadPictures()) {
    EXPECT_FALSE(all.contains(entry.name.toLower())) << "listed twice: " << qPrintable(entry.name);
    all.insert(entry.name.toLower());
    if (entry.named) named.insert(entry.name.toLower());
    EXPECT_TRUE(QFile::exists(AssetsDir() + u'/' + entry.source)) << qPrintable(entry.source);
  }
  EXPECT_EQ(named.size(), kPictureCount);
}

// Every quoted file name with a sound or picture extension in the programs' sources (books,
// launchers, printing) must be one of ours, so that a table never names a missing file.
TEST(AssetTables, EveryNameInTheProgramSourcesIsGenerated) {
  QSet<QString> known;
  for (const SoundRow& row : ReadSounds()) known.insert(row.name.toLower());
  for (const auto& entry : ReadPictures()) known.insert(entry.name.toLower());
  static const QRegularExpression quoted(
      QStringLiteral("\"([A-Za-z0-9_]+\\.(?:mp3|wav|jpg|jpeg|gif|ico|oze))\""),
      QRegularExpression::CaseInsensitiveOption);
  int scanned = 0;
  for (const char* folder : {"books", "launchers", "printing"}) {
    const QString root = QStringLiteral(STORYLOOM_SOURCE_ROOT) + u'/' + QString::fromLatin1(folder);
    QDirIterator it(root, {QStringLiteral("*.cpp"), QStringLiteral("*.h"), QStringLiteral("*.tsv"),
                           QStringLiteral("*.txt")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
      QFile file(it.next());
      if (!file.open(QIODevice::ReadOnly)) continue;
      const QString text = QString::fromUtf8(file.readAll());
      for (auto m = quoted.globalMatch(text); m.hasNext();) {
        const QString name = m.next().captured(1);
        ++scanned;
        EXPECT_TRUE(known.contains(name.toLower())) << qPrintable(name) << " in " << qPrintable(file.fileName());
      }
    }
  }
  if (scanned == 0) GTEST_SKIP() << "no program sources name a picture or sound yet";
}

}  // namespace
}  // namespace assetstest
