// The Windows metafile format as our writer and player use it: record function numbers,
// the placeable header, and little-endian field access. Plain data; any thread.
#pragma once

#include <cstddef>
#include <cstdint>

namespace wdrt::report {

// Key of the 22-byte placeable header that precedes the standard metafile header.
constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr std::size_t kPlaceableHeaderBytes = 22;
constexpr std::size_t kStandardHeaderBytes = 18;

// Record function numbers (low byte: function, high byte: number of parameter words hint).
enum WmfFunction : std::uint16_t {
  META_EOF = 0x0000,
  META_SAVEDC = 0x001E,
  META_REALIZEPALETTE = 0x0035,
  META_SETPALENTRIES = 0x0037,
  META_CREATEPALETTE = 0x00F7,
  META_SETBKMODE = 0x0102,
  META_SETMAPMODE = 0x0103,
  META_SETROP2 = 0x0104,
  META_SETRELABS = 0x0105,
  META_SETPOLYFILLMODE = 0x0106,
  META_SETSTRETCHBLTMODE = 0x0107,
  META_SETTEXTCHAREXTRA = 0x0108,
  META_RESTOREDC = 0x0127,
  META_INVERTREGION = 0x012A,
  META_PAINTREGION = 0x012B,
  META_SELECTCLIPREGION = 0x012C,
  META_SELECTOBJECT = 0x012D,
  META_SETTEXTALIGN = 0x012E,
  META_RESIZEPALETTE = 0x0139,
  META_DIBCREATEPATTERNBRUSH = 0x0142,
  META_SETLAYOUT = 0x0149,
  META_DELETEOBJECT = 0x01F0,
  META_CREATEPATTERNBRUSH = 0x01F9,
  META_SETBKCOLOR = 0x0201,
  META_SETTEXTCOLOR = 0x0209,
  META_SETTEXTJUSTIFICATION = 0x020A,
  META_SETWINDOWORG = 0x020B,
  META_SETWINDOWEXT = 0x020C,
  META_SETVIEWPORTORG = 0x020D,
  META_SETVIEWPORTEXT = 0x020E,
  META_OFFSETWINDOWORG = 0x020F,
  META_OFFSETVIEWPORTORG = 0x0211,
  META_LINETO = 0x0213,
  META_MOVETO = 0x0214,
  META_OFFSETCLIPRGN = 0x0220,
  META_FILLREGION = 0x0228,
  META_SETMAPPERFLAGS = 0x0231,
  META_SELECTPALETTE = 0x0234,
  META_CREATEPENINDIRECT = 0x02FA,
  META_CREATEFONTINDIRECT = 0x02FB,
  META_CREATEBRUSHINDIRECT = 0x02FC,
  META_POLYGON = 0x0324,
  META_POLYLINE = 0x0325,
  META_SCALEWINDOWEXT = 0x0410,
  META_SCALEVIEWPORTEXT = 0x0412,
  META_EXCLUDECLIPRECT = 0x0415,
  META_INTERSECTCLIPRECT = 0x0416,
  META_ELLIPSE = 0x0418,
  META_FLOODFILL = 0x0419,
  META_FRAMEREGION = 0x0429,
  META_ANIMATEPALETTE = 0x0436,
  META_TEXTOUT = 0x0521,
  META_POLYPOLYGON = 0x0538,
  META_EXTFLOODFILL = 0x0548,
  META_RECTANGLE = 0x041B,
  META_SETPIXEL = 0x041F,
  META_ROUNDRECT = 0x061C,
  META_PATBLT = 0x061D,
  META_ESCAPE = 0x0626,
  META_CREATEREGION = 0x06FF,
  META_ARC = 0x0817,
  META_PIE = 0x081A,
  META_CHORD = 0x0830,
  META_BITBLT = 0x0922,
  META_DIBBITBLT = 0x0940,
  META_EXTTEXTOUT = 0x0A32,
  META_STRETCHBLT = 0x0B23,
  META_DIBSTRETCHBLT = 0x0B41,
  META_SETDIBTODEVICE = 0x0D33,
  META_STRETCHDIB = 0x0F43,
};

// Mapping modes.
enum WmfMapMode : std::uint16_t {
  MM_TEXT = 1,
  MM_LOMETRIC = 2,
  MM_HIMETRIC = 3,
  MM_LOENGLISH = 4,
  MM_HIENGLISH = 5,
  MM_TWIPS = 6,
  MM_ISOTROPIC = 7,
  MM_ANISOTROPIC = 8,
};

// Bitmap compressions of a BITMAPINFOHEADER.
enum WmfCompression : std::uint32_t {
  BI_RGB = 0,
  BI_RLE8 = 1,
  BI_RLE4 = 2,
  BI_BITFIELDS = 3,
  BI_JPEG = 4,
  BI_PNG = 5,
};

// EXTTEXTOUT options: with either bit the record carries a rectangle before the text.
constexpr std::uint16_t ETO_OPAQUE = 0x0002;
constexpr std::uint16_t ETO_CLIPPED = 0x0004;

// Raster operation that copies the source (STRETCHDIB, DIBSTRETCHBLT).
constexpr std::uint32_t SRCCOPY = 0x00CC0020u;

// Font charsets that choose the code page of a text.
enum WmfCharset : std::uint8_t {
  ANSI_CHARSET = 0,
  DEFAULT_CHARSET = 1,
  SYMBOL_CHARSET = 2,
  SHIFTJIS_CHARSET = 128,
  HANGUL_CHARSET = 129,
  GB2312_CHARSET = 134,
  CHINESEBIG5_CHARSET = 136,
  GREEK_CHARSET = 161,
  TURKISH_CHARSET = 162,
  VIETNAMESE_CHARSET = 163,
  HEBREW_CHARSET = 177,
  ARABIC_CHARSET = 178,
  BALTIC_CHARSET = 186,
  RUSSIAN_CHARSET = 204,
  THAI_CHARSET = 222,
  EASTEUROPE_CHARSET = 238,
  OEM_CHARSET = 255,
};

// SETTEXTALIGN flags.
constexpr std::uint16_t TA_UPDATECP = 0x0001;
constexpr std::uint16_t TA_RIGHT = 0x0002;
constexpr std::uint16_t TA_CENTER = 0x0006;
constexpr std::uint16_t TA_BOTTOM = 0x0008;
constexpr std::uint16_t TA_BASELINE = 0x0018;

// EXTTEXTOUT: the spacing array holds an x and a y distance per character.
constexpr std::uint16_t ETO_PDY = 0x2000;

// Pen styles (low nibble of the style word).
enum WmfPenStyle : std::uint16_t {
  PS_SOLID = 0,
  PS_DASH = 1,
  PS_DOT = 2,
  PS_DASHDOT = 3,
  PS_DASHDOTDOT = 4,
  PS_NULL = 5,
  PS_INSIDEFRAME = 6,
};

// Brush styles and hatches.
enum WmfBrushStyle : std::uint16_t {
  BS_SOLID = 0,
  BS_NULL = 1,
  BS_HATCHED = 2,
  BS_PATTERN = 3,
  BS_DIBPATTERN = 5,
};
enum WmfHatch : std::uint16_t {
  HS_HORIZONTAL = 0,
  HS_VERTICAL = 1,
  HS_FDIAGONAL = 2,
  HS_BDIAGONAL = 3,
  HS_CROSS = 4,
  HS_DIAGCROSS = 5,
};

// SETBKMODE values.
constexpr std::uint16_t BK_TRANSPARENT = 1;
constexpr std::uint16_t BK_OPAQUE = 2;

// SETPOLYFILLMODE values.
constexpr std::uint16_t POLY_ALTERNATE = 1;
constexpr std::uint16_t POLY_WINDING = 2;

// SETROP2 mix modes.
enum WmfRop2 : std::uint16_t {
  R2_BLACK = 1,
  R2_NOTMERGEPEN = 2,
  R2_MASKNOTPEN = 3,
  R2_NOTCOPYPEN = 4,
  R2_MASKPENNOT = 5,
  R2_NOT = 6,
  R2_XORPEN = 7,
  R2_NOTMASKPEN = 8,
  R2_MASKPEN = 9,
  R2_NOTXORPEN = 10,
  R2_NOP = 11,
  R2_MERGENOTPEN = 12,
  R2_COPYPEN = 13,
  R2_MERGEPENNOT = 14,
  R2_MERGEPEN = 15,
  R2_WHITE = 16,
};

// Raster operations of PATBLT and the bitmap records that need no source.
constexpr std::uint32_t PATCOPY = 0x00F00021u;
constexpr std::uint32_t PATINVERT = 0x005A0049u;
constexpr std::uint32_t DSTINVERT = 0x00550009u;
constexpr std::uint32_t BLACKNESS = 0x00000042u;
constexpr std::uint32_t WHITENESS = 0x00FF0062u;

// Colour usage of a DIB: RGBQUAD palette or 16-bit palette indices.
constexpr std::uint16_t DIB_RGB_COLORS = 0;
constexpr std::uint16_t DIB_PAL_COLORS = 1;

inline std::uint16_t ReadU16(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::int16_t ReadS16(const unsigned char* p) { return static_cast<std::int16_t>(ReadU16(p)); }
inline std::uint32_t ReadU32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
inline std::int32_t ReadS32(const unsigned char* p) { return static_cast<std::int32_t>(ReadU32(p)); }

}  // namespace wdrt::report
