// The previewer's helpers around the page list and the printer: copies, the page-count
// placeholder, what the printer supports, its papers and resolutions, the text export, the
// printer-status window and clipboard bitmaps. Any procedure thread.
#pragma once

#include <QByteArray>
#include <QImage>
#include <string>
#include <vector>

#include "runtime/report/PreviewQueue.h"

namespace rpvw {

using wdrt::report::PreviewQueue;

// Appends the list's pages copies − 1 more times (collated), unless the printer makes the
// copies itself (it supports copies and does not collate) or copies is below 2.
void HandleCopies(PreviewQueue& pages, int copies);

enum class ReplaceResult { Replaced, NotFound, OpenError };
// Overwrites the first `search` in the file (looked for from its second byte on, in blocks of
// 4096 bytes that overlap by the search text's length − 1) with as many characters of
// `replacement`, padded with blanks.
ReplaceResult ReplaceFirstInFile(const std::string& file, const std::string& search, const std::string& replacement);

// ASSGNPGOFPG. Count mode writes the page count, right-aligned in four characters, in place of
// the first "?PP?" of every page; otherwise, when every flag is 0, replaces the first
// `search` (its first `textLength` characters) in the page at `position` (from 1). A file that
// cannot be opened shows "open error"; the others are still done.
void AssignPageOfPages(PreviewQueue& pages, bool countMode, int textLength, bool flag1, bool flag2, bool flag3,
                       int position, bool flag4, const std::string& search, const std::string& replacement);

// SUPPORTED: 1 / 0 for the printer settings numbers 31489 .. 31499 and 31519, -1 otherwise.
int Supported(int number);

// PAPERSUPPORT: the name of paper `code` ("" when the printer does not offer it); with code 0
// and a list, fills the list with "  9 - A4" lines and returns the last name. Names ≤ 32.
std::string PaperSupport(int code, std::vector<std::string>* list);

// SetPrinterDraftMode: the number of resolutions the printer lists (at most 10); with more
// than one, the printer is set to the last of them.
int SetPrinterDraftMode();

// SHOWPRINTERSTATUS: mode 1 starts `program` (no shell); other modes close this program's
// window titled `title` ("* Printing Report..." when closeDefault is not 0).
void ShowPrinterStatus(int mode, long closeDefault, const std::string& title, const std::string& program);

// A BMP file of a packed DIB (40-byte header, colour table, pixels). False when the header is
// of another kind or the file cannot be written whole.
bool WriteDibAsBmp(const QByteArray& dib, const std::string& file);
// The DIB of a clipboard image (24 bits per pixel, bottom-up); empty for a null image.
QByteArray DibFromImage(const QImage& image);
// SaveClipToFile: the file written, or "" on any failure or a cancelled dialog.
std::string SaveClipToFile(bool ask, const std::string& fileName);

// WMF2ASCII: the texts of the listed pages as a text file ("~name" asks for the file name),
// in a progress window "Converting WMF to Text". Returns false when nothing was written.
bool Wmf2Ascii(const PreviewQueue& pages, int linesPerPage, const std::string& target);

}  // namespace rpvw
