// Swaps the JPEG pictures inside a page file for tiny stand-in JPEGs before the player sees
// it. The player decodes every picture before offering its bytes to the PDF writer, which
// only needs the bytes: decoding was most of the time spent on a page. Each stand-in carries
// its number in a comment, so the writer finds the original again. Any thread.
#pragma once

#include <QByteArray>

#include <optional>
#include <vector>

namespace wdrt::report {

class JpegTokens {
 public:
  JpegTokens();
  // The page file with every whole-picture BI_JPEG bitmap replaced by a stand-in; the
  // originals are kept. Returns the bytes unchanged when they do not walk cleanly.
  QByteArray Swap(const QByteArray& pageFile);
  // The original of a stand-in; nullopt for any other bytes.
  std::optional<QByteArray> Original(const QByteArray& jpeg) const;

 private:
  QByteArray Token(int index) const;

  QByteArray nonce_;
  std::vector<QByteArray> originals_;
};

}  // namespace wdrt::report
