// The way out of a book shown full screen for a child: after the leave gesture the frame asks a
// simple sum in a small window, and only the right answer lets the book end. Runs on the
// frame's thread, whose frame takes no input while the question is open.
#pragma once

#include <string>
#include <utility>

namespace book {

// The key a grown-up holds to leave (Ctrl+Alt+Q), or to open the grown-ups' window
// (Ctrl+Alt+G), and for how long.
int LeaveKey();
int GrownUpsKey();
constexpr int kLeaveHoldMilliseconds = 2000;

// The two numbers of the sum: STORYLOOM_EXIT_SUM ("7+5") when it names two numbers from 1 to
// 99 (for tests), else two chosen at random from 3 to 9.
std::pair<int, int> ExitSum(const char* fixed);

// True when `answer` (blanks around it allowed) is the sum of `sum`.
bool IsRightAnswer(const std::pair<int, int>& sum, const std::string& answer);

// Opens the question and waits for OK, Cancel or its closing. True only for the right answer,
// journalled as "<purpose> right" (or "wrong").
bool AskGrownUp(const std::string& purpose);
bool AskGrownUpToLeave();  // purpose "grown-up-exit"

}  // namespace book
