// Draws a watermark (a text, or a picture) on a page of its own as a small PDF, which the
// post-processing library then lays over or under every page. Internal; one thread at a time.
#pragma once

#include <QByteArray>

#include <string>

#include "printing/pdflibs/PdfPost.h"

namespace pdflibs {

// A one-page PDF whose page is just large enough for the text or picture; empty when there is
// nothing to draw or the picture cannot be read. A PDF given as the picture is returned as it is.
QByteArray WatermarkPdf(const PdfWatermarkDescription& description, const std::string& text,
                        const std::string& imageFileName);

}  // namespace pdflibs
