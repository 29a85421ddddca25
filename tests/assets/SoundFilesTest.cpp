// Every sound of the table exists in the suite folder after a build and decodes: mono, 44.1 kHz,
// a real duration under 20 seconds, and effects no louder than the narration.
#include "AssetTables.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <optional>

namespace assetstest {
namespace {

struct Decoded {
  int sampleRate = 0;
  int channels = 0;
  double seconds = 0;
  double rmsDb = -200;
};

// Decodes the whole file with libsndfile (MPEG through libmpg123); nothing when it cannot.
std::optional<Decoded> Decode(const QString& path) {
  SF_INFO info{};
  SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
  if (!file) return std::nullopt;
  Decoded d;
  d.sampleRate = info.samplerate;
  d.channels = info.channels;
  std::vector<float> buffer(4096 * std::max(1, info.channels));
  double sumSquares = 0;
  sf_count_t frames = 0;
  for (;;) {
    const sf_count_t got = sf_readf_float(file, buffer.data(), 4096);
    if (got <= 0) break;
    for (sf_count_t i = 0; i < got * info.channels; ++i) sumSquares += double(buffer[i]) * buffer[i];
    frames += got;
  }
  sf_close(file);
  if (info.samplerate > 0) d.seconds = double(frames) / info.samplerate;
  if (frames > 0) d.rmsDb = 10 * std::log10(std::max(1e-20, sumSquares / double(frames * info.channels)));
  return d;
}

TEST(SoundFiles, EveryListedSoundDecodesWithAPlausibleLength) {
  const auto sounds = ReadSounds();
  ASSERT_FALSE(sounds.empty());
  for (const SoundRow& row : sounds) {
    const QString path = SuiteDir() + u'/' + row.name;
    ASSERT_TRUE(QFile::exists(path)) << "missing " << qPrintable(path);
    const auto decoded = Decode(path);
    ASSERT_TRUE(decoded.has_value()) << "cannot decode " << qPrintable(path);
    EXPECT_EQ(decoded->sampleRate, 44100) << qPrintable(row.name);
    EXPECT_EQ(decoded->channels, 1) << qPrintable(row.name);
    EXPECT_GT(decoded->seconds, 0.3) << qPrintable(row.name);
    EXPECT_LT(decoded->seconds, 20.0) << qPrintable(row.name);
    // Effects are one to three seconds long.
    if (row.kind == u"effect") {
      EXPECT_GE(decoded->seconds, 1.0) << qPrintable(row.name);
      EXPECT_LE(decoded->seconds, 3.2) << qPrintable(row.name);
    }
  }
}

TEST(SoundFiles, EffectsAreNeverLouderThanTheNarration) {
  double quietestNarration = 0;
  double loudestEffect = -200;
  QString loudestName;
  for (const SoundRow& row : ReadSounds()) {
    const auto decoded = Decode(SuiteDir() + u'/' + row.name);
    ASSERT_TRUE(decoded.has_value()) << qPrintable(row.name);
    if (row.kind == u"effect") {
      if (decoded->rmsDb > loudestEffect) {
        loudestEffect = decoded->rmsDb;
        loudestName = row.name;
      }
    } else {
      quietestNarration = std::min(quietestNarration, decoded->rmsDb);
    }
  }
  // Narration is levelled to one loudness; no effect may stand out above it.
  EXPECT_LE(loudestEffect, quietestNarration + 1.0) << "loudest effect: " << qPrintable(loudestName);
}

TEST(SoundFiles, NamesDifferingOnlyInCaseShareOneFile) {
  // The tables call one narration both "spark2K.mp3" and "sPark2K.mp3": exactly one file exists
  // and the runtime finds it whatever the case.
  const QString dir = SuiteDir();
  int found = 0;
  for (const char* name : {"spark2K.mp3", "sPark2K.mp3", "SPARK2K.MP3"}) found += QFile::exists(dir + u'/' + QString::fromLatin1(name)) ? 1 : 0;
  EXPECT_EQ(found, 1);
}

}  // namespace
}  // namespace assetstest
