// ErrorManager: the program's one table of standard messages, shown by id with the details of
// the failure substituted, by fatality informing, asking or ending the program; optional text
// log and history; per-thread procedure-name stacks. Any procedure thread may call it.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "framework/ErrorLog.h"
#include "framework/Levels.h"
#include "framework/MessageTable.h"

class ErrorManager {
 public:
  struct HistoryRow {
    std::string CATEGORY;
    std::string TXT;  // at most 1023 characters
    std::int16_t ID = 0;
  };
  struct ProcNameRow {
    std::int32_t THREAD = 0;
    std::string NAME;
  };

  ErrorManager();
  virtual ~ErrorManager();

  // Fields, in their order. The texts of 255 bytes hold at most 254 characters. NoteFile,
  // SaveErrorState and the reports take the manager's lock; code that sets FIELDNAME or
  // MESSAGETEXT directly does so on the thread that then reports.
  std::string DEFAULTCATEGORY;
  std::unique_ptr<std::vector<MessageRow>> ERRORS;
  ErrorLogInterface* ERRORLOG = nullptr;
  std::string FIELDNAME;
  std::string FILENAME;
  std::unique_ptr<std::vector<HistoryRow>> HISTORY;
  std::string MESSAGETEXT;
  std::unique_ptr<std::vector<ProcNameRow>> PROCNAMES;  // guarded by the names lock
  std::string SAVEERROR;
  std::int32_t SAVEERRORCODE = 0;
  std::string SAVEFILEERROR;
  std::string SAVEFILEERRORCODE;
  std::uint8_t SILENT = 0;
  std::unique_ptr<TextErrorLog> STDERRORLOG;
  std::uint8_t LOGERRORS = 0;
  std::int32_t HISTORYTHRESHOLD = 0;
  std::int32_t HISTORYVIEWLEVEL = 3;
  std::uint8_t HISTORYRESETONVIEW = 0;

  // Virtual operations, in slot order.
  virtual void LoadMessages(std::span<const std::uint8_t> table);
  virtual void AppendHistory();
  virtual int ShowWithHistory(const std::string& caption, int icon, int buttons, int defaultButton);
  virtual void Init(ErrorLogInterface* log);
  virtual int ShowMessage(const std::string& text, const std::string& caption, int icon, int buttons,
                          int defaultButton, int style);
  virtual int SystemMessage(const std::string& text, const std::string& caption, int icon, int buttons,
                            int defaultButton, int style);
  virtual int HandleOk();
  virtual int HandleFatal();
  virtual int HandleNotice();
  virtual int HandleOther();
  virtual int HandleProgram();
  virtual int HandleQuestion();
  virtual int ShowHistory();

  // Construct: the standard log, "KIT" as default category, no history; then Init.
  void Construct();
  void Kill();

  void NoteFile(const std::string& name);
  void AssignCategory(std::int32_t id, const std::string& category);
  void SaveErrorState();
  int ReportFailure(std::int32_t id);
  int Report(std::int32_t id);
  int AskUser(std::int32_t id, int buttons, int defaultButton);
  void PushProcedure(const std::string& name);
  void PopProcedure();

  // A copy of the history, taken under the manager's lock.
  std::vector<HistoryRow> HistorySnapshot() const;

  // The calling thread's current procedure name, or "" (what "%Procedure" becomes).
  std::string CurrentProcedure() const;
  std::string ProcedureOf(std::int32_t thread) const;

  // The text of the selected row with every placeholder replaced (at most 1999 characters).
  std::string SubstituteText(std::int32_t id) const;

 protected:
  // The row chosen by Report and AskUser, valid during the handlers that they call.
  // Each thread has its own, so messages on two threads never mix their rows.
  struct Selection {
    MessageRow row;
    std::string text;  // substituted
  };
  const Selection& Selected() const;

  // The history row prepared by ShowMessage for AppendHistory (under the state lock).
  HistoryRow preparedHistory_;

 private:
  std::size_t SelectIndex(std::int32_t id) const;  // ERRORS must hold rows
  void Select(std::int32_t id);
  std::string CategoryOf(const MessageRow& row) const;

  // Guards HISTORY, the log, the prepared history row and the message table.
  mutable std::recursive_mutex stateMutex_;
  // The one lock of the procedure-name stacks.
  mutable std::mutex namesMutex_;
  bool killed_ = false;
};
