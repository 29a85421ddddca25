#include "launchers/common/MenuWindow.h"

#include "launchers/common/MenuGlobals.h"
#include "runtime/core/Runtime.h"
#include "runtime/dialogs/Message.h"
#include "runtime/os/Process.h"

namespace menus {
namespace {

constexpr char kNotInstalled[] = "Not installed yet";

}  // namespace

int MenuWindow::BeginInit() {
  MenuGlobals& g = Globals();
  g.errors.PushProcedure(procedure_);
  REQUEST = g.GlobalRequest;
  const int level = WindowController::Init();
  if (level != LevelOk) return level;
  VCRREQUEST = &g.VCRRequest;
  ERRORS = &g.errors;
  g.GlobalRequest = 0;
  g.GlobalResponse = 0;
  AttachToolbar(&relay_);
  return LevelOk;
}

void MenuWindow::OpenShaped(wdrt::WindowDef def, const std::function<std::string(int)>& commandOf) {
  std::vector<int> missing;
  for (wdrt::ControlDef& c : def.controls) {
    const std::string command = commandOf(c.number);
    if (command.empty() || wdrt::CanRun(command)) continue;
    c.tip = kNotInstalled;
    missing.push_back(c.number);
  }
  window = wdrt::Open(def);
  OPENED = 1;
  wdrt::SetProp(window, 0, kPropShaping, 1);
  for (int control : missing) wdrt::SetProp(window, control, wdrt::PropDimmed, 1);
}

void MenuWindow::AddLinks(const std::vector<std::pair<int, std::string>>& rows) {
  for (const auto& [control, url] : rows) links.AddLink(control, url, false, 0, true, 0, true, 0, true);
}

void MenuWindow::OnOpen() {
  wdrt::SetProp(window, 0, kPropMeasuring, 1);
  // The window's own mouse messages: button presses outside the controls come as user events.
  wdrt::SetButtonEvents(window, true);
  const wdrt::WindowRegion region = Shape(static_cast<int>(wdrt::GetProp(window, 0, wdrt::PropWidth)),
                                          static_cast<int>(wdrt::GetProp(window, 0, wdrt::PropHeight)));
  window->SetTitle(Caption());
  wdrt::SetWindowRgn(window, region, true);
  wdrt::SetProp(window, 0, kPropMeasuring, 0);
  WindowController::OnOpen();
  wdrt::SetProp(window, 0, kPropShaping, 0);
}

int MenuWindow::OnEvent() {
  links.OnEvent();
  return WindowController::OnEvent();
}

int MenuWindow::OnWindowEvent() {
  const int level = WindowController::OnWindowEvent();
  switch (wdrt::CurrentEvent().number) {
    case wdrt::EventLeftButtonDown: wdrt::PostSysCommand(window, wdrt::ScDragMove); break;
    case EventMinimise: wdrt::PostSysCommand(window, wdrt::ScMinimize); break;
    case EventMaximise: wdrt::PostSysCommand(window, wdrt::ScMaximize); break;
    case EventRestore: wdrt::PostSysCommand(window, wdrt::ScRestore); break;
    case EventMove: wdrt::PostSysCommand(window, wdrt::ScMove); break;
    case EventSize: wdrt::PostSysCommand(window, wdrt::ScSize); break;
    default: break;
  }
  return level;
}

int MenuWindow::Kill() {
  const int level = WindowController::Kill();
  if (level != LevelOk) return level;
  Globals().errors.PopProcedure();
  return LevelOk;
}

void MenuWindow::StartBook(const std::string& command, const std::string& name) {
  if (wdrt::Run(command, false)) return;
  wdrt::Message(std::string(kNotInstalled) + ": \"" + name + "\" is not on this computer.", "Storyloom",
                wdrt::IconAsterisk, wdrt::ButtonOk, wdrt::ButtonOk);
}

wdrt::WindowRegion RoundedMenuShape(int width, int height) {
  return wdrt::CreateRoundRectRgn(1, 1, width, height, width * 10 / 100, height * 10 / 100);
}

wdrt::WindowRegion OctagonMenuShape(int width, int height) {
  const int w = width, h = height;
  return wdrt::CreatePolygonRgn({{0, h / 10}, {w / 10, 0}, {w * 9 / 10, 0}, {w, h / 10},
                                 {w, h * 9 / 10}, {w * 9 / 10, h}, {w / 10, h}, {0, h * 9 / 10}});
}

}  // namespace menus
