#include "books/common/ReadAlong.h"

#include <algorithm>
#include <cctype>

#include "runtime/core/Runtime.h"
#include "runtime/os/Mci.h"

namespace book {
namespace {

constexpr char kDeviceAlias[] = "Mp3";  // the alias the media library plays under
constexpr int kFollowHundredths = 2;    // a look every 20 ms: a word lasts 150 ms or more

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// True when `path` (as found on disk) is the file `name` (bare, or a path of its own), whatever
// the case.
bool IsFile(const std::string& path, const std::string& name) {
  const std::string base = BaseName(path), wanted = BaseName(name);
  return std::equal(base.begin(), base.end(), wanted.begin(), wanted.end(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
  });
}

}  // namespace

void ReadAlong::Begin(const wdrt::WindowPtr& window, const std::string& sound, std::vector<LitWord> plan) {
  End();
  if (!window || plan.empty()) return;
  window_ = window;
  sound_ = sound;
  plan_ = std::move(plan);
  wdrt::SetTimer(window_, kFollowHundredths);
  Follow();
}

void ReadAlong::End() {
  if (!window_) return;
  Light(0, -1);
  wdrt::SetTimer(window_, 0);
  window_ = nullptr;
  plan_.clear();
}

void ReadAlong::Follow() {
  if (!window_) return;
  const std::optional<wdrt::MciPlayback> playback = wdrt::MciPlaybackOf(kDeviceAlias);
  if (!playback || !playback->playing || !IsFile(playback->file, sound_)) {
    End();
    return;
  }
  if (const LitWord* lit = LitAt(plan_, static_cast<long>(playback->positionMs))) Light(lit->control, lit->word);
}

void ReadAlong::Light(int control, int word) {
  if (control == litControl_ && word == litWord_) return;
  if (litControl_ != 0 && litControl_ != control) wdrt::SetProp(window_, litControl_, wdrt::PropReadWord, 0);
  if (control != 0) wdrt::SetProp(window_, control, wdrt::PropReadWord, word + 1);
  litControl_ = control;
  litWord_ = word;
}

}  // namespace book
