// Event numbers delivered by a window's event loop, and the event record itself.
// Plain data; any thread.
#pragma once

namespace wdrt {

enum EventNumber : int {
  EventAccepted = 1,
  EventNewSelection = 2,
  EventMouseIn = 11,
  EventMouseOut = 12,
  EventMouseMove = 13,
  EventAlertKey = 15,
  EventRejected = 26,
  EventSelected = 257,
  EventCloseWindow = 513,
  EventCloseDown = 514,
  EventOpenWindow = 515,
  EventLoseFocus = 517,
  EventGainFocus = 518,
  EventTimer = 523,
  EventCompleted = 549,
  EventSized = 561,
  EventUser = 1024,
};

struct Event {
  int number = 0;
  int control = 0;  // 0 for a window event
  int key = 0;      // the key of an alert-key event (Keys.h)
};

// Button values of MESSAGE and of the framework.
enum Button : int {
  ButtonOk = 1,
  ButtonYes = 2,
  ButtonNo = 4,
  ButtonAbort = 8,
  ButtonRetry = 16,
  ButtonIgnore = 32,
  ButtonCancel = 64,
  ButtonHelp = 128,
};

// Stock icons that MESSAGE and controls can show.
enum StockIcon : int {
  IconNone = 0,
  IconHand = 32513,
  IconQuestion = 32514,
  IconExclamation = 32515,
  IconAsterisk = 32516,  // information
};

}  // namespace wdrt
