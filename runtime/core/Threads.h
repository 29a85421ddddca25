// Procedure threads: START makes a new one, THREAD tells the caller's number. The main
// procedure runs on thread 1; the GUI thread runs no procedure code and has number 0.
// Any thread may call these.
#pragma once

#include <chrono>
#include <functional>

namespace wdrt {

// Runs `procedure` on a new thread and returns its number. The stack size is accepted as the
// procedures give it; the platform's default stack is used when that is larger.
int Start(std::function<void()> procedure, int stackBytes = 25000);

// The calling thread's number. A thread that is not yet numbered (a test's main thread)
// gets the next number on its first call, so unit tests can act as procedure threads.
int Thread();

// Marks the calling thread as the GUI thread (number 0): it must never run procedure code.
void MarkGuiThread();
bool IsGuiThread();

// Number of procedure threads STARTed that are still running.
int RunningProcedureThreads();

// Waits until no STARTed procedure thread other than `except` is running.
bool WaitForProcedureThreads(int except, std::chrono::milliseconds timeout);
// Waits until the threads whose procedures have ended have wholly gone. Not from a procedure
// thread that is itself ending.
void JoinEndedProcedureThreads();

}  // namespace wdrt
