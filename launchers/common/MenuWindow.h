// What the two menu windows share: the start of Init, the shaping of the borderless window
// on its open event, dragging it by any place that is not a control, the links handled before
// the window's own handling, and Kill. Lives on the menu's thread.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/ToolbarRelay.h"
#include "framework/WindowController.h"
#include "launchers/common/LinkManager.h"
#include "runtime/core/WindowShape.h"

namespace menus {

// Window property set while the window is being shaped (from OPEN until OnOpen is done) and
// while its size is measured for the region.
constexpr int kPropShaping = wdrt::PropShaping;
constexpr int kPropMeasuring = 31774;

// The user events that a menu window turns into system commands.
enum MenuWindowEvent : int {
  EventMinimise = 1028,
  EventMaximise = 1029,
  EventRestore = 1030,
  EventMove = 1031,
  EventSize = 1032,
};

class MenuWindow : public WindowController {
 public:
  explicit MenuWindow(std::string procedure) : procedure_(std::move(procedure)) {}

  LinkManager links;

  void OnOpen() override;
  int OnEvent() override;
  int OnWindowEvent() override;
  int Kill() override;

 protected:
  // Pushes the procedure name, takes the program's request, runs the base Init and, when it
  // succeeds, clears the program's request and response and attaches the toolbar relay.
  int BeginInit();
  // Opens the window, marked as being shaped until OnOpen. The buttons of books whose program
  // is not installed (`commandOf` gives a control's command, empty for other controls) carry
  // the tip "Not installed yet" and are drawn dimmed.
  void OpenShaped(wdrt::WindowDef def, const std::function<std::string(int)>& commandOf);
  // The links, in the order given, with the defaults the menus use.
  void AddLinks(const std::vector<std::pair<int, std::string>>& links);
  // Starts a book; one that is not installed is told, by name, in a message.
  void StartBook(const std::string& command, const std::string& name);
  // The window's region from its width and height; and its caption once shaped.
  virtual wdrt::WindowRegion Shape(int width, int height) const = 0;
  virtual std::string Caption() const = 0;

 private:
  std::string procedure_;
  ToolbarRelay relay_;
};

// The region of the main menu: a rectangle from (1, 1) with corner ellipses of a tenth of the
// width by a tenth of the height.
wdrt::WindowRegion RoundedMenuShape(int width, int height);
// The region of the alphabet menu: an octagon whose corners cut a tenth of each side.
wdrt::WindowRegion OctagonMenuShape(int width, int height);

}  // namespace menus
