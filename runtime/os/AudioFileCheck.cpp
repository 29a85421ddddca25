#include "runtime/os/AudioFileCheck.h"

#include <cstdint>
#include <cstring>

namespace wdrt {
namespace {

constexpr int kMaxChannels = 8;

struct FrameHeader {
  std::size_t length = 0;
  std::size_t sideInfo = 0;  // bytes of side information after the header (Layer III)
};

// The MPEG audio frame header at `at`, or a length of 0 when there is none.
FrameHeader ParseFrameHeader(const std::string& bytes, std::size_t at) {
  if (at + 4 > bytes.size()) return {};
  const auto b = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])); };
  const std::uint32_t h = b(0) << 24 | b(1) << 16 | b(2) << 8 | b(3);
  if ((h & 0xFFE00000u) != 0xFFE00000u) return {};
  const int version = (h >> 19) & 3;  // 0: 2.5, 2: 2, 3: 1
  const int layer = (h >> 17) & 3;    // 1: III, 2: II, 3: I
  const int bitrateIndex = (h >> 12) & 15;
  const int rateIndex = (h >> 10) & 3;
  const int padding = (h >> 9) & 1;
  const bool mono = ((h >> 6) & 3) == 3;
  if (version == 1 || layer == 0 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3) return {};
  static constexpr int kBitrates[5][15] = {
      {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},  // MPEG 1, layer I
      {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},     // MPEG 1, layer II
      {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},      // MPEG 1, layer III
      {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},     // MPEG 2, layer I
      {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},          // MPEG 2, layers II, III
  };
  static constexpr int kRates[4][3] = {{11025, 12000, 8000}, {0, 0, 0}, {22050, 24000, 16000}, {44100, 48000, 32000}};
  const bool mpeg1 = version == 3;
  const int table = mpeg1 ? 3 - layer : (layer == 3 ? 3 : 4);
  const long bitrate = kBitrates[table][bitrateIndex] * 1000L;
  const long rate = kRates[version][rateIndex];
  FrameHeader header;
  if (layer == 3)
    header.length = static_cast<std::size_t>((12 * bitrate / rate + padding) * 4);
  else if (layer == 1 && !mpeg1)
    header.length = static_cast<std::size_t>(72 * bitrate / rate + padding);
  else
    header.length = static_cast<std::size_t>(144 * bitrate / rate + padding);
  if (layer == 1) header.sideInfo = mpeg1 ? (mono ? 17 : 32) : (mono ? 9 : 17);
  return header;
}

std::uint32_t BigEndian(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

bool ClosingTagAt(const std::string& bytes, std::size_t at) {
  for (const char* tag : {"TAG", "APETAGEX", "LYRICSBEGIN"})
    if (bytes.compare(at, std::strlen(tag), tag) == 0) return true;
  return false;
}

}  // namespace

bool HeaderUsable(const SF_INFO& info) {
  return info.channels >= 1 && info.channels <= kMaxChannels && info.samplerate >= 1000 &&
         info.samplerate <= 384000 && info.frames > 0;
}

bool WaveDataCutShort(SNDFILE* file, const SF_INFO& info) {
  const int type = info.format & SF_FORMAT_TYPEMASK;
  if (type != SF_FORMAT_WAV && type != SF_FORMAT_WAVEX && type != SF_FORMAT_RF64) return false;
  std::string log(8192, '\0');
  sf_command(file, SFC_GET_LOG_INFO, log.data(), static_cast<int>(log.size()));
  log.resize(std::strlen(log.c_str()));
  for (std::size_t at = log.find("data : "); at != std::string::npos; at = log.find("data : ", at + 1)) {
    if (at != 0 && log[at - 1] != '\n') continue;
    const std::string line = log.substr(at, log.find('\n', at) - at);
    if (line.find("(should be") != std::string::npos) return true;
  }
  return false;
}

bool Mp3FramesComplete(const std::string& bytes) {
  std::size_t at = 0;
  if (bytes.size() >= 10 && bytes.compare(0, 3, "ID3") == 0) {
    std::size_t size = 0;
    for (std::size_t i = 6; i < 10; ++i) size = size << 7 | (static_cast<unsigned char>(bytes[i]) & 0x7F);
    at = 10 + size + ((static_cast<unsigned char>(bytes[5]) & 0x10) ? 10 : 0);
  }
  // The first frame is the first header that another header follows.
  FrameHeader first;
  for (; at + 4 <= bytes.size(); ++at) {
    first = ParseFrameHeader(bytes, at);
    if (first.length != 0 && ParseFrameHeader(bytes, at + first.length).length != 0) break;
  }
  if (at + 4 > bytes.size()) return false;
  std::uint32_t announced = 0;
  const std::size_t tagAt = at + 4 + first.sideInfo;
  if (tagAt + 12 <= bytes.size() &&
      (bytes.compare(tagAt, 4, "Xing") == 0 || bytes.compare(tagAt, 4, "Info") == 0) &&
      (BigEndian(bytes, tagAt + 4) & 1))
    announced = BigEndian(bytes, tagAt + 8);
  std::uint32_t frames = 0;
  while (at < bytes.size()) {
    const FrameHeader header = ParseFrameHeader(bytes, at);
    if (header.length == 0) {
      if (!ClosingTagAt(bytes, at)) return false;
      break;
    }
    if (at + header.length > bytes.size()) return false;  // the last frame is cut off
    at += header.length;
    ++frames;
  }
  // The announced count leaves out the frame that carries it, with some encoders.
  return announced == 0 || frames + 1 >= announced;
}

}  // namespace wdrt
