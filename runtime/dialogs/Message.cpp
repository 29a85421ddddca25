#include "runtime/dialogs/Message.h"

#include <array>
#include <cctype>
#include <mutex>
#include <utility>

#include "runtime/core/Journal.h"

namespace wdrt {
namespace {

constexpr std::array<std::pair<int, const char*>, 8> kButtonNames{{
    {ButtonOk, "Ok"}, {ButtonYes, "Yes"}, {ButtonNo, "No"}, {ButtonAbort, "Abort"},
    {ButtonRetry, "Retry"}, {ButtonIgnore, "Ignore"}, {ButtonCancel, "Cancel"}, {ButtonHelp, "Help"}}};

std::mutex answererMutex;
std::function<int(const MessageRequest&)> answerer;

// The button a message box falls back to: the default when it is one of the buttons, else the
// first button shown.
int FallbackButton(const MessageRequest& request) {
  if (request.defaultButton & request.buttons) return request.defaultButton;
  for (const auto& [value, name] : kButtonNames)
    if (request.buttons & value) return value;
  return ButtonOk;
}

}  // namespace

int ButtonFromName(const std::string& name) {
  for (const auto& [value, text] : kButtonNames) {
    std::string a = name, b = text;
    for (auto& c : a) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (auto& c : b) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (a == b) return value;
  }
  return 0;
}

std::string ButtonName(int button) {
  for (const auto& [value, text] : kButtonNames)
    if (value == button) return text;
  return std::to_string(button);
}

void SetMessageAnswerer(std::function<int(const MessageRequest&)> fn) {
  std::lock_guard lock(answererMutex);
  answerer = std::move(fn);
}

int Message(const std::string& text, const std::string& caption, int icon, int buttons, int defaultButton) {
  MessageRequest request{text, caption, icon, buttons == 0 ? ButtonOk : buttons, defaultButton};
  std::function<int(const MessageRequest&)> scripted;
  {
    std::lock_guard lock(answererMutex);
    scripted = answerer;
  }
  int answer = 0;
  if (scripted) {
    answer = scripted(request);
  } else if (ViewPort* view = GetViewPort()) {
    answer = view->ShowMessage(request);
  }
  if (answer == 0) answer = FallbackButton(request);
  JournalLine("message " + JournalQuote(caption) + " " + JournalQuote(text) + " -> " + ButtonName(answer));
  return answer;
}

}  // namespace wdrt
