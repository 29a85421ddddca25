// The encoded bytes of a picture that a report prints, found by name whatever its case: first
// among the program's embedded pictures, then as a file. JPEG and PNG bytes are kept as they
// are; other formats are turned into PNG once. Cached per name. Any thread.
#pragma once

#include <memory>
#include <string>

#include "runtime/report/WmfWriter.h"

namespace wdrt::report {

struct PictureBytes {
  std::string encoded;
  WmfPictureFormat format = WmfPictureFormat::Jpeg;
  int pixelWidth = 0;
  int pixelHeight = 0;
};

// Null when no picture of that name exists or it cannot be read.
std::shared_ptr<const PictureBytes> LoadPictureBytes(const std::string& name);

}  // namespace wdrt::report
