#include "framework/WindowController.h"

#include "runtime/os/Beep.h"

#include <cstdio>

#include "framework/WindowResizer.h"
#include "runtime/core/Events.h"
#include "runtime/core/Properties.h"

int WindowController::Init() {
  ORIGINALREQUEST = REQUEST;
  CL = std::make_unique<std::vector<WindowComponent*>>();
  BUTTONS = std::make_unique<std::vector<ButtonRow>>();
  // The runtime has no expression evaluator, so there is no binding scope to open.
  const int key = wdrt::KeyCode();
  if (key == 2 || key == 130) wdrt::SetKeyCode(0);
  INSERTACTION = 2;
  DELETEACTION = 2;
  CHANGEACTION = 1;
  CANCELACTION = 3;
  AUTOTOOLBAR = 1;
  AUTOREFRESH = 1;
  return LevelOk;
}

void WindowController::RunEventLoop() {
  if (DEAD || !window) return;
  LASTINSERTEDPOSITION.clear();
  wdrt::Event event;
  while (wdrt::Accept(window, event)) {
    const int level = OnEvent();
    if (level == LevelFatal) break;
    if (level != LevelNotice) wdrt::DefaultHandling(window, event);
  }
}

int WindowController::Kill() {
  if (DEAD || !CL) return LevelNotice;
  while (!CL->empty()) {
    WindowComponent* component = CL->front();
    CL->erase(CL->begin());
    component->Kill();
  }
  CL.reset();
  BUTTONS.reset();
  HISTORY.reset();
  FILES.reset();
  SAVED = 0;
  if (TOOLBAR) TOOLBAR->Kill();
  if (RESIZE) RESIZE->Kill();
  DEAD = 1;
  return LevelOk;
}

void WindowController::OnOpen() {
  Reset(0);
  INITED |= 1;
}

void WindowController::PrepareFields() {}

int WindowController::PrepareUpdate() { return LevelOk; }

void WindowController::Reset(std::uint8_t force) {
  if (window && wdrt::GetProp(window, 0, wdrt::PropNoReset) != 0) return;
  const std::uint8_t forced = FORCEDRESET;
  FORCEDRESET = 0;
  if (CL) {
    for (WindowComponent* c : *CL) c->Reset(static_cast<std::uint8_t>(force + forced));
    for (WindowComponent* c : *CL) c->Redisplay();
  }
  wdrt::Display(window);
}

void WindowController::RecallField(std::int32_t control) {
  if (!HISTORY) return;
  for (auto it = HISTORY->rbegin(); it != HISTORY->rend(); ++it) {
    if (it->control == control) {
      wdrt::SetValue(window, control, it->value);
      wdrt::Display(window, control);
      return;
    }
  }
}

std::uint8_t WindowController::Run() {
  if (Init() == LevelOk) RunEventLoop();
  Kill();
  return RESPONSE != ResponseNone ? RESPONSE : static_cast<std::uint8_t>(ResponseCancelled);
}

std::uint8_t WindowController::RunNumbered(std::int32_t, std::uint8_t) { return ResponseCancelled; }

void WindowController::ArmAlertKeys() {
  if (CL)
    for (WindowComponent* c : *CL) c->ArmAlertKeys();
  // History keys are recognised in OnEvent by comparing the key code; nothing to arm.
}

void WindowController::Respond(std::uint8_t response) {
  RESPONSE = response;
  wdrt::PostToWindow(window, wdrt::EventCloseWindow);
  if (response == ResponseCancelled && TOOLBAR && VCRREQUEST) *VCRREQUEST = 0;
}

int WindowController::OnAccepted() {
  const int control = wdrt::CurrentEvent().control;
  if (TOOLBAR && VCRREQUEST) TOOLBAR->TakeRequest(*VCRREQUEST);
  if (control == kRecallControl) RecallField(wdrt::Focus(window));
  if (BUTTONS) {
    for (const ButtonRow& row : *BUTTONS) {
      if (row.CONTROL == control) {
        Respond(row.ACTION);
        return LevelNotice;
      }
    }
  }
  if (OKCONTROL != 0 && OKCONTROL == control) PostCompletion();
  return LevelOk;
}

int WindowController::OnCompleted() { return LevelOk; }

int WindowController::OnCloseRequest() { return LevelOk; }

int WindowController::OnEvent() {
  const wdrt::Event event = wdrt::CurrentEvent();
  int level = LevelOk;
  if (event.control == 0) {
    level = OnWindowEvent();
    if (level != LevelOk) return level;
  }
  switch (event.number) {
    case wdrt::EventAccepted: level = OnAccepted(); break;
    case wdrt::EventNewSelection: level = OnNewSelection(); break;
    case wdrt::EventAlertKey:
      if (HISTORYKEY != 0 && wdrt::KeyCode() == HISTORYKEY) RecallField(wdrt::Focus(window));
      level = LevelOk;
      break;
    case wdrt::EventRejected: level = OnRejected(); break;
    case wdrt::EventSelected: level = OnSelected(); break;
    default: level = LevelOk; break;
  }
  if (level != LevelOk) return level;
  if (event.control != 0) {
    level = OnFieldEvent();
    if (level != LevelOk) return level;
  }
  if (CL) {
    for (WindowComponent* c : *CL) {
      level = c->OnEvent();
      if (level != LevelOk) return level;
    }
    if (AUTOREFRESH) {
      for (WindowComponent* c : *CL) {
        if (c->NeedsReset()) {
          Reset(0);
          break;
        }
      }
    }
  }
  return level;
}

int WindowController::OnFieldEvent() { return LevelOk; }

int WindowController::OnNewSelection() {
  const int control = wdrt::CurrentEvent().control;
  if (wdrt::GetProp(window, control, wdrt::PropType) == wdrt::TypeTab) {
    Reset(0);
    if (AUTOTOOLBAR && TOOLBAR) TOOLBAR->SetTarget(control);
  }
  return LevelOk;
}

int WindowController::OnRejected() {
  const int control = wdrt::CurrentEvent().control;
  wdrt::Beep();
  wdrt::Display(window, control);
  wdrt::Select(window, control);
  return LevelOk;
}

int WindowController::OnSelected() { return LevelOk; }

int WindowController::OnWindowEvent() {
  switch (wdrt::CurrentEvent().number) {
    case wdrt::EventOpenWindow:
      if (!(INITED & 1)) OnOpen();
      if (FIRSTFIELD != 0) wdrt::Select(window, FIRSTFIELD);
      return LevelOk;
    case wdrt::EventLoseFocus:
      if (RESETONGAINFOCUS) FORCEDRESET = 1;
      return LevelOk;
    case wdrt::EventGainFocus:
      if (INITED & 1)
        Reset(0);
      else
        OnOpen();
      return LevelOk;
    case wdrt::EventSized:
      if (!(INITED & 2))
        INITED |= 2;
      else
        Reset(0);
      return LevelOk;
    case wdrt::EventCompleted:
      return OnCompleted();
    case wdrt::EventCloseWindow:
    case wdrt::EventCloseDown:
      return OnCloseRequest();
    default:
      return LevelOk;
  }
}

void WindowController::UpdateComponents() {
  if (CL)
    for (WindowComponent* c : *CL) c->Update();
}

void WindowController::AddComponent(WindowComponent* component) {
  if (CL && component) CL->push_back(component);
}

void WindowController::AttachToolbar(ToolbarRelay* relay) {
  TOOLBAR = relay;
  if (relay) relay->Init();
}

void WindowController::AttachResizer(WindowResizer* resizer) { RESIZE = resizer; }

void WindowController::AddButton(std::int32_t control, std::uint8_t action) {
  if (BUTTONS) BUTTONS->push_back(ButtonRow{control, action});
}

void WindowController::PostCompletion() {
  if (ORIGINALREQUEST == RequestInsert || ORIGINALREQUEST == RequestChange)
    wdrt::Select(window, 0);
  else
    wdrt::PostToWindow(window, wdrt::EventCompleted);
}
