// The part that every window of a book program shares (frame, pages, print selection): the
// start of Init (procedure name, request and response variables, toolbar relay), the
// picture-button object with its resizer, and Kill. Lives on the window's thread.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "books/common/PictureButtonResizer.h"
#include "framework/PictureButtonClass.h"
#include "framework/WindowController.h"

namespace book {

class BookWindow : public WindowController {
 public:
  explicit BookWindow(std::string procedure) : procedure_(std::move(procedure)) {}

  // Pops the procedure name and releases the picture buttons once the base Kill has run.
  int Kill() override;

 protected:
  // Pushes the procedure name, takes the program's request, runs the base Init and, when it
  // succeeds, clears the program's request and response and attaches the toolbar relay.
  // `fields` also sets the first field, the navigation request and the error manager.
  int BeginInit(bool fields);
  // After OPEN: the picture-button object (when the book uses one) with its picture answers.
  void ShowPictureButtons(const std::string& picture, int lastControl,
                          const std::vector<std::pair<int, std::string>>& answers = {});
  // The resizer of Init(0, no, no) with inferred parents, attached.
  void AttachPageResizer();

 private:
  std::string procedure_;
  ToolbarRelay relay_;
  PictureButtonResizer resizer_;
  std::unique_ptr<PICBUTTONCLASS> buttons_;
};

// The module identifier of a procedure: the program's name and a three-digit number.
std::string ModuleName(const std::string& program, int module);

}  // namespace book
