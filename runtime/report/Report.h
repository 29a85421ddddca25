// A report being printed: OPEN a definition, PRINT named bands (a band that no longer fits
// starts a new page), ENDPAGE, CLOSE. Every finished page becomes one placeable metafile in
// the user's private page folder (or under the name the caller's namer gives) and its name
// is added to the caller's page list. The report also carries the settings a flush to the
// printer uses: copies, collate, job text, page range, paper and orientation.
// One report is used by one thread at a time.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "runtime/report/PreviewQueue.h"
#include "runtime/report/ReportDef.h"
#include "runtime/report/WmfWriter.h"

namespace wdrt::report {

// Result codes of the report operations.
// What no printer is sure to print: a quarter inch along every edge of the paper. Layouts keep
// their texts and pictures inside it, and a layout placed on other paper keeps it there too.
constexpr int kSafeMargin = 250;  // thousandths of an inch

enum ReportError {
  ReportOk = 0,
  ReportNotOpen = 1,
  ReportNoSuchBand = 2,
  ReportCannotWritePage = 3,   // the page file could not be made or written
  ReportNameTooLong = 4,       // the page file's name does not fit the page list
  ReportUnprintableText = 5,   // a text holds characters no code page of a page can hold
};

class Report {
 public:
  explicit Report(ReportDef def);
  ~Report();
  Report(const Report&) = delete;
  Report& operator=(const Report&) = delete;

  // OPEN: starts with page 1 and no page files. The page list is kept.
  void Open();
  // The text of a field item, by the field's name.
  using FieldText = std::function<std::string(const std::string& field)>;

  // PRINT: lays out the band below the previous one, its field items filled by `fields`
  // (empty without it). Returns a ReportError.
  int Print(const std::string& band, const FieldText& fields = {});
  // ENDPAGE: finishes the current page (when anything was printed on it) into its file.
  int EndPage();
  // CLOSE: forgets an unfinished page; finished page files stay for their owner to delete.
  void Close();
  bool IsOpen() const { return open_; }

  // The caller's page list; every finished page's file name is added to it.
  void SetPreviewQueue(PreviewQueue* queue) { queue_ = queue; }
  PreviewQueue* GetPreviewQueue() const { return queue_; }
  // The caller's temporary-file namer: receives the page number, returns the full file name
  // (which it may have created empty). Null: the engine names pages itself.
  void SetTempFileNamer(std::function<std::string(int page)> namer) { namer_ = std::move(namer); }

  int PagesDone() const { return pagesDone_; }
  int LastError() const { return lastError_; }
  const ReportDef& Def() const { return def_; }

  // Settings for printing.
  int copies = 1;
  bool collate = false;
  std::string jobText;
  int pageFrom = 0;    // 0: from the first page
  int pageTo = 0;      // 0: to the last page
  int paper = 1;
  int paperBin = 0;    // the printer's paper source (DMBIN number); 0: the printer's default
  bool landscape = false;

  // The words an item prints: its own, or its field's value, or its "{field}" parts filled in.
  static std::string TextOf(const ReportItem& item, const FieldText& fields);

 private:
  void StartPage();
  void PlaceBand(const BandDef& band, int top, const FieldText& fields = {});
  void PlaceText(const ReportItem& item, int x, int y, const FieldText& fields);
  // The paper the pages are made on (the report's paper code), and the layout's place on it.
  void PlaceOnPaper();
  int FinishPage();
  const BandDef* FindBand(const std::string& name, BandKind kind) const;
  int PrintableBottom() const;

  ReportDef def_;
  bool open_ = false;
  PreviewQueue* queue_ = nullptr;
  std::function<std::string(int)> namer_;
  std::optional<WmfWriter> page_;
  bool pageHasContent_ = false;
  int cursor_ = 0;
  int pagesDone_ = 0;
  int lastError_ = ReportOk;
  int pageWidth_ = 0;   // the layout's page, in thousandths of an inch
  int pageHeight_ = 0;
  int paperWidth_ = 0;  // the page files' paper
  int paperHeight_ = 0;
  WmfPlacement placement_;
};

// The folder of the engine's own page files (inside the user's private temporary folder).
std::string PageFolder();

}  // namespace wdrt::report
