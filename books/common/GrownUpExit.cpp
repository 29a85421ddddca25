#include "books/common/GrownUpExit.h"

#include <charconv>
#include <optional>
#include <string_view>
#include <cstdlib>
#include <random>

#include "runtime/core/Journal.h"
#include "runtime/core/Keys.h"
#include "runtime/core/Runtime.h"
#include "runtime/dialogs/Message.h"

namespace book {
namespace {

constexpr int kAnswerControl = 2;
constexpr int kOkControl = 3;
constexpr int kCancelControl = 4;

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<int> SmallNumber(std::string_view text) {
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > 99) return std::nullopt;
  return value;
}

wdrt::WindowDef QuestionWindow(const std::pair<int, int>& sum) {
  using namespace wdrt;
  WindowDef def;
  def.kind = WindowKind::Window;
  def.module = "grownup";
  def.title = "For grown-ups";
  def.size = {0, 0, 150, 74};
  def.font = {"MS Sans Serif", 8, false, kColorNone};
  def.resizable = false;
  ControlDef question;
  question.type = TypeString;
  question.use = "?QUESTION";
  question.text = std::to_string(sum.first) + " + " + std::to_string(sum.second) + " = ?";
  question.pos = {10, 8, 130, 20};
  question.font = {"Arial", 14, true, kColorNone};
  ControlDef answer;
  answer.type = TypeEntry;
  answer.use = "?ANSWER";
  answer.pos = {10, 30, 60, 14};
  ControlDef ok;
  ok.type = TypeButton;
  ok.use = "?OK";
  ok.text = "OK";
  ok.pos = {36, 52, 50, 16};
  ControlDef cancel;
  cancel.type = TypeButton;
  cancel.use = "?CANCEL";
  cancel.text = "Cancel";
  cancel.pos = {92, 52, 50, 16};
  def.controls = {question, answer, ok, cancel};
  return def;
}

}  // namespace

int LeaveKey() { return wdrt::KeyCtrl | wdrt::KeyAlt | wdrt::KeyLetter('Q'); }

int GrownUpsKey() { return wdrt::KeyCtrl | wdrt::KeyAlt | wdrt::KeyLetter('G'); }

std::pair<int, int> ExitSum(const char* fixed) {
  if (fixed) {
    const std::string_view text(fixed);
    const std::size_t plus = text.find('+');
    if (plus != std::string_view::npos) {
      const auto a = SmallNumber(text.substr(0, plus));
      const auto b = SmallNumber(text.substr(plus + 1));
      if (a && b) return {*a, *b};
    }
  }
  std::random_device seed;
  std::mt19937 random(seed());
  std::uniform_int_distribution<int> number(3, 9);
  const int a = number(random);
  return {a, number(random)};
}

bool IsRightAnswer(const std::pair<int, int>& sum, const std::string& answer) {
  const std::string text = Trimmed(answer);
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && error == std::errc() && end == text.data() + text.size() && value == sum.first + sum.second;
}

bool AskGrownUpToLeave() { return AskGrownUp("grown-up-exit"); }

bool AskGrownUp(const std::string& purpose) {
  const std::pair<int, int> sum = ExitSum(std::getenv("STORYLOOM_EXIT_SUM"));
  const wdrt::WindowPtr window = wdrt::Open(QuestionWindow(sum));
  wdrt::Select(window, kAnswerControl);
  bool right = false;
  wdrt::Event event;
  while (wdrt::Accept(window, event)) {
    if (event.number == wdrt::EventAccepted && event.control == kOkControl) {
      right = IsRightAnswer(sum, wdrt::GetValue(window, kAnswerControl));
      break;
    }
    if (event.number == wdrt::EventAccepted && event.control == kCancelControl) break;
    wdrt::DefaultHandling(window, event);
  }
  wdrt::JournalLine(purpose + (right ? " right" : " wrong"));
  // A wrong sum is told before the question goes, so that a grown-up knows to try again.
  if (!right && event.number == wdrt::EventAccepted && event.control == kOkControl)
    wdrt::Message("Not quite. Try again.", "For grown-ups", wdrt::IconExclamation, wdrt::ButtonOk, wdrt::ButtonOk);
  wdrt::Close(window);
  return right;
}

}  // namespace book
