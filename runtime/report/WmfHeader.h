// The headers of a metafile (placeable and standard) and the structural checks a player
// makes before walking the records. Internal to the player; any thread.
#pragma once

#include <QByteArray>
#include <QRectF>

#include <cstddef>
#include <cstdint>
#include <string>

#include "runtime/report/WmfPlayer.h"

namespace wdrt::report {

struct WmfParsedHeader {
  WmfStatus status = WmfStatus::Ok;
  std::string problem;          // first structural fault of the header
  bool placeable = false;
  QRectF bbox;                  // placeable bounding box (left, top, width, height)
  double unitsPerInch = 96;
  std::size_t firstRecord = 0;  // offset of the first record
  std::size_t objects = 0;      // object table size the header declares
};

WmfParsedHeader ParseWmfHeader(const QByteArray& bytes);

}  // namespace wdrt::report
