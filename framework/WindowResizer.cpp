#include "framework/WindowResizer.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "runtime/core/Events.h"
#include "runtime/core/Properties.h"
#include "runtime/core/Runtime.h"

namespace {

// Containers nest at most this deep; deeper chains are left where they are.
constexpr int kMaxDepth = 64;

double Ratio(std::int32_t now, std::int32_t before) {
  if (before == 0) return 1.0;
  return std::round(static_cast<double>(now) / before * 10000.0) / 10000.0;
}

std::int32_t Whole(double value) { return static_cast<std::int32_t>(std::lround(value)); }

WindowResizer::Pos FromGeometry(const wdrt::Geometry& g) { return {g.x, g.y, g.width, g.height}; }
wdrt::Geometry ToGeometry(const WindowResizer::Pos& p) { return {p.XPOS, p.YPOS, p.WIDTH, p.HEIGHT}; }

// Default strategies of a control type under a strategy family.
void DefaultStrategies(std::uint8_t family, std::int32_t type, std::uint16_t& positional, std::uint16_t& resize) {
  using R = WindowResizer;
  positional = 0;
  resize = 0;
  auto isOneOf = [type](std::initializer_list<int> types) {
    return std::find(types.begin(), types.end(), type) != types.end();
  };
  switch (family) {
    case R::AppResize:
      if (type == wdrt::TypeButton) {
        positional = R::PosNearest | R::PosNearest << 8;
        resize = R::KeepWidth | R::KeepHeight;
      } else if (isOneOf({wdrt::TypeEntry, wdrt::TypeCombo, wdrt::TypeSpin, wdrt::TypeDropCombo})) {
        resize = R::KeepHeight;
      } else if (isOneOf({wdrt::TypeCheck, wdrt::TypeRadio})) {
        resize = R::KeepWidth | R::KeepHeight;
      }
      break;
    case R::AppSpread:
      if (isOneOf({wdrt::TypeImage, wdrt::TypeRegion, wdrt::TypeOption, wdrt::TypeGroup, wdrt::TypeList,
                   wdrt::TypeTab, wdrt::TypeRichText})) {
        positional = R::PosLeft | R::PosLeft << 8;
        resize = R::KeepRightMargin | R::KeepBottomMargin;
      } else if (isOneOf({wdrt::TypeEntry, wdrt::TypePrompt, wdrt::TypeCombo, wdrt::TypeSpin, wdrt::TypeDropCombo})) {
        positional = R::PosLeft << 8;
        resize = R::KeepHeight;
      } else if (type == wdrt::TypeButton) {
        positional = R::PosNearest | R::PosNearest << 8;
        resize = R::KeepWidth | R::KeepHeight;
      } else if (isOneOf({wdrt::TypeCheck, wdrt::TypeRadio})) {
        resize = R::KeepWidth | R::KeepHeight;
      }
      break;
    case R::AppFixed:
      positional = R::PosFixed | R::PosFixed << 8;
      resize = R::KeepWidth | R::KeepHeight;
      break;
    default:
      break;
  }
}

// One axis of PlaceControl: the new start and size of a control along x (or y).
struct Axis {
  std::int32_t parentStart0, parentSize0, start0, size0, parentStart1, parentSize1;
};

void PlaceAxis(const Axis& a, std::uint16_t strategy, bool keepSize, bool keepEndMargin, bool halfEndMargin,
               std::int32_t& start, std::int32_t& size) {
  const double r = Ratio(a.parentSize1, a.parentSize0);
  const double rKept = keepSize ? 1.0 : r;
  const std::int32_t d = a.start0 - a.parentStart0;
  if (strategy == WindowResizer::PosNearest) {
    // Anchor to the nearer edge: the left (top) when its gap is the smaller one.
    strategy = d < a.parentSize0 - d - a.size0 ? WindowResizer::PosLeft : WindowResizer::PosRight;
  }
  switch (strategy) {
    case WindowResizer::PosFixed: start = a.start0; break;
    case WindowResizer::PosRight:
      start = Whole(a.parentStart1 + a.parentSize1 - (a.parentSize0 - d) * rKept);
      break;
    case WindowResizer::PosLeft: start = a.parentStart1 + d; break;
    case WindowResizer::PosCentre:
      start = Whole(a.parentStart1 + a.parentSize1 / 2.0 + (d - a.parentSize0 / 2.0) * rKept);
      break;
    // Scaling places the control at the container's new start plus its scaled offset. This
    // departs on purpose from scaling the whole position, (start1 + d) · r, which is the same
    // for the window (start 0) but puts the children of a container that does not lie at the
    // origin off by the container's start times (r − 1), outside it when it grows.
    default: start = Whole(a.parentStart1 + d * r); break;
  }
  if (keepEndMargin) {
    size = a.parentStart1 + a.parentSize1 + d + a.size0 - a.parentSize0 - start;
  } else if (halfEndMargin) {
    size = Whole((a.parentStart1 + a.parentSize1 + d - a.parentSize0 - start) / 2.0) + a.size0;
  } else {
    size = keepSize ? a.size0 : Whole(a.size0 * r);
  }
  size = std::max<std::int32_t>(size, 0);
}

std::int32_t ClampPriority(long long value) {
  return static_cast<std::int32_t>(std::clamp<long long>(value, std::numeric_limits<std::int32_t>::min(),
                                                         std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

WindowResizer::~WindowResizer() { Kill(); }

void WindowResizer::Init(const wdrt::WindowPtr& window, std::uint8_t appStrategy, bool setMinimum, bool setMaximum) {
  Kill();
  window_ = window;
  CONTROLQUEUE = std::make_unique<std::vector<ControlRow>>();
  RESIZELIST = std::make_unique<std::vector<MoveRow>>();
  APPSTRATEGY = appStrategy;
  if (!window_) return;
  wdrt::RegisterEventHandler(window_, wdrt::EventSized, this, [this] { OnSized(); });
  wdrt::SetProp(window_, 0, wdrt::PropResizeRouted, 1);
  ScanControls();
  if (APPSTRATEGY == AppSpread) InferParents();
  if (setMinimum) {
    wdrt::SetProp(window_, 0, wdrt::PropMinWidth, ORIGWIN.WIDTH);
    wdrt::SetProp(window_, 0, wdrt::PropMinHeight, ORIGWIN.HEIGHT);
  }
  if (setMaximum) {
    wdrt::SetProp(window_, 0, wdrt::PropMaxWidth, ORIGWIN.WIDTH);
    wdrt::SetProp(window_, 0, wdrt::PropMaxHeight, ORIGWIN.HEIGHT);
  }
  DEFERMOVES = 1;
}

void WindowResizer::Kill() {
  if (window_) {
    wdrt::UnregisterEventHandlers(window_, this);
    wdrt::SetProp(window_, 0, wdrt::PropResizeRouted, 0);
  }
  window_.reset();
  CONTROLQUEUE.reset();
  RESIZELIST.reset();
}

WindowResizer::ControlRow* WindowResizer::Find(std::int32_t control) {
  if (!CONTROLQUEUE) return nullptr;
  auto it = std::lower_bound(CONTROLQUEUE->begin(), CONTROLQUEUE->end(), control,
                             [](const ControlRow& row, std::int32_t id) { return row.ID < id; });
  return it != CONTROLQUEUE->end() && it->ID == control ? &*it : nullptr;
}

std::int32_t WindowResizer::ParentOf(std::int32_t control) {
  const ControlRow* row = Find(control);
  return row ? row->PARENTID : 0;
}

void WindowResizer::ScanControls() {
  if (!window_ || !CONTROLQUEUE) return;
  const wdrt::Geometry g = window_->ClientGeometry();
  const auto maximized = static_cast<std::uint8_t>(wdrt::GetProp(window_, 0, wdrt::PropMaximize) != 0);
  const auto iconized = static_cast<std::uint8_t>(wdrt::GetProp(window_, 0, wdrt::PropIconize) != 0);
  ORIGWIN = {g.x, g.y, g.width, g.height, maximized, iconized};
  PREVIOUSWIN = ORIGWIN;
  for (const wdrt::ControlState& c : window_->Controls()) {
    if (c.inToolbar || c.inMenu) continue;
    if (ControlRow* known = Find(c.number)) {
      known->POS = FromGeometry(c.pos);
      continue;
    }
    std::int32_t type = c.def.type;
    if (wdrt::GetProp(window_, c.number, wdrt::PropNoResize) != 0) continue;
    if (type < 1 || type > 127 || type == wdrt::TypeMenu || type == wdrt::TypeItem || type == wdrt::TypePanel)
      continue;
    if (type == wdrt::TypeList && wdrt::GetProp(window_, c.number, wdrt::PropDrop) != 0) type = wdrt::TypeEntry;
    ControlRow row;
    row.ID = c.number;
    row.TYPE = type;
    row.POS = FromGeometry(c.pos);
    DefaultStrategies(APPSTRATEGY, type, row.POSITIONALSTRATEGY, row.RESIZESTRATEGY);
    auto at = std::lower_bound(CONTROLQUEUE->begin(), CONTROLQUEUE->end(), row.ID,
                               [](const ControlRow& r, std::int32_t id) { return r.ID < id; });
    CONTROLQUEUE->insert(at, row);
  }
  RESIZECALLED = 0;
}

void WindowResizer::OnSized() { Rearrange(0); }

bool WindowResizer::CreatesCycle(std::int32_t control, std::int32_t parent) {
  std::int32_t p = parent;
  for (std::size_t steps = 0; p != 0 && steps <= CONTROLQUEUE->size(); ++steps) {
    if (p == control) return true;
    const ControlRow* row = Find(p);
    p = row ? row->PARENTID : 0;
  }
  return p != 0;
}

void WindowResizer::AssignParent(std::int32_t control, std::int32_t parent) {
  if (control == parent) return;
  ControlRow* row = Find(control);
  if (!row) return;
  // A parent that would close a cycle (a control carried, through others, by itself) is
  // refused, a deliberate departure from plain assignment: with a cycle Rearrange would place
  // the same controls again and again, and the later container's claim is kept instead.
  if (parent != 0 && CreatesCycle(control, parent)) return;
  row->PARENTID = parent;
  if (parent != 0) {
    if (ControlRow* p = Find(parent)) p->HASCHILDREN = 1;
  }
}

void WindowResizer::InferParents() {
  if (!window_ || !CONTROLQUEUE) return;
  // The container the runtime gives a control, climbing past panels, which are not managed.
  auto runtimeParent = [this](std::int32_t control) {
    long p = wdrt::GetProp(window_, control, wdrt::PropParent);
    for (int depth = 0; p != 0 && depth < kMaxDepth; ++depth) {
      if (wdrt::GetProp(window_, static_cast<int>(p), wdrt::PropType) != wdrt::TypePanel) break;
      p = wdrt::GetProp(window_, static_cast<int>(p), wdrt::PropParent);
    }
    return static_cast<std::int32_t>(Find(static_cast<std::int32_t>(p)) ? p : 0);
  };
  for (std::size_t i = 0; i < CONTROLQUEUE->size(); ++i) {
    const ControlRow c = (*CONTROLQUEUE)[i];
    if (const std::int32_t parent = runtimeParent(c.ID); parent != 0) {
      AssignParent(c.ID, parent);
      continue;
    }
    for (const ControlRow& other : *CONTROLQUEUE) {
      if (other.ID == c.ID || runtimeParent(other.ID) != 0) continue;
      const bool insideX = other.POS.XPOS >= c.POS.XPOS && other.POS.XPOS <= c.POS.XPOS + c.POS.WIDTH - 1;
      const bool insideY = other.POS.YPOS >= c.POS.YPOS && other.POS.YPOS <= c.POS.YPOS + c.POS.HEIGHT - 1;
      if (insideX && insideY) AssignParent(other.ID, c.ID);
    }
  }
}

WindowResizer::Pos WindowResizer::PlaceControl(const Pos& parentBefore, const Pos& controlBefore,
                                               const Pos& parentNow) {
  const std::uint16_t positional = placing_ ? placing_->POSITIONALSTRATEGY : 0;
  const std::uint16_t resize = placing_ ? placing_->RESIZESTRATEGY : 0;
  Pos now;
  PlaceAxis({parentBefore.XPOS, parentBefore.WIDTH, controlBefore.XPOS, controlBefore.WIDTH, parentNow.XPOS,
             parentNow.WIDTH},
            positional & 0xFF, resize & KeepWidth, resize & KeepRightMargin, resize & HalfRightMargin, now.XPOS,
            now.WIDTH);
  PlaceAxis({parentBefore.YPOS, parentBefore.HEIGHT, controlBefore.YPOS, controlBefore.HEIGHT, parentNow.YPOS,
             parentNow.HEIGHT},
            positional >> 8, resize & KeepHeight, resize & KeepBottomMargin, resize & HalfBottomMargin, now.YPOS,
            now.HEIGHT);
  return now;
}

void WindowResizer::PlaceChildren(std::int32_t parent, const Pos& parentBefore, const Pos& parentNow, int depth) {
  if (depth > kMaxDepth) return;
  for (const ControlRow& row : *CONTROLQUEUE) {
    if (row.PARENTID != parent || row.ID == parent) continue;
    MoveRow move;
    move.CONTROLID = row.ID;
    move.TYPE = row.TYPE;
    move.BEFORE = FromGeometry(wdrt::GetPosition(window_, row.ID));
    placing_ = &row;
    move.AFTER = PlaceControl(parentBefore, row.POS, parentNow);
    placing_ = nullptr;
    RESIZELIST->push_back(move);
    // Children are placed against their container as designed and as it now will be.
    if (row.HASCHILDREN) PlaceChildren(row.ID, row.POS, move.AFTER, depth + 1);
  }
}

void WindowResizer::ApplyMoves(bool grew) {
  if (!DEFERMOVES) {
    for (MoveRow& move : *RESIZELIST) {
      const bool widthChanged = move.AFTER.WIDTH != move.BEFORE.WIDTH;
      const bool heightChanged = move.AFTER.HEIGHT != move.BEFORE.HEIGHT;
      const long long x = move.AFTER.XPOS, y = move.AFTER.YPOS;
      move.PRIORITY = ClampPriority(!widthChanged ? y : !heightChanged ? x : x * x + y * y);
    }
    // Growing moves the far controls first, shrinking the near ones, so that no control is
    // drawn over one that has yet to move out of its way.
    std::stable_sort(RESIZELIST->begin(), RESIZELIST->end(), [grew](const MoveRow& a, const MoveRow& b) {
      return grew ? a.PRIORITY > b.PRIORITY : a.PRIORITY < b.PRIORITY;
    });
  }
  for (const MoveRow& move : *RESIZELIST) {
    const Pos present = FromGeometry(wdrt::GetPosition(window_, move.CONTROLID));
    Pos after = move.AFTER;
    if (wdrt::GetProp(window_, move.CONTROLID, wdrt::PropKeepWidth) != 0) after.WIDTH = present.WIDTH;
    if (!(after == present)) wdrt::SetPosition(window_, move.CONTROLID, ToGeometry(after));
  }
}

void WindowResizer::Rearrange(std::int32_t control) {
  if (!window_ || !CONTROLQUEUE || !RESIZELIST) return;
  RESIZELIST->clear();
  const wdrt::Geometry client = window_->ClientGeometry();
  Pos before, now;
  if (control == 0) {
    now = {0, 0, client.width, client.height};
    before = {0, 0, ORIGWIN.WIDTH, ORIGWIN.HEIGHT};
    if (CONTROLQUEUE->empty() || (now.WIDTH == PREVIOUSWIN.WIDTH && now.HEIGHT == PREVIOUSWIN.HEIGHT)) return;
  } else {
    const ControlRow* row = Find(control);
    if (!row) return;
    before = row->POS;
    now = FromGeometry(wdrt::GetPosition(window_, control));
  }
  const long long areaNow = 1LL * now.WIDTH * now.WIDTH + 1LL * now.HEIGHT * now.HEIGHT;
  const long long areaBefore = control == 0
      ? 1LL * PREVIOUSWIN.WIDTH * PREVIOUSWIN.WIDTH + 1LL * PREVIOUSWIN.HEIGHT * PREVIOUSWIN.HEIGHT
      : 1LL * before.WIDTH * before.WIDTH + 1LL * before.HEIGHT * before.HEIGHT;

  long noted = 0;
  if (DEFERMOVES) {
    noted = wdrt::GetProp(window_, 0, wdrt::PropDeferMoves);
    wdrt::SetProp(window_, 0, wdrt::PropDeferMoves, static_cast<long>(CONTROLQUEUE->size()));
  }
  if (control == 0 && now.WIDTH == ORIGWIN.WIDTH && now.HEIGHT == ORIGWIN.HEIGHT) {
    // Back at the designed size: every control exactly as designed.
    for (const ControlRow& row : *CONTROLQUEUE) {
      RESIZELIST->push_back({0, row.ID, row.TYPE, FromGeometry(wdrt::GetPosition(window_, row.ID)), row.POS});
    }
  } else {
    PlaceChildren(control, before, now, 0);
  }
  ApplyMoves(areaNow >= areaBefore);
  if (DEFERMOVES) wdrt::SetProp(window_, 0, wdrt::PropDeferMoves, noted < 0 ? noted : 0);
  RESIZECALLED = 1;
  if (control == 0) PREVIOUSWIN = {client.x, client.y, now.WIDTH, now.HEIGHT, 0, 0};
}

void WindowResizer::RestoreDesign() {
  if (!window_ || !CONTROLQUEUE) return;
  const wdrt::Geometry client = window_->ClientGeometry();
  const long noted = wdrt::GetProp(window_, 0, wdrt::PropDeferMoves);
  wdrt::SetProp(window_, 0, wdrt::PropDeferMoves, static_cast<long>(CONTROLQUEUE->size()));
  // The window's state as designed first: a maximized or iconized window takes no size.
  if ((wdrt::GetProp(window_, 0, wdrt::PropMaximize) != 0) != (ORIGWIN.MAXIMIZED != 0))
    wdrt::SetProp(window_, 0, wdrt::PropMaximize, ORIGWIN.MAXIMIZED);
  if ((wdrt::GetProp(window_, 0, wdrt::PropIconize) != 0) != (ORIGWIN.ICONIZED != 0))
    wdrt::SetProp(window_, 0, wdrt::PropIconize, ORIGWIN.ICONIZED);
  wdrt::SetPosition(window_, 0, {client.x, client.y, ORIGWIN.WIDTH, ORIGWIN.HEIGHT});
  for (const ControlRow& row : *CONTROLQUEUE) {
    if (!(FromGeometry(wdrt::GetPosition(window_, row.ID)) == row.POS))
      wdrt::SetPosition(window_, row.ID, ToGeometry(row.POS));
  }
  wdrt::SetProp(window_, 0, wdrt::PropDeferMoves, noted < 0 ? noted : 0);
  // The sized event that follows finds nothing to do.
  PREVIOUSWIN = {client.x, client.y, ORIGWIN.WIDTH, ORIGWIN.HEIGHT, 0, 0};
}
