// MessageWindow: the error manager's own message box with the history of messages, a
// WindowController over a window of eight hidden buttons (100-107), an icon (300) and the
// history list (200). Runs on the thread that shows the message.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/ErrorManager.h"
#include "framework/WindowComponent.h"
#include "framework/WindowController.h"
#include "runtime/core/WindowDef.h"

// Fills list 200 from the error manager's history when the window opens: one row a message,
// column 1 its text, column 2 its category.
class ErrorHistoryList : public WindowComponent {
 public:
  ErrorHistoryList(ErrorManager& errors, WindowController& owner) : errors_(errors), owner_(owner) {}

  void Kill() override {}
  void Reset(std::uint8_t) override {}
  std::uint8_t NeedsReset() override { return 0; }
  void ArmAlertKeys() override {}
  int OnEvent() override;
  void Update() override {}
  void Redisplay() override {}

  // The list asks for its rows through these.
  std::size_t RowCount() const;
  std::string Cell(std::size_t row, int column) const;  // column 1 text, 2 category

 private:
  ErrorManager& errors_;
  WindowController& owner_;
  std::vector<ErrorManager::HistoryRow> rows_;  // as the window opened
};

class MessageWindow : public WindowController {
 public:
  static constexpr int kFirstButton = 100;
  static constexpr int kHistoryList = 200;
  static constexpr int kIcon = 300;

  explicit MessageWindow(ErrorManager& errors);
  ~MessageWindow() override;

  // Fields, in their order.
  std::int32_t BUTTONTYPES = 0;
  std::string CAPTION;
  ErrorManager* ERR = nullptr;
  std::int32_t ICON = 0;
  std::unique_ptr<ErrorHistoryList> HISTORYHANDLER;
  std::int32_t MSGBUTTONS = 0;
  std::array<std::int32_t, 8> MSGBUTTONID{};
  std::int32_t MSGRVAL = 0;
  std::int32_t STYLE = 0;
  wdrt::WindowPtr WIN;

  int Init() override;
  int Kill() override;
  int OnAccepted() override;

  // The window definition: title "Error", font "MS Sans Serif".
  static const wdrt::WindowDef& Definition();
  // The caption of a button value ("O&k", "&Yes" ...), "" for none.
  static std::string ButtonCaption(int button);
  // The picture that shows a stock icon in the image control.
  static std::string IconPicture(int icon);
};
