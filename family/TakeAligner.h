// Times the words of kept takes in the background: one take at a time, on a thread of its own,
// so that neither the GUI nor the recorder waits. The times are kept beside the take; a take
// whose words cannot be found keeps none, and its text lights up whole while it plays. The
// destructor finishes the takes handed over and joins the thread. Add from any one thread.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace book {

struct TakeToAlign {
  std::string book;
  std::string sound;
  std::string text;       // as recorded for
  std::string name;       // the child's name in the text ...
  std::string saidName;   // ... and how it is said
};

class TakeAligner {
 public:
  TakeAligner() = default;
  TakeAligner(const TakeAligner&) = delete;
  TakeAligner& operator=(const TakeAligner&) = delete;
  ~TakeAligner();

  void Add(TakeToAlign take);
  // True when no take is waiting or being aligned.
  bool Idle();

 private:
  void Work();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<TakeToAlign> waiting_;
  bool ending_ = false;
  bool working_ = false;
  std::thread worker_;
};

// Aligns one take now, on the calling thread: true when its word times were kept. Journals
// `take-aligned "<file>" <words> words <ms> ms` or `take-not-aligned "<file>" "<why>"`.
bool AlignTake(const TakeToAlign& take);

}  // namespace book
