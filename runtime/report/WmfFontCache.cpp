#include "runtime/report/WmfFontCache.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPaintDevice>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace wdrt::report {
namespace {

// Largest text height drawn, in painter units; larger fonts are clamped.
constexpr double kMaxTextHeight = 20000;

// A few entries, most recently used first; the least recently used one makes room.
template <typename Key, typename Value>
class RecentCache {
 public:
  const Value* Find(const Key& key) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (entries_[i].first == key) {
        std::rotate(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(i),
                    entries_.begin() + static_cast<std::ptrdiff_t>(i) + 1);
        return &entries_.front().second;
      }
    }
    return nullptr;
  }
  const Value& Put(Key key, Value value) {
    if (entries_.size() >= kWmfFontCacheSize) entries_.pop_back();
    entries_.insert(entries_.begin(), {std::move(key), std::move(value)});
    return entries_.front().second;
  }

 private:
  std::vector<std::pair<Key, Value>> entries_;
};

// Everything of a font record and its target that the resolved font depends on.
struct FontKey {
  QString face;
  int weight = 0;
  bool italic = false, underline = false, strikeOut = false, cellHeight = false;
  std::uint8_t pitchAndFamily = 0;
  double pixelHeight = 0, pixelWidth = 0;
  int dpi = 0;
  bool operator==(const FontKey&) const = default;
};

// What font matching found: the font is built from it again on each use, so that no thread
// keeps Qt's font engines alive in its cache.
struct Resolved {
  QString face;
  double pointSize = 0;
  int stretch = 0;  // 0: as designed
};

QFont::StyleHint StyleHintFor(std::uint8_t pitchAndFamily) {
  switch (pitchAndFamily & 0xF0) {
    case 0x10: return QFont::Serif;
    case 0x20: return QFont::SansSerif;
    case 0x30: return QFont::TypeWriter;
    case 0x40: return QFont::Cursive;
    case 0x50: return QFont::Decorative;
    default: return QFont::AnyStyle;
  }
}

QFont Build(const WmfFont& f, const Resolved& r) {
  QFont font(r.face);
  font.setStyleHint(StyleHintFor(f.pitchAndFamily));
  font.setPointSizeF(r.pointSize);
  font.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight == 0 ? 400 : f.weight, 100, 900)));
  font.setItalic(f.italic);
  font.setUnderline(f.underline);
  font.setStrikeOut(f.strikeOut);
  if (r.stretch > 0) font.setStretch(r.stretch);
  return font;
}

Resolved Resolve(const WmfFont& f, double pixelHeight, double pixelWidth, QPaintDevice& device, int dpi) {
  Resolved r;
  r.face = WmfFaceFor(f);
  r.pointSize = std::clamp(pixelHeight, 0.1, kMaxTextHeight) * 72 / dpi;
  if (f.height > 0) {
    // A positive height is the cell (with internal leading): fit the line height to it.
    QFont font(r.face);
    font.setStyleHint(StyleHintFor(f.pitchAndFamily));
    font.setPointSizeF(r.pointSize);
    const double line = QFontMetricsF(font, &device).height();
    if (line > 0) r.pointSize = std::clamp(pixelHeight * pixelHeight / line, 0.1, kMaxTextHeight) * 72 / dpi;
  }
  if (pixelWidth > 0) {
    const double average = QFontMetricsF(Build(f, r), &device).averageCharWidth();
    if (average > 0) r.stretch = std::clamp(static_cast<int>(std::lround(pixelWidth / average * 100)), 1, 4000);
  }
  return r;
}

}  // namespace

QString WmfFaceFor(const WmfFont& f) {
  // Asking whether an unknown name is installed sends it through the system's whole alias
  // search, so each answer is kept.
  thread_local RecentCache<QString, bool> known;
  if (!f.face.isEmpty()) {
    const bool* found = known.Find(f.face);
    if (!found)
      found = &known.Put(f.face, QFontDatabase::hasFamily(f.face) || !QFont::substitutes(f.face).isEmpty());
    if (*found) return f.face;
  }
  switch (f.pitchAndFamily & 0xF0) {
    case 0x10: return QStringLiteral("Times New Roman");  // roman
    case 0x30: return QStringLiteral("Courier New");      // modern (fixed pitch)
    default: return (f.pitchAndFamily & 0x03) == 1 ? QStringLiteral("Courier New") : QStringLiteral("Arial");
  }
}

QFont WmfQFontFor(const WmfFont& f, double pixelHeight, double pixelWidth, QPaintDevice& device) {
  thread_local RecentCache<FontKey, Resolved> resolved;
  const int dpi = device.logicalDpiY() > 0 ? device.logicalDpiY() : 72;
  FontKey key{f.face,       f.weight,    f.italic,   f.underline, f.strikeOut, f.height > 0,
              f.pitchAndFamily, pixelHeight, pixelWidth, dpi};
  const Resolved* r = resolved.Find(key);
  if (!r) r = &resolved.Put(std::move(key), Resolve(f, pixelHeight, pixelWidth, device, dpi));
  return Build(f, *r);
}

}  // namespace wdrt::report
