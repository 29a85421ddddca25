// The drawing state a metafile changes record by record: selected pen, brush and font, colours
// and modes, the window/viewport mapping, the clip, the current position, the object table and
// the SAVEDC stack. Plain data and bounded containers; one player owns one context.
#pragma once

#include <QColor>
#include <QImage>
#include <QRegion>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTransform>

#include <cstdint>
#include <vector>

namespace wdrt::report {

constexpr std::size_t kMaxWmfObjects = 4096;  // object table entries
constexpr std::size_t kMaxSavedDcs = 256;     // SAVEDC nesting

struct WmfPen {
  std::uint16_t style = 0;  // PS_* in the low nibble, end cap and join above
  double width = 0;         // logical units; 0 = one device pixel
  QColor color = Qt::black;
};

struct WmfBrush {
  std::uint16_t style = 0;  // BS_*
  QColor color = Qt::white;
  std::uint16_t hatch = 0;
  QImage pattern;  // BS_DIBPATTERN / BS_PATTERN
};

struct WmfFont {
  int height = 0;  // logical units; negative = character height, positive = cell height
  int width = 0;
  int escapement = 0;  // tenths of a degree, counter-clockwise
  int weight = 400;
  bool italic = false, underline = false, strikeOut = false;
  std::uint8_t charset = 0;
  std::uint8_t pitchAndFamily = 0;
  QString face;
};

struct WmfObject {
  enum class Kind { Empty, Pen, Brush, Font, Region, Other };
  Kind kind = Kind::Empty;
  WmfPen pen;
  WmfBrush brush;
  WmfFont font;
  QRectF region;  // bounding box of a region, logical units
};

// The state that SAVEDC pushes and RESTOREDC pops.
struct WmfDcState {
  WmfPen pen;
  WmfBrush brush;
  WmfFont font;
  QColor textColor = Qt::black;
  QColor bkColor = Qt::white;
  std::uint16_t bkMode = 2;  // OPAQUE
  std::uint16_t textAlign = 0;
  std::uint16_t polyFillMode = 1;  // ALTERNATE
  std::uint16_t rop2 = 13;         // R2_COPYPEN
  int charExtra = 0;
  std::uint16_t mapMode = 1;  // MM_TEXT
  QPointF windowOrg, windowExt{1, 1}, viewportOrg, viewportExt{1, 1};
  QPointF position;  // current position, logical
  bool clipped = false;
  QRegion clip;  // in the clip space the player chose (its painter's device pixels)
};

class WmfDeviceContext {
 public:
  // `deviceUnitsPerInch` fixes the scale of the metric and English mapping modes.
  explicit WmfDeviceContext(double deviceUnitsPerInch, std::size_t declaredObjects);

  WmfDcState& State() { return state_; }
  const WmfDcState& State() const { return state_; }

  // Logical → device units for the current mapping mode, window and viewport.
  QTransform LogicalToDevice() const;

  // Puts `object` in the lowest free slot; false when the table is full.
  bool AddObject(WmfObject object);
  // Selects an object into the state; false for an empty or out-of-range slot.
  bool Select(std::size_t index);
  bool Delete(std::size_t index);
  const WmfObject* Object(std::size_t index) const;

  bool Save();
  // Positive `which` restores that saved level, negative counts back from the top.
  bool Restore(int which);

  // Clip changes with a rectangle in logical units; `toClip` maps logical units to clip space.
  void IntersectClip(const QRectF& logical, const QTransform& toClip);
  void ExcludeClip(const QRectF& logical, const QTransform& toClip);
  void SetClip(const QRectF& logical, const QTransform& toClip);
  void ClearClip();

 private:
  double unitsPerInch_;
  WmfDcState state_;
  std::vector<WmfDcState> saved_;
  // Slots grow as objects are made: the header's count is only a hint, and a table of its
  // size made up front would cost every play of a file that declares thousands.
  std::size_t declaredObjects_;
  std::vector<WmfObject> objects_;
};

}  // namespace wdrt::report
