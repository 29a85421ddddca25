// Fuzz target of what the PDF creation library reads from a page file before the player does:
// swapping its JPEG pictures for stand-ins, and recognising JPEGs. Any bytes must give a file
// back (unchanged when it does not walk cleanly) and never a crash; every stand-in must lead
// back to an original.
#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "runtime/report/JpegPassThrough.h"
#include "runtime/report/JpegTokens.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  if (auto info = wdrt::report::ProbeJpeg(bytes); info && (info->width <= 0 || info->height <= 0)) std::abort();
  wdrt::report::JpegTokens tokens;
  const QByteArray swapped = tokens.Swap(bytes);
  if (swapped.isEmpty() && !bytes.isEmpty()) std::abort();
  if (tokens.Original(bytes)) std::abort();  // outside bytes are never taken for a stand-in
  return 0;
}
