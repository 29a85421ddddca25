// WindowController drives one window: Init, the event loop and Kill, handing each event to its
// handlers and components. Procedures derive from it and override Init, Kill and OnAccepted.
// A controller lives on the thread that opened its window and is used only there.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/Levels.h"
#include "framework/ToolbarRelay.h"
#include "framework/WindowComponent.h"
#include "runtime/core/Runtime.h"

class ErrorManager;
class WindowResizer;

class WindowController {
 public:
  struct ButtonRow {
    std::int32_t CONTROL = 0;
    std::uint8_t ACTION = 0;
  };
  struct HistoryRow {
    std::int32_t control = 0;
    std::string value;
  };

  virtual ~WindowController() = default;

  // Fields, in their order.
  std::uint8_t AUTOREFRESH = 0;
  std::uint8_t AUTOTOOLBAR = 0;
  std::unique_ptr<std::vector<ButtonRow>> BUTTONS;
  std::unique_ptr<std::vector<WindowComponent*>> CL;
  std::uint8_t CANCELACTION = 0;
  std::uint8_t CHANGEACTION = 0;
  std::uint8_t DEAD = 0;
  std::uint8_t DELETEACTION = 0;
  ErrorManager* ERRORS = nullptr;
  std::unique_ptr<std::vector<std::string>> FILES;
  std::uint8_t FILESOPENED = 0;
  std::int32_t FIRSTFIELD = 0;
  std::uint8_t FORCEDRESET = 0;
  std::unique_ptr<std::vector<HistoryRow>> HISTORY;
  std::int32_t HISTORYKEY = 0;
  std::uint8_t INITED = 0;
  std::uint8_t INSERTACTION = 0;
  std::string LASTINSERTEDPOSITION;  // at most 1024 bytes
  std::int32_t OKCONTROL = 0;
  std::uint8_t OPENED = 0;
  std::uint8_t ORIGINALREQUEST = 0;
  void* PRIMARY = nullptr;  // record forms are not used by this system
  std::uint8_t REQUEST = 0;
  std::uint8_t RESETONGAINFOCUS = 0;
  WindowResizer* RESIZE = nullptr;
  std::uint8_t RESPONSE = 0;
  std::uint16_t SAVED = 0;
  ToolbarRelay* TOOLBAR = nullptr;
  void* TRANSLATOR = nullptr;  // never attached in this system
  std::int32_t* VCRREQUEST = nullptr;

  // The window this controller drives; set by the derived Init right after OPEN.
  wdrt::WindowPtr window;

  // Virtual operations, in slot order.
  virtual void RunEventLoop();
  virtual int Init();
  virtual int Kill();
  virtual void OnOpen();
  virtual void PrepareFields();
  virtual int PrepareUpdate();
  virtual void Reset(std::uint8_t force = 0);
  virtual void RecallField(std::int32_t control);
  virtual std::uint8_t Run();
  virtual std::uint8_t RunNumbered(std::int32_t number, std::uint8_t request);
  virtual void ArmAlertKeys();
  virtual void Respond(std::uint8_t response);
  virtual int OnAccepted();
  virtual int OnCompleted();
  virtual int OnCloseRequest();
  virtual int OnEvent();
  virtual int OnFieldEvent();
  virtual int OnNewSelection();
  virtual int OnRejected();
  virtual int OnSelected();
  virtual int OnWindowEvent();
  virtual void UpdateComponents();

  // Non-virtual operations.
  void AddComponent(WindowComponent* component);
  void AttachToolbar(ToolbarRelay* relay);
  void AttachResizer(WindowResizer* resizer);
  void AddButton(std::int32_t control, std::uint8_t action);
  void PostCompletion();

 private:
  int lastLevel_ = LevelOk;
};

// Control number of the standard "recall" toolbar action.
constexpr std::int32_t kRecallControl = 3012;
