// The program's current printer: a CUPS destination (the user's default until another is
// chosen) with its settings kept as a DEVMODE-like record, whose field mask says which
// settings the destination supports. "Device" is the queue name, "port" its device URI.
// Shared by the programs, the previewer and the PDF writer; any thread (one lock).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace wdrt::report {

// Field mask bits of the record, as the previewer's SUPPORTED asks for them.
enum DevModeField : std::uint32_t {
  DM_ORIENTATION = 0x00000001,
  DM_PAPERSIZE = 0x00000002,
  DM_PAPERLENGTH = 0x00000004,
  DM_PAPERWIDTH = 0x00000008,
  DM_SCALE = 0x00000010,
  DM_COPIES = 0x00000100,
  DM_DEFAULTSOURCE = 0x00000200,
  DM_PRINTQUALITY = 0x00000400,
  DM_COLOR = 0x00000800,
  DM_DUPLEX = 0x00001000,
  DM_YRESOLUTION = 0x00002000,
  DM_TTOPTION = 0x00004000,
  DM_COLLATE = 0x00008000,
};

struct DevMode {
  std::uint32_t dmFields = 0;
  std::int16_t dmOrientation = 1;   // 1 portrait, 2 landscape
  std::int16_t dmPaperSize = 1;     // paper code
  std::int16_t dmPaperLength = 0;   // tenths of a millimetre, custom size
  std::int16_t dmPaperWidth = 0;
  std::int16_t dmScale = 100;
  std::int16_t dmCopies = 1;
  std::int16_t dmDefaultSource = 0;
  std::int16_t dmPrintQuality = 0;  // dots per inch across
  std::int16_t dmColor = 1;         // 1 monochrome, 2 colour
  std::int16_t dmDuplex = 1;        // 1 simplex, 2 long edge, 3 short edge
  std::int16_t dmYResolution = 0;
  std::int16_t dmTTOption = 1;
  std::int16_t dmCollate = 0;       // 1 collated copies
};

struct PrinterPaper {
  int code = 0;           // paper code, 0 for a size without one (then 256 + index)
  std::string name;       // a readable name
  std::string media;      // the CUPS media name
  std::int32_t width = 0; // thousandths of a point
  std::int32_t height = 0;
};

struct PrinterSettings {
  std::string device;  // CUPS queue name; "" when the machine has no printer
  std::string port;    // its device URI
  DevMode devMode;
  std::vector<PrinterPaper> papers;
  std::vector<std::pair<int, int>> resolutions;  // across × down, dots per inch
  std::vector<std::string> bins;
};

// The destinations CUPS knows (the CUPS_SERVER of the environment), default first.
std::vector<std::string> PrinterQueues();
// Reads a destination and its capabilities; "" reads the default. nullopt when there is none.
std::optional<PrinterSettings> ReadPrinter(const std::string& queue);

// The current printer, read on first use; device "" when no printer exists.
PrinterSettings CurrentPrinter();
// Makes `queue` the current printer with its own defaults. False when it does not exist.
bool ChoosePrinter(const std::string& queue);
// Stores changed settings (copies, paper, orientation …) of the current printer.
void StorePrinterSettings(const PrinterSettings& settings);
// Forgets the current printer so that the next use reads the default again (tests).
void ResetPrinterForTest();

}  // namespace wdrt::report
