// The QFont that a metafile's font record asks for at a given size on a given device. Resolving
// a face and fitting a font to its cell height goes through the system's font matching, which
// costs far more than drawing the text, and the previewer draws the same pages again and again:
// each thread keeps its last resolutions. Any thread.
#pragma once

#include <QFont>
#include <QString>

#include "runtime/report/WmfDeviceContext.h"

class QPaintDevice;

namespace wdrt::report {

// Most resolutions (and most face names) each thread keeps.
constexpr std::size_t kWmfFontCacheSize = 64;

// The face to ask for: the file's own when it is installed or substituted, otherwise a common
// face of the same family kind.
QString WmfFaceFor(const WmfFont& font);

// `font` at `pixelHeight` (positive: the cell, negative in the record: the character height)
// and, when positive, `pixelWidth` as average character width, on `device`.
QFont WmfQFontFor(const WmfFont& font, double pixelHeight, double pixelWidth, QPaintDevice& device);

}  // namespace wdrt::report
