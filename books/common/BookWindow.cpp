#include "books/common/BookWindow.h"

#include <cstdio>

#include "books/common/BookGlobals.h"

namespace book {

int BookWindow::BeginInit(bool fields) {
  BookGlobals& g = Globals();
  g.errors.PushProcedure(procedure_);
  REQUEST = g.GlobalRequest;
  const int level = WindowController::Init();
  if (level != LevelOk) return level;
  if (fields) {
    FIRSTFIELD = 1;
    VCRREQUEST = &g.VCRRequest;
    ERRORS = &g.errors;
  }
  g.GlobalRequest = 0;
  g.GlobalResponse = 0;
  AttachToolbar(&relay_);
  return LevelOk;
}

void BookWindow::ShowPictureButtons(const std::string& picture, int lastControl,
                                    const std::vector<std::pair<int, std::string>>& answers) {
  if (picture.empty()) return;
  buttons_ = std::make_unique<PICBUTTONCLASS>();
  buttons_->INIT(window, picture, 0);
  buttons_->SETLASTCONTROL(lastControl);
  for (const auto& [control, file] : answers) buttons_->ADDBUTTON(control, file);
  buttons_->SHOWBUTTONS();
  resizer_.buttons = buttons_.get();
}

void BookWindow::AttachPageResizer() {
  resizer_.Init(window, 0, false, false);
  resizer_.InferParents();
  AttachResizer(&resizer_);
}

int BookWindow::Kill() {
  const int level = WindowController::Kill();
  if (level != LevelOk) return level;
  if (buttons_) {
    buttons_->KILL();
    resizer_.buttons = nullptr;
    buttons_.reset();
  }
  Globals().errors.PopProcedure();
  return LevelOk;
}

std::string ModuleName(const std::string& program, int module) {
  char number[8];
  std::snprintf(number, sizeof number, "%03d", module);
  return program + number;
}

}  // namespace book
