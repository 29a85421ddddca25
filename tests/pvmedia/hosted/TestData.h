// Small documents the hosted-control tests make for themselves: a WAV tone, a Flash movie of
// a few frames, a PDF of two pages and HTML pages. Any thread (the PDF: the GUI thread).
#pragma once

#include <string>

namespace hostedtest {

// A mono 16-bit WAV file holding a tone of `seconds`.
bool WriteWav(const std::string& file, double seconds);
// An uncompressed SWF movie with `frames` frames at `rate` frames per second, whose script
// offers the page pvGotoFrame(n) and pvCurrentFrame() through ExternalInterface.
bool WriteSwf(const std::string& file, int frames, int rate);
// A PDF of `pages` pages, each saying its number in large type.
bool WritePdf(const std::string& file, int pages);
bool WriteText(const std::string& file, const std::string& text);
// The bytes of a PNG picture of a red square.
std::string RedPng();
std::string ReadText(const std::string& file);

}  // namespace hostedtest
