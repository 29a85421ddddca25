// WindowResizer moves and resizes the controls of one window when the window's size changes,
// from each control's designed geometry and its positional and resize strategies; containers
// carry their children. Created, used and killed on the thread that owns the window.
//
// Rounding: the ratios rx and ry are rounded to 4 decimal places; every computed position and
// size is then rounded to the nearest whole dialog unit, halves away from zero. Back at the
// designed size no arithmetic is done at all: each control gets its designed geometry.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "runtime/core/Window.h"

class WindowResizer {
 public:
  struct Pos {
    std::int32_t XPOS = 0;
    std::int32_t YPOS = 0;
    std::int32_t WIDTH = 0;
    std::int32_t HEIGHT = 0;
    friend bool operator==(const Pos&, const Pos&) = default;
  };
  struct WinPos {
    std::int32_t XPOS = 0;
    std::int32_t YPOS = 0;
    std::int32_t WIDTH = 0;
    std::int32_t HEIGHT = 0;
    std::uint8_t MAXIMIZED = 0;
    std::uint8_t ICONIZED = 0;
  };
  struct ControlRow {
    std::int32_t ID = 0;
    std::int32_t TYPE = 0;
    std::uint8_t HASCHILDREN = 0;
    std::uint16_t POSITIONALSTRATEGY = 0;  // low byte horizontal, high byte vertical
    std::uint16_t RESIZESTRATEGY = 0;
    Pos POS;                               // as designed
    std::int32_t PARENTID = 0;
  };
  struct MoveRow {
    std::int32_t PRIORITY = 0;
    std::int32_t CONTROLID = 0;
    std::int32_t TYPE = 0;
    Pos BEFORE;
    Pos AFTER;
  };

  // Strategy families (APPSTRATEGY).
  enum : std::uint8_t { AppScale = 0, AppResize = 1, AppSpread = 2, AppFixed = 3 };
  // Positional strategies; the vertical ones are these times 256.
  enum : std::uint16_t { PosScale = 0, PosFixed = 1, PosRight = 2, PosLeft = 3, PosCentre = 4, PosNearest = 5 };
  // Resize strategy bits.
  enum : std::uint16_t {
    KeepWidth = 1,
    KeepHeight = 2,
    KeepRightMargin = 4,
    KeepBottomMargin = 8,
    HalfRightMargin = 16,
    HalfBottomMargin = 32,
  };

  WindowResizer() = default;
  virtual ~WindowResizer();
  WindowResizer(const WindowResizer&) = delete;
  WindowResizer& operator=(const WindowResizer&) = delete;

  // Fields, in their order.
  std::uint8_t APPSTRATEGY = 0;
  std::uint8_t AUTOTRANSPARENT = 0;
  WinPos ORIGWIN;
  std::unique_ptr<std::vector<ControlRow>> CONTROLQUEUE;  // sorted by ID
  std::uint8_t DEFERMOVES = 0;
  WinPos PREVIOUSWIN;
  std::uint8_t RESIZECALLED = 0;
  std::unique_ptr<std::vector<MoveRow>> RESIZELIST;

  // Virtual operations, in slot order.
  virtual std::int32_t ParentOf(std::int32_t control);
  virtual void ScanControls();
  virtual void OnSized();
  virtual void Rearrange(std::int32_t control = 0);
  virtual void RestoreDesign();
  virtual void InferParents();
  virtual Pos PlaceControl(const Pos& parentBefore, const Pos& controlBefore, const Pos& parentNow);

  // Takes over `window`: routes its sized event to OnSized and scans its controls.
  void Init(const wdrt::WindowPtr& window, std::uint8_t appStrategy, bool setMinimum, bool setMaximum);
  // Stops the routing and drops the queues; safe to call twice.
  void Kill();
  void AssignParent(std::int32_t control, std::int32_t parent);

  // The row of a managed control, or null (for strategies set by a procedure).
  ControlRow* Find(std::int32_t control);
  const wdrt::WindowPtr& Window() const { return window_; }

 private:
  void PlaceChildren(std::int32_t parent, const Pos& parentBefore, const Pos& parentNow, int depth);
  void ApplyMoves(bool grew);
  bool CreatesCycle(std::int32_t control, std::int32_t parent);

  wdrt::WindowPtr window_;
  const ControlRow* placing_ = nullptr;  // the row PlaceControl works on (its strategies)
};
