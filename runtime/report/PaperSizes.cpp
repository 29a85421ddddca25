#include "runtime/report/PaperSizes.h"

#include <cstdlib>

namespace wdrt::report {
namespace {

constexpr std::int32_t In(double inches) { return static_cast<std::int32_t>(inches * 72000.0 + 0.5); }
constexpr std::int32_t Mm(double mm) { return static_cast<std::int32_t>(mm * 72000.0 / 25.4 + 0.5); }

}  // namespace

const std::array<PaperSize, 41> kPaperSizes{{
    {1, In(8.5), In(11), "Letter 8 1/2 x 11 in"},
    {2, In(8.5), In(11), "Letter Small 8 1/2 x 11 in"},
    {3, In(11), In(17), "Tabloid 11 x 17 in"},
    {4, In(17), In(11), "Ledger 17 x 11 in"},
    {5, In(8.5), In(14), "Legal 8 1/2 x 14 in"},
    {6, In(5.5), In(8.5), "Statement 5 1/2 x 8 1/2 in"},
    {7, In(7.25), In(10.5), "Executive 7 1/4 x 10 1/2 in"},
    {8, Mm(297), Mm(420), "A3 297 x 420 mm"},
    {9, Mm(210), Mm(297), "A4 210 x 297 mm"},
    {10, Mm(210), Mm(297), "A4 Small 210 x 297 mm"},
    {11, Mm(148), Mm(210), "A5 148 x 210 mm"},
    {12, Mm(250), Mm(354), "B4 250 x 354"},
    {13, Mm(182), Mm(257), "B5 182 x 257 mm"},
    {14, In(8.5), In(13), "Folio 8 1/2 x 13 in"},
    {15, Mm(215), Mm(275), "Quarto 215 x 275 mm"},
    {16, In(10), In(14), "10x14 in"},
    {17, In(11), In(17), "11x17 in"},
    {18, In(8.5), In(11), "Note 8 1/2 x 11 in"},
    {19, In(3.875), In(8.875), "Envelope #9 3 7/8 x 8 7/8"},
    {20, In(4.125), In(9.5), "Envelope #10 4 1/8 x 9 1/2"},
    {21, In(4.5), In(10.375), "Envelope #11 4 1/2 x 10 3/8"},
    {22, In(4.75), In(11), "Envelope #12 4 3/4 x 11"},
    {23, In(5), In(11.5), "Envelope #14 5 x 11 1/2"},
    {24, In(17), In(22), "C size sheet"},
    {25, In(22), In(34), "D size sheet"},
    {26, In(34), In(44), "E size sheet"},
    {27, Mm(110), Mm(220), "Envelope DL 110 x 220mm"},
    {28, Mm(162), Mm(229), "Envelope C5 162 x 229 mm"},
    {29, Mm(324), Mm(458), "Envelope C3 324 x 458 mm"},
    {30, Mm(229), Mm(324), "Envelope C4 229 x 324 mm"},
    {31, Mm(114), Mm(162), "Envelope C6 114 x 162 mm"},
    {32, Mm(114), Mm(229), "Envelope C65 114 x 229 mm"},
    {33, Mm(250), Mm(353), "Envelope B4 250 x 353 mm"},
    {34, Mm(176), Mm(250), "Envelope B5 176 x 250 mm"},
    {35, Mm(176), Mm(125), "Envelope B6 176 x 125 mm"},
    {36, Mm(110), Mm(230), "Envelope 110 x 230 mm"},
    {37, In(3.875), In(7.5), "Envelope Monarch 3.875 x 7.5 in"},
    {38, In(3.625), In(6.5), "6 3/4 Envelope 3 5/8 x 6 1/2 in"},
    {39, In(14.875), In(11), "US Std Fanfold 14 7/8 x 11 in"},
    {40, In(8.5), In(12), "German Std Fanfold 8 1/2 x 12 in"},
    {41, In(8.5), In(13), "German Legal Fanfold 8 1/2 x 13 in"},
}};

const PaperSize* FindPaper(int code) {
  if (code < 1 || code > static_cast<int>(kPaperSizes.size())) return nullptr;
  return &kPaperSizes[static_cast<std::size_t>(code - 1)];
}

int PaperCodeForSize(std::int32_t width, std::int32_t height, std::int32_t tolerance) {
  for (const PaperSize& paper : kPaperSizes) {
    if (std::abs(paper.width - width) <= tolerance && std::abs(paper.height - height) <= tolerance) return paper.code;
  }
  for (const PaperSize& paper : kPaperSizes) {
    if (std::abs(paper.width - height) <= tolerance && std::abs(paper.height - width) <= tolerance) return paper.code;
  }
  return 0;
}

}  // namespace wdrt::report
