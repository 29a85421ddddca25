#include "runtime/report/PrinterSettings.h"

#include "runtime/report/CupsLibrary.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>

#include "runtime/report/PaperSizes.h"

namespace wdrt::report {
namespace {

std::mutex mutex;
std::optional<PrinterSettings> current;

struct DestList {
  cups_dest_t* dests = nullptr;
  int count = 0;
  DestList() {
    if (Cups().loaded) count = Cups().cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
  }
  ~DestList() {
    if (dests) Cups().cupsFreeDests(count, dests);
  }
};

bool Supports(cups_dest_t* dest, cups_dinfo_t* info, const char* option, const char* value) {
  return Cups().cupsCheckDestSupported(CUPS_HTTP_DEFAULT, dest, info, option, value) != 0;
}

std::int32_t HundredthsMmToMilliPoints(int v) { return static_cast<std::int32_t>(v * 72000LL / 2540); }

void ReadPapers(cups_dest_t* dest, cups_dinfo_t* info, PrinterSettings& s) {
  const int count = Cups().cupsGetDestMediaCount(CUPS_HTTP_DEFAULT, dest, info, 0);
  for (int i = 0; i < count && s.papers.size() < 64; ++i) {
    cups_size_t size{};
    if (!Cups().cupsGetDestMediaByIndex(CUPS_HTTP_DEFAULT, dest, info, i, 0, &size)) continue;
    PrinterPaper paper;
    paper.media = size.media;
    paper.width = HundredthsMmToMilliPoints(size.width);
    paper.height = HundredthsMmToMilliPoints(size.length);
    paper.code = PaperCodeForSize(paper.width, paper.height);
    if (const PaperSize* known = FindPaper(paper.code))
      paper.name = std::string(known->name);
    else
      paper.name = size.media;
    if (std::none_of(s.papers.begin(), s.papers.end(), [&](const PrinterPaper& p) { return p.media == paper.media; }))
      s.papers.push_back(paper);
  }
}

void ReadDefaults(cups_dest_t* dest, cups_dinfo_t* info, PrinterSettings& s) {
  DevMode& dm = s.devMode;
  dm.dmFields = DM_TTOPTION;
  if (!s.papers.empty()) dm.dmFields |= DM_PAPERSIZE;
  cups_size_t size{};
  if (Cups().cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, dest, info, 0, &size)) {
    const int code = PaperCodeForSize(HundredthsMmToMilliPoints(size.width), HundredthsMmToMilliPoints(size.length));
    dm.dmPaperSize = static_cast<std::int16_t>(code ? code : 256);
    dm.dmPaperWidth = static_cast<std::int16_t>(size.width / 10);
    dm.dmPaperLength = static_cast<std::int16_t>(size.length / 10);
  }
  if (ipp_attribute_t* copies = Cups().cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info, "copies")) {
    int upper = 1;
    Cups().ippGetRange(copies, 0, &upper);
    if (upper > 1) dm.dmFields |= DM_COPIES;
  }
  if (Supports(dest, info, "orientation-requested", "4") || Supports(dest, info, "orientation-requested", "3"))
    dm.dmFields |= DM_ORIENTATION;
  if (Supports(dest, info, "sides", "two-sided-long-edge")) dm.dmFields |= DM_DUPLEX;
  if (Supports(dest, info, "print-color-mode", "color")) {
    dm.dmFields |= DM_COLOR;
    dm.dmColor = 2;
  }
  if (Supports(dest, info, "multiple-document-handling", "separate-documents-collated-copies"))
    dm.dmFields |= DM_COLLATE;
  if (Cups().cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info, "print-scaling")) dm.dmFields |= DM_SCALE;
  if (ipp_attribute_t* sources = Cups().cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info, "media-source")) {
    for (int i = 0; i < Cups().ippGetCount(sources); ++i)
      if (const char* v = Cups().ippGetString(sources, i, nullptr)) s.bins.emplace_back(v);
    if (!s.bins.empty()) dm.dmFields |= DM_DEFAULTSOURCE;
  }
  if (ipp_attribute_t* custom = Cups().cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info, "media")) {
    for (int i = 0; i < Cups().ippGetCount(custom); ++i) {
      const char* v = Cups().ippGetString(custom, i, nullptr);
      if (v && std::strncmp(v, "custom_m", 8) == 0) dm.dmFields |= DM_PAPERLENGTH | DM_PAPERWIDTH;
    }
  }
  if (ipp_attribute_t* res = Cups().cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution")) {
    for (int i = 0; i < Cups().ippGetCount(res) && s.resolutions.size() < 10; ++i) {
      int y = 0;
      ipp_res_t units{};
      int x = Cups().ippGetResolution(res, i, &y, &units);
      if (units == IPP_RES_PER_CM) {
        x = x * 254 / 100;
        y = y * 254 / 100;
      }
      s.resolutions.emplace_back(x, y);
    }
  }
  if (!s.resolutions.empty()) {
    dm.dmFields |= DM_PRINTQUALITY | DM_YRESOLUTION;
    dm.dmPrintQuality = static_cast<std::int16_t>(s.resolutions.front().first);
    dm.dmYResolution = static_cast<std::int16_t>(s.resolutions.front().second);
  }
}

}  // namespace

std::vector<std::string> PrinterQueues() {
  DestList list;
  std::vector<std::string> names;
  for (int i = 0; i < list.count; ++i) {
    std::string name = list.dests[i].name;
    if (list.dests[i].instance) continue;
    if (list.dests[i].is_default)
      names.insert(names.begin(), name);
    else
      names.push_back(name);
  }
  return names;
}

std::optional<PrinterSettings> ReadPrinter(const std::string& queue) {
  if (!Cups().loaded) return std::nullopt;
  cups_dest_t* dest = Cups().cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.empty() ? nullptr : queue.c_str(), nullptr);
  if (!dest) return std::nullopt;
  std::unique_ptr<cups_dest_t, void (*)(cups_dest_t*)> destGuard(dest, [](cups_dest_t* d) { Cups().cupsFreeDests(1, d); });
  PrinterSettings s;
  s.device = dest->name;
  if (const char* uri = Cups().cupsGetOption("device-uri", dest->num_options, dest->options)) s.port = uri;
  cups_dinfo_t* info = Cups().cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest);
  if (info) {
    ReadPapers(dest, info, s);
    ReadDefaults(dest, info, s);
    Cups().cupsFreeDestInfo(info);
  }
  return s;
}

PrinterSettings CurrentPrinter() {
  std::lock_guard lock(mutex);
  if (!current) current = ReadPrinter("").value_or(PrinterSettings{});
  return *current;
}

bool ChoosePrinter(const std::string& queue) {
  auto read = ReadPrinter(queue);
  if (!read) return false;
  std::lock_guard lock(mutex);
  current = std::move(*read);
  return true;
}

void StorePrinterSettings(const PrinterSettings& settings) {
  std::lock_guard lock(mutex);
  current = settings;
}

void ResetPrinterForTest() {
  if (Cups().loaded) Cups().cupsSetServer(nullptr);  // the calling thread reads CUPS_SERVER again
  std::lock_guard lock(mutex);
  current.reset();
}

}  // namespace wdrt::report
