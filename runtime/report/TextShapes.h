// The shapes of a page's texts as its players will draw them: how wide a text is, and the
// outlines of its letters, in page units. The report engine fits texts and outlines captions
// with them. They need the program's fonts (a QGuiApplication); without one nothing can be
// measured. Any thread.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "runtime/report/WmfWriter.h"

namespace wdrt::report {

using Polygon = std::vector<std::pair<int, int>>;

// The advance width of `utf8` in `font`; nullopt when there are no fonts to measure with.
std::optional<double> TextWidth(const std::string& utf8, const WmfFontSpec& font);

// The outlines of the letters of `utf8` in `font`, drawn with the top of its line at `top`
// and starting at `left`, as closed polygons.
std::vector<Polygon> TextOutline(const std::string& utf8, const WmfFontSpec& font, double left, double top);

}  // namespace wdrt::report
