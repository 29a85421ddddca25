#include "runtime/report/WmfDeviceContext.h"

#include <algorithm>
#include <cmath>

#include <QRect>

#include "runtime/report/WmfFormat.h"

namespace wdrt::report {
namespace {

// Clip space covered when nothing clips yet: what an exclusion cuts from.
const QRect kEverything(-(1 << 28), -(1 << 28), 1 << 29, 1 << 29);

// Past this many rectangles a clip that many exclusions have cut up falls back to its bounding
// box, so time and memory stay bounded.
constexpr int kMaxClipRects = 20000;

QRegion Bounded(const QRegion& region) {
  return region.rectCount() <= kMaxClipRects ? region : QRegion(region.boundingRect());
}

QRegion RectRegion(const QTransform& toClip, const QRectF& logical) {
  const QRectF r = toClip.mapRect(logical.normalized());
  const QRectF limited = r.intersected(QRectF(kEverything));
  return QRegion(limited.toAlignedRect());
}

}  // namespace

WmfDeviceContext::WmfDeviceContext(double deviceUnitsPerInch, std::size_t declaredObjects)
    : unitsPerInch_(deviceUnitsPerInch), declaredObjects_(std::min(declaredObjects, kMaxWmfObjects)) {}

QTransform WmfDeviceContext::LogicalToDevice() const {
  const WmfDcState& s = state_;
  double sx = 1, sy = 1;
  double perInch = 0;
  switch (s.mapMode) {
    case MM_LOMETRIC: perInch = 254; break;
    case MM_HIMETRIC: perInch = 2540; break;
    case MM_LOENGLISH: perInch = 100; break;
    case MM_HIENGLISH: perInch = 1000; break;
    case MM_TWIPS: perInch = 1440; break;
    default: break;
  }
  if (perInch > 0) {
    sx = unitsPerInch_ / perInch;
    sy = -sx;  // y grows upwards in these modes
  } else {
    sx = s.viewportExt.x() / s.windowExt.x();
    sy = s.viewportExt.y() / s.windowExt.y();
    if (s.mapMode == MM_ISOTROPIC) {
      const double m = std::min(std::fabs(sx), std::fabs(sy));
      sx = std::copysign(m, sx);
      sy = std::copysign(m, sy);
    }
  }
  // device = (logical - windowOrg) * scale + viewportOrg
  return QTransform(sx, 0, 0, sy, s.viewportOrg.x() - s.windowOrg.x() * sx,
                    s.viewportOrg.y() - s.windowOrg.y() * sy);
}

bool WmfDeviceContext::AddObject(WmfObject object) {
  for (auto& slot : objects_) {
    if (slot.kind == WmfObject::Kind::Empty) {
      slot = std::move(object);
      return true;
    }
  }
  if (objects_.size() >= kMaxWmfObjects) return false;
  objects_.push_back(std::move(object));
  return true;
}

bool WmfDeviceContext::Select(std::size_t index) {
  if (index >= objects_.size()) return false;
  const WmfObject& o = objects_[index];
  switch (o.kind) {
    case WmfObject::Kind::Pen: state_.pen = o.pen; return true;
    case WmfObject::Kind::Brush: state_.brush = o.brush; return true;
    case WmfObject::Kind::Font: state_.font = o.font; return true;
    case WmfObject::Kind::Region: return true;  // the player selects regions as clips
    case WmfObject::Kind::Other: return true;  // palettes: nothing to select for drawing
    case WmfObject::Kind::Empty: return false;
  }
  return false;
}

bool WmfDeviceContext::Delete(std::size_t index) {
  if (index >= std::max(objects_.size(), declaredObjects_)) return false;
  if (index < objects_.size()) objects_[index] = WmfObject{};
  return true;
}

const WmfObject* WmfDeviceContext::Object(std::size_t index) const {
  return index < objects_.size() ? &objects_[index] : nullptr;
}

bool WmfDeviceContext::Save() {
  if (saved_.size() >= kMaxSavedDcs) return false;
  saved_.push_back(state_);
  return true;
}

bool WmfDeviceContext::Restore(int which) {
  const auto depth = static_cast<long>(saved_.size());
  const long level = which < 0 ? depth + which : which - 1;  // index of the state to restore
  if (which == 0 || level < 0 || level >= depth) return false;
  state_ = saved_[static_cast<std::size_t>(level)];
  saved_.resize(static_cast<std::size_t>(level));
  return true;
}

void WmfDeviceContext::IntersectClip(const QRectF& logical, const QTransform& toClip) {
  const QRegion rect = RectRegion(toClip, logical);
  state_.clip = state_.clipped ? Bounded(state_.clip.intersected(rect)) : rect;
  state_.clipped = true;
}

void WmfDeviceContext::ExcludeClip(const QRectF& logical, const QTransform& toClip) {
  const QRegion base = state_.clipped ? state_.clip : QRegion(kEverything);
  state_.clip = Bounded(base.subtracted(RectRegion(toClip, logical)));
  state_.clipped = true;
}

void WmfDeviceContext::SetClip(const QRectF& logical, const QTransform& toClip) {
  state_.clip = RectRegion(toClip, logical);
  state_.clipped = true;
}

void WmfDeviceContext::ClearClip() {
  state_.clip = QRegion();
  state_.clipped = false;
}

}  // namespace wdrt::report
