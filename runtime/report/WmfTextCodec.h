// Text bytes of metafile text records, decoded with the code page that the selected font's
// charset names. Any thread.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace wdrt::report {

// Encoding name (as QStringDecoder knows it) for a font charset; cp1252 for unknown ones.
const char* WmfCharsetEncoding(std::uint8_t charset);

// True for charsets whose characters may take two bytes.
bool WmfCharsetIsMultiByte(std::uint8_t charset);

// Decodes text bytes; trailing NULs are dropped, undecodable bytes become U+FFFD.
QString DecodeWmfText(const QByteArray& bytes, std::uint8_t charset);

}  // namespace wdrt::report
