#include "runtime/os/AudioStream.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <condition_variable>
#include <deque>
#include <fstream>
#include <iterator>
#include <mutex>
#include <new>
#include <stdexcept>
#include <thread>
#include <vector>

#include "runtime/os/AudioConverter.h"
#include "runtime/os/AudioFileCheck.h"

namespace wdrt {
namespace {

// About a tenth of a second of sound per step: the first step alone gives the audio thread
// enough to start with, and steps of several clips interleave finely.
constexpr sf_count_t kChunkFrames = 4096;

// One clip being filled: its file, the converter to the output format, and how far it got.
struct DecodeJob {
  std::weak_ptr<AudioClip> clip;
  SndFilePtr file;
  std::unique_ptr<AudioConverter> converter;
  SF_INFO info{};
  std::size_t written = 0;  // output frames written to the clip
  sf_count_t read = 0;      // input frames decoded
  std::vector<float> chunk;
  std::vector<float> converted;
};

// Decodes one chunk into the clip. Returns false when the clip is complete; whatever the file
// could not give stays silent.
bool Step(DecodeJob& job, AudioClip& clip) {
  const sf_count_t got = sf_readf_float(job.file.get(), job.chunk.data(), kChunkFrames);
  if (got > 0) job.read += got;
  const bool last = got < kChunkFrames;
  job.converted.clear();
  const bool converted =
      job.converter->Convert(job.chunk.data(), static_cast<std::size_t>(std::max<sf_count_t>(got, 0)), last, job.converted);
  const std::size_t outChannels = static_cast<std::size_t>(clip.Format().channels);
  const std::size_t kept = std::min(job.converted.size() / outChannels, clip.Frames() - job.written);
  std::copy_n(job.converted.data(), kept * outChannels, clip.WritableFrame(job.written));
  job.written += kept;
  const bool done = last || !converted || job.written >= clip.Frames();
  clip.Publish(done ? clip.Frames() : job.written);
  return !done;
}

// The program's decoder thread: steps every clip in turn, newest sounds not waiting behind old
// ones. It is never stopped (sounds may outlive main()); it sleeps while there is no work.
class Decoder {
 public:
  static Decoder& Get() {
    static auto* decoder = new Decoder;
    return *decoder;
  }

  void Add(std::unique_ptr<DecodeJob> job) {
    std::lock_guard lock(mutex_);
    if (!started_) {
      started_ = true;
      std::thread([this] {
        // Decoding runs well ahead of playback: it gives way to the audio thread and the GUI
        // rather than delaying them on a busy machine.
        ::setpriority(PRIO_PROCESS, static_cast<id_t>(::syscall(SYS_gettid)), 5);
        Run();
      }).detach();
    }
    jobs_.push_back(std::move(job));
    work_.notify_one();
  }

  int Count() {
    std::lock_guard lock(mutex_);
    return static_cast<int>(jobs_.size()) + busy_;
  }

 private:
  void Run() {
    for (;;) {
      std::unique_ptr<DecodeJob> job;
      {
        std::unique_lock lock(mutex_);
        work_.wait(lock, [this] { return !jobs_.empty(); });
        job = std::move(jobs_.front());
        jobs_.pop_front();
        ++busy_;
      }
      bool more = false;
      if (std::shared_ptr<AudioClip> clip = job->clip.lock()) {
        try {
          more = Step(*job, *clip);
        } catch (const std::bad_alloc&) {
          clip->Publish(clip->Frames());
        }
      }
      // A clip that is no longer wanted (its device closed) is not decoded further.
      if (!more) job.reset();
      std::lock_guard lock(mutex_);
      --busy_;
      if (more) jobs_.push_back(std::move(job));
    }
  }

  std::mutex mutex_;
  std::condition_variable work_;
  std::deque<std::unique_ptr<DecodeJob>> jobs_;
  int busy_ = 0;
  bool started_ = false;
};

bool ReadWhole(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace

AudioLoadResult OpenAudioStream(const std::string& path, AudioFormat format) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return {AudioLoadError::NotFound, nullptr};
  if (!S_ISREG(status.st_mode)) return {AudioLoadError::Invalid, nullptr};
  try {
    auto job = std::make_unique<DecodeJob>();
    job->file.reset(sf_open(path.c_str(), SFM_READ, &job->info));
    const SF_INFO& info = job->info;
    if (!job->file || !HeaderUsable(info)) return {AudioLoadError::Invalid, nullptr};
    const int major = info.format & SF_FORMAT_TYPEMASK;
    const bool wave = major == SF_FORMAT_WAV || major == SF_FORMAT_WAVEX || major == SF_FORMAT_RF64;
    const bool mpeg = major == SF_FORMAT_MPEG;
    if (!wave && !mpeg) return LoadAudioClip(path, format);
    if (info.frames > kMaxSoundSeconds * info.samplerate) return {AudioLoadError::Invalid, nullptr};
    if (WaveDataCutShort(job->file.get(), info)) return {AudioLoadError::Invalid, nullptr};
    if (mpeg) {
      // Narrations are small; reading one whole costs far less than decoding it.
      std::string bytes;
      if (!ReadWhole(path, bytes) || !Mp3FramesComplete(bytes)) return {AudioLoadError::Invalid, nullptr};
    }
    job->converter = AudioConverter::Create(info.samplerate, info.channels, format);
    if (!job->converter) return {AudioLoadError::Invalid, nullptr};
    const auto frames = static_cast<std::size_t>(static_cast<unsigned long long>(info.frames) *
                                                 static_cast<unsigned>(format.rate) /
                                                 static_cast<unsigned>(info.samplerate));
    if (frames == 0) return {AudioLoadError::Invalid, nullptr};
    auto clip = std::make_shared<AudioClip>(format, frames);
    job->clip = clip;
    job->chunk.resize(static_cast<std::size_t>(kChunkFrames * info.channels));
    // The first frames are decoded here: a file that gives none, or fails at once, is refused.
    bool more = Step(*job, *clip);
    if (job->read == 0 || sf_error(job->file.get()) != SF_ERR_NO_ERROR) return {AudioLoadError::Invalid, nullptr};
    while (more && clip->FramesReady() == 0) more = Step(*job, *clip);
    if (more) Decoder::Get().Add(std::move(job));
    return {AudioLoadError::None, std::move(clip)};
  } catch (const std::bad_alloc&) {
    return {AudioLoadError::OutOfMemory, nullptr};
  } catch (const std::length_error&) {
    return {AudioLoadError::OutOfMemory, nullptr};
  }
}

int AudioStreamsDecoding() { return Decoder::Get().Count(); }

}  // namespace wdrt
