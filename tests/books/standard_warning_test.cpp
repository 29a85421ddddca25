// StandardWarning: titles, texts built from their pieces, buttons, icons, the error text from
// the runtime's or the driver's error state, and the warnings that end the program.
#include <gtest/gtest.h>

#include "framework/StandardWarning.h"
#include "runtime/core/Events.h"
#include "runtime/data/ErrorState.h"
#include "tests/books/KidltTestSupport.h"

using namespace kidlttest;

namespace {

struct EndingWarning {
  int number;
  const char* title;
  const char* text;
  const char* exitMessage;
};

const EndingWarning kEndingWarnings[] = {
    {1, "Invalid File", "Error: (Invalid File (47)) accessing kidlt.tps.  Press OK to end this application.",
     "Invalid File!"},
    {3, "Key Rebuild Error", "Error: (Invalid File (47)) repairing key for kidlt.tps.  Press OK to end this application.",
     "Error Rebuilding Key!"},
    {4, "File Creation Error", "Error: (Invalid File (47)) creating kidlt.tps.  Press OK to end this application.",
     "File Creation Error!"},
    {5, "File Creation Error",
     "Error: (Invalid File (47)) opening created file:kidlt.tps.  Press OK to end this application.",
     "File Creation Error!"},
};

TEST(StandardWarningTest, EndingWarningsShowOkThenHalt) {
  for (const EndingWarning& w : kEndingWarnings) {
    SCOPED_TRACE(w.number);
    wdrt::SetError(wdrt::ErrInvalidFile);
    ScriptedUser user;
    try {
      StandardWarning(w.number, "kidlt.tps   ");
      ADD_FAILURE() << "returned";
    } catch (const HaltCalled& halt) {
      EXPECT_EQ(halt.message, w.exitMessage);
      EXPECT_NE(halt.code, 0);
    }
    ASSERT_EQ(user.Asked().size(), 1u);
    EXPECT_EQ(user.Asked()[0].caption, w.title);
    EXPECT_EQ(user.Asked()[0].text, w.text);
    EXPECT_EQ(user.Asked()[0].buttons, wdrt::ButtonOk);
    EXPECT_EQ(user.Asked()[0].icon, wdrt::IconExclamation);
  }
}

struct ReturningWarning {
  int number;
  const char* fileText;
  const char* title;
  const char* text;
};

const ReturningWarning kReturningWarnings[] = {
    {30, "kidlt.tps", "File Access Error", "File (kidlt.tps) could not be opened.  Error: File Is Locked (32)."},
    {35, "KIDLT", "Record Retrieval Error",
     "Error: (File Is Locked (32)) attempting to access a record from the KIDLT file.  Returning to previous window."},
    {36, "", "View Open Error",
     "Error: (File Is Locked (32)) attempting to open the current VIEW. Filter and Range Limits ignored."},
};

TEST(StandardWarningTest, OtherWarningsReturnTheButton) {
  for (const ReturningWarning& w : kReturningWarnings) {
    SCOPED_TRACE(w.number);
    wdrt::SetError(wdrt::ErrLocked);
    ScriptedUser user;
    EXPECT_EQ(StandardWarning(w.number, w.fileText), wdrt::ButtonOk);
    ASSERT_EQ(user.Asked().size(), 1u);
    EXPECT_EQ(user.Asked()[0].caption, w.title);
    EXPECT_EQ(user.Asked()[0].text, w.text);
    EXPECT_EQ(user.Journal().back(), "message " + wdrt::JournalQuote(w.title) + " " + wdrt::JournalQuote(w.text) + " -> Ok");
  }
}

TEST(StandardWarningTest, ErrorTextComesFromTheDriverOnError90AndIsCutAt150) {
  wdrt::SetFileError("11", "database disk image is malformed   ");
  EXPECT_EQ(StandardWarningErrorText(), "database disk image is malformed (11)");
  wdrt::SetFileError("26", std::string(200, 'x'));
  EXPECT_EQ(StandardWarningErrorText(), std::string(150, 'x'));
  wdrt::SetError(wdrt::ErrNotFound);
  EXPECT_EQ(StandardWarningErrorText(), "File Not Found (2)");
}

TEST(StandardWarningTest, UnknownNumberShowsNothing) {
  ScriptedUser user;
  EXPECT_EQ(StandardWarning(99, "kidlt.tps"), 0);
  EXPECT_TRUE(user.Asked().empty());
}

TEST(StandardWarningTest, ErrorStateBelongsToEachThread) {
  wdrt::SetError(wdrt::ErrLocked);
  int seen = -1;
  std::thread([&] { seen = wdrt::ErrorCode(); }).join();
  EXPECT_EQ(seen, 0);
  EXPECT_EQ(wdrt::ErrorCode(), wdrt::ErrLocked);
}

}  // namespace
