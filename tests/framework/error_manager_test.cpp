// The error manager: message tables, what each fatality does, placeholder substitution, the
// silent mode, the text log, the history and its window, and the per-thread name stacks.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "framework/ErrorLogTime.h"
#include "framework/ErrorManager.h"
#include "framework/MessageTable.h"
#include "framework/MessageWindow.h"
#include "runtime/core/Runtime.h"
#include "runtime/data/ErrorState.h"
#include "runtime/dialogs/Message.h"
#include "runtime/os/Process.h"

namespace fs = std::filesystem;

namespace {

struct Halted {
  int code;
  std::string message;
};

// Runs each test in a scratch folder (the log lives in the current folder) and records the
// message boxes shown, answering them with `answer`.
class ErrorManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("storyloom-err-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder_);
    previous_ = fs::current_path();
    fs::current_path(folder_);
    wdrt::SetMessageAnswerer([this](const wdrt::MessageRequest& request) {
      std::lock_guard lock(mutex_);
      shown_.push_back(request);
      return answer_;
    });
    wdrt::SetHaltHandler([](int code, const std::string& message) { throw Halted{code, message}; });
    wdrt::ClearError();
    errors_.Construct();
  }

  void TearDown() override {
    errors_.Kill();
    wdrt::SetMessageAnswerer(nullptr);
    wdrt::SetHaltHandler(nullptr);
    fs::current_path(previous_);
    fs::remove_all(folder_);
  }

  void Load(std::initializer_list<MessageSource> rows) {
    const auto bytes = EncodeMessageTable(std::vector<MessageSource>(rows));
    errors_.LoadMessages(bytes);
  }

  std::vector<wdrt::MessageRequest> Shown() {
    std::lock_guard lock(mutex_);
    return shown_;
  }

  std::string LogText() const {
    std::ifstream in(folder_ / "KITError.Log");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  ErrorManager errors_;
  int answer_ = wdrt::ButtonOk;
  fs::path folder_;
  fs::path previous_;
  std::mutex mutex_;
  std::vector<wdrt::MessageRequest> shown_;
};

// --- Message tables -------------------------------------------------------------------------

TEST(MessageTable, CompiledInFormIsLowByteFirstWithLengthPrefixes) {
  const MessageSource rows[] = {{0x0102, 5, "T", "Msg"}};
  const std::vector<std::uint8_t> bytes = EncodeMessageTable(rows);
  const std::vector<std::uint8_t> expected = {1, 0, 0x02, 0x01, 5, 1, 'T', 3, 'M', 's', 'g'};
  EXPECT_EQ(bytes, expected);
}

TEST(MessageTable, StandardTableLoadsEveryRowInOrder) {
  const std::vector<MessageRow> rows = DecodeMessageTable(StandardMessageTable());
  ASSERT_EQ(rows.size(), 43u);
  EXPECT_EQ(rows.front().ID, 27);
  EXPECT_EQ(rows.front().TITLE, "Invalid Key");
  EXPECT_EQ(rows[2].FATALITY, 3);
  EXPECT_EQ(rows.back().ID, 44);
  EXPECT_EQ(rows.back().MESSAGE, "%Message ");  // the trailing blank is part of the message
  for (const MessageRow& row : rows) EXPECT_TRUE(row.CATEGORY.empty());
}

TEST(MessageTable, TableCutShortKeepsItsWholeRowsOnly) {
  const MessageSource rows[] = {{1, 5, "One", "first"}, {2, 5, "Two", "second"}};
  std::vector<std::uint8_t> bytes = EncodeMessageTable(rows);
  for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
    const auto decoded = DecodeMessageTable(std::span(bytes.data(), cut));
    EXPECT_LE(decoded.size(), 1u) << cut;
  }
  EXPECT_EQ(DecodeMessageTable(bytes).size(), 2u);
}

// --- Fatalities -----------------------------------------------------------------------------

struct FatalityCase {
  int fatality;
  int answer;
  int level;
  int icon;     // of the message shown; 0: nothing shown
  int buttons;
};

class Fatality : public ErrorManagerTest, public ::testing::WithParamInterface<FatalityCase> {};

TEST_P(Fatality, GivesItsLevel) {
  const FatalityCase& c = GetParam();
  Load({{900, static_cast<std::uint8_t>(c.fatality), "Title", "Text"}});
  answer_ = c.answer;
  EXPECT_EQ(errors_.Report(900), c.level);
  const auto shown = Shown();
  if (c.icon == 0) {
    EXPECT_TRUE(shown.empty());
  } else {
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Text");
    EXPECT_EQ(shown[0].caption, "Title");
    EXPECT_EQ(shown[0].icon, c.icon);
    EXPECT_EQ(shown[0].buttons, c.buttons);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Levels, Fatality,
    ::testing::Values(FatalityCase{0, wdrt::ButtonOk, LevelOk, 0, 0},
                      FatalityCase{1, wdrt::ButtonYes, LevelOk, wdrt::IconExclamation, wdrt::ButtonYes | wdrt::ButtonNo},
                      FatalityCase{1, wdrt::ButtonNo, LevelCancel, wdrt::IconExclamation, wdrt::ButtonYes | wdrt::ButtonNo},
                      FatalityCase{4, wdrt::ButtonNo, LevelCancel, wdrt::IconExclamation, wdrt::ButtonYes | wdrt::ButtonNo},
                      FatalityCase{5, wdrt::ButtonOk, LevelNotice, wdrt::IconAsterisk, wdrt::ButtonOk}));

TEST_F(ErrorManagerTest, FatalRowsShowTheTextAndHaltWithTheTitle) {
  for (int fatality : {2, 3, 6, 200}) {
    Load({{901, static_cast<std::uint8_t>(fatality), "Broken", "It broke."}});
    try {
      errors_.Report(901);
      ADD_FAILURE() << "fatality " << fatality << " did not halt";
    } catch (const Halted& halted) {
      EXPECT_EQ(halted.code, 0);
      EXPECT_EQ(halted.message, "Broken");
    }
    ASSERT_FALSE(Shown().empty());
    EXPECT_EQ(Shown().back().text, "It broke.  Press OK to end this application");
    EXPECT_EQ(Shown().back().buttons, wdrt::ButtonOk);
  }
}

TEST_F(ErrorManagerTest, UnknownIdSelectsTheFirstRow) {
  EXPECT_EQ(errors_.Report(12345), LevelNotice);
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_EQ(Shown()[0].caption, "Invalid Key");
}

TEST_F(ErrorManagerTest, LaterTableOverridesAnEarlierRowOfTheSameId) {
  Load({{8, 5, "Mine", "Replaced: %Previous"}});
  EXPECT_EQ(errors_.Report(8), LevelNotice);
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_EQ(Shown()[0].caption, "Mine");
  EXPECT_EQ(Shown()[0].text, "Replaced: Are you sure you want to cancel?");
}

// --- Silent mode and AskUser -----------------------------------------------------------------

TEST_F(ErrorManagerTest, SilentAskReturnsTheDefaultShowsAndLogsNothing) {
  errors_.SILENT = 1;
  errors_.LOGERRORS = 1;
  errors_.HISTORYTHRESHOLD = -1;
  EXPECT_EQ(errors_.AskUser(35, wdrt::ButtonYes | wdrt::ButtonNo | wdrt::ButtonCancel, wdrt::ButtonCancel),
            wdrt::ButtonCancel);
  EXPECT_TRUE(Shown().empty());
  EXPECT_FALSE(fs::exists(folder_ / "KITError.Log"));
  EXPECT_TRUE(errors_.HISTORY->empty());
}

TEST_F(ErrorManagerTest, SilentReportShowsNothingAndTakesTheDefaultAnswer) {
  errors_.SILENT = 1;
  EXPECT_EQ(errors_.Report(35), LevelOk);  // question: default Yes
  EXPECT_TRUE(Shown().empty());
}

TEST_F(ErrorManagerTest, AskUserShowsTheGivenButtonsWithTheQuestionIcon) {
  answer_ = wdrt::ButtonNo;
  EXPECT_EQ(errors_.AskUser(9, wdrt::ButtonYes | wdrt::ButtonNo, wdrt::ButtonNo), wdrt::ButtonNo);
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_EQ(Shown()[0].icon, wdrt::IconQuestion);
  EXPECT_EQ(Shown()[0].defaultButton, wdrt::ButtonNo);
  EXPECT_EQ(Shown()[0].caption, "Confirm Delete");
}

// --- Substitution ---------------------------------------------------------------------------

TEST_F(ErrorManagerTest, ErrorTextUsesTheDriverForCode90AndTheRuntimeOtherwise) {
  Load({{902, 0, "", "[%ErrorText]"}});
  wdrt::SetFileError("D17", "Driver says no");
  errors_.SaveErrorState();
  EXPECT_EQ(errors_.SubstituteText(902), "[Driver says no (D17)]");
  wdrt::SetError(5);
  errors_.SaveErrorState();
  EXPECT_EQ(errors_.SubstituteText(902), "[" + wdrt::DefaultErrorText(5) + " (5)]");
}

TEST_F(ErrorManagerTest, ReportFailureSavesTheStateOfTheCallingThread) {
  Load({{903, 5, "T", "%ErrorCode %Error|%FileErrorCode %FileError"}});
  wdrt::SetFileError("X9  ", "Bad page  ");
  errors_.ReportFailure(903);
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_EQ(Shown()[0].text, "90 " + wdrt::DefaultErrorText(90) + "|X9 Bad page");
}

struct SubstitutionCase {
  const char* name;
  const char* message;
  const char* expected;
};

class Substitution : public ErrorManagerTest, public ::testing::WithParamInterface<SubstitutionCase> {};

TEST_P(Substitution, Replaces) {
  errors_.NoteFile("kidlt.tps   ");
  errors_.FIELDNAME = "KDL:NAME";
  errors_.MESSAGETEXT = "%File";  // replacement text is never searched again
  errors_.SAVEFILEERRORCODE = "C1";
  errors_.SAVEFILEERROR = "driver";
  errors_.SAVEERROR = "runtime";
  errors_.SAVEERRORCODE = 47;
  Load({{904, 0, "", GetParam().message}});
  errors_.AssignCategory(904, "Disk");
  EXPECT_EQ(errors_.SubstituteText(904), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Placeholders, Substitution,
    ::testing::Values(
        SubstitutionCase{"everyOccurrenceAnyCase", "%file and %FILE", "kidlt.tps and kidlt.tps"},
        SubstitutionCase{"longestFirst", "%FileErrorCode/%FileError/%File", "C1/driver/kidlt.tps"},
        SubstitutionCase{"errorFamily", "%ErrorCode/%ErrorText/%Error", "47/runtime (47)/runtime"},
        SubstitutionCase{"replacementNotSearched", "%Message %Field", "%File KDL:NAME"},
        SubstitutionCase{"category", "in %Category", "in Disk"},
        SubstitutionCase{"previousEmptyWithoutEarlierRow", "<%Previous>", "<>"},
        SubstitutionCase{"noProcedure", "<%Procedure>", "<>"},
        SubstitutionCase{"unknownPlaceholderKept", "100%Done %", "100%Done %"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ErrorManagerTest, SubstitutedTextIsCutAt1999Characters) {
  errors_.NoteFile(std::string(300, 'f'));
  EXPECT_EQ(errors_.FILENAME.size(), 254u);
  std::string message;
  for (int i = 0; i < 10; ++i) message += "%File";
  Load({{905, 0, "", message}});
  EXPECT_EQ(errors_.SubstituteText(905), std::string(1999, 'f'));
}

TEST_F(ErrorManagerTest, ProcedurePlaceholderNamesTheCallingThreadsProcedure) {
  Load({{906, 0, "", "in %Procedure"}});
  errors_.PushProcedure("Amain   ");
  std::string other;
  std::thread([&] { other = errors_.SubstituteText(906); }).join();
  EXPECT_EQ(errors_.SubstituteText(906), "in Amain");
  EXPECT_EQ(other, "in ");
}

TEST_F(ErrorManagerTest, DefaultCategoryAppliesToRowsWithoutOne) {
  errors_.HISTORYTHRESHOLD = -1;
  errors_.HISTORYVIEWLEVEL = 99;
  errors_.AssignCategory(-1, "Books");
  errors_.AssignCategory(2, "Files");
  errors_.Report(22);
  errors_.Report(2);
  ASSERT_EQ(errors_.HISTORY->size(), 2u);
  EXPECT_EQ((*errors_.HISTORY)[0].CATEGORY, "Books");
  EXPECT_EQ((*errors_.HISTORY)[1].CATEGORY, "Files");
  EXPECT_EQ((*errors_.HISTORY)[1].ID, 2);
}

// --- Log ------------------------------------------------------------------------------------

TEST_F(ErrorManagerTest, LogLineHasDateTimeArrowAndText) {
  errors_.LOGERRORS = 1;
  errors_.NoteFile("kidlt.tps");
  errors_.Report(2);
  errors_.Report(22);
  const std::string log = LogText();
  const std::regex line(R"(\d{1,2}/\d{1,2}/\d{4} \d{1,2}:\d\d:\d\d [AP]M --> (.*)\n)");
  std::vector<std::string> texts;
  for (std::sregex_iterator it(log.begin(), log.end(), line), end; it != end; ++it) texts.push_back((*it)[1]);
  ASSERT_EQ(texts.size(), 2u) << log;
  EXPECT_EQ(texts[0], "Could not get write access to kidlt.tps so trying read-only.");
  EXPECT_EQ(texts[1], "There are no records available to process.");
  EXPECT_EQ(errors_.STDERRORLOG->UsageCount(), 0);
  EXPECT_EQ(Shown().size(), 2u);
}

TEST_F(ErrorManagerTest, UnusableLogIsPassedOver) {
  fs::create_directory(folder_ / "KITError.Log");  // cannot be opened as a file
  errors_.LOGERRORS = 1;
  EXPECT_EQ(errors_.Report(22), LevelNotice);
  EXPECT_EQ(Shown().size(), 1u);
  EXPECT_EQ(errors_.STDERRORLOG->UsageCount(), 0);
}

TEST(ErrorLogTime, PicturesD17AndT8) {
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 0;
  t.tm_mday = 5;
  t.tm_hour = 0;
  t.tm_min = 7;
  t.tm_sec = 9;
  EXPECT_EQ(FormatShortDate(t), "1/5/2026");
  EXPECT_EQ(FormatLongTime(t), "12:07:09 AM");
  t.tm_hour = 13;
  EXPECT_EQ(FormatLongTime(t), "1:07:09 PM");
}

TEST(TextErrorLog, UsageCountNestsAndForcedCloseEndsIt) {
  const fs::path file = fs::temp_directory_path() / ("storyloom-log-" + std::to_string(::getpid()));
  {
    TextErrorLog log(file.string());
    EXPECT_EQ(log.Write("early"), LevelNotice);
    EXPECT_EQ(log.Open(false), LevelOk);
    EXPECT_EQ(log.Open(false), LevelOk);
    EXPECT_EQ(log.UsageCount(), 2);
    EXPECT_EQ(log.Write(std::string(2000, 'x')), LevelOk);
    EXPECT_EQ(log.Close(false), LevelOk);
    EXPECT_EQ(log.UsageCount(), 1);
    EXPECT_EQ(log.Write("still open"), LevelOk);
    EXPECT_EQ(log.Close(true), LevelOk);
    EXPECT_EQ(log.UsageCount(), 0);
    EXPECT_EQ(log.Write("closed"), LevelNotice);
  }
  std::ifstream in(file);
  std::string first, second, third;
  std::getline(in, first);
  std::getline(in, second);
  EXPECT_EQ(first, std::string(1024, 'x'));
  EXPECT_EQ(second, "still open");
  EXPECT_FALSE(std::getline(in, third));
  fs::remove(file);
}

// --- History --------------------------------------------------------------------------------

TEST_F(ErrorManagerTest, ThresholdThreeDropsTheOldestRowOnTheFourth) {
  errors_.HISTORYTHRESHOLD = 3;
  for (int id : {2, 5, 22, 28}) errors_.Report(id);
  ASSERT_EQ(errors_.HISTORY->size(), 3u);
  EXPECT_EQ((*errors_.HISTORY)[0].ID, 5);
  EXPECT_EQ((*errors_.HISTORY)[1].ID, 22);
  EXPECT_EQ((*errors_.HISTORY)[2].ID, 28);
  // With history on, only the view level is shown (3 by default): these notices were not.
  EXPECT_TRUE(Shown().empty());
}

TEST_F(ErrorManagerTest, NegativeThresholdKeepsEveryRowAndHistoryTextIsCut) {
  errors_.HISTORYTHRESHOLD = -1;
  errors_.MESSAGETEXT = std::string(254, 'm');
  Load({{907, 5, "", "%Message%Message%Message%Message%Message"}});
  for (int i = 0; i < 20; ++i) errors_.Report(907);
  ASSERT_EQ(errors_.HISTORY->size(), 20u);
  EXPECT_EQ((*errors_.HISTORY)[0].TXT.size(), 1023u);
}

// Runs `call` on a procedure thread, waits for the message window, checks it and presses
// `press`. Returns what `call` returned.
int RunWithMessageWindow(const std::function<int()>& call, int press,
                         const std::function<void(const wdrt::WindowPtr&)>& check) {
  std::atomic<int> result{-1};
  std::thread caller([&] { result = call(); });
  wdrt::WindowPtr window;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  // The window is ready once its Init has shown the icon, its last step.
  auto ready = [](const wdrt::WindowPtr& w) {
    const auto icon = w->Control(MessageWindow::kIcon);
    return icon && !icon->picture.empty();
  };
  while (!window && std::chrono::steady_clock::now() < deadline) {
    for (const wdrt::WindowPtr& w : wdrt::OpenWindows()) {
      if (w->Def().module == "errmsg" && ready(w)) window = w;
    }
    if (!window) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (window) {
    check(window);
    wdrt::PostToWindow(window, wdrt::EventAccepted, press);
  } else {
    ADD_FAILURE() << "the message window did not open";
  }
  caller.join();
  return result;
}

// Waits until the list shows its rows (the window fills it when it opens).
std::string ListText(const wdrt::WindowPtr& window) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (std::chrono::steady_clock::now() < deadline) {
    const std::string text = wdrt::GetText(window, MessageWindow::kHistoryList);
    if (!text.empty()) return text;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return {};
}

TEST_F(ErrorManagerTest, HistoryWindowShowsButtonsAndRowsAndReturnsThePressedButton) {
  errors_.HISTORYTHRESHOLD = -1;
  errors_.HISTORYVIEWLEVEL = 1;
  errors_.HISTORYRESETONVIEW = 1;
  errors_.Report(22);  // a notice: kept, not shown
  const int buttons = wdrt::ButtonYes | wdrt::ButtonNo | wdrt::ButtonCancel;
  const int answer = RunWithMessageWindow(
      [&] { return errors_.AskUser(35, buttons, wdrt::ButtonNo); }, MessageWindow::kFirstButton + 2,
      [](const wdrt::WindowPtr& window) {
        EXPECT_EQ(window->Title(), "Save Record");
        // Buttons from the highest value down: Cancel, No, Yes; the rest stay hidden.
        const char* captions[] = {"&Cancel", "&No", "&Yes"};
        for (int i = 0; i < 3; ++i) {
          const auto c = window->Control(MessageWindow::kFirstButton + i);
          ASSERT_TRUE(c.has_value());
          EXPECT_FALSE(c->hidden) << i;
          EXPECT_EQ(c->text, captions[i]);
        }
        for (int i = 3; i < 8; ++i) EXPECT_TRUE(window->Control(MessageWindow::kFirstButton + i)->hidden);
        EXPECT_EQ(ListText(window),
                  "There are no records available to process.\tKIT\n"
                  "Do you want to save the changes to this record?\tKIT");
      });
  EXPECT_EQ(answer, wdrt::ButtonYes);
  EXPECT_TRUE(errors_.HISTORY->empty());  // reset on view
  EXPECT_TRUE(Shown().empty());           // the system message box was not used
}

TEST_F(ErrorManagerTest, ShowHistoryOffersOkAndHelp) {
  errors_.HISTORYTHRESHOLD = 5;
  errors_.Report(2);
  const int answer = RunWithMessageWindow([&] { return errors_.ShowHistory(); }, MessageWindow::kFirstButton + 1,
                                          [](const wdrt::WindowPtr& window) {
                                            EXPECT_EQ(window->Title(), "Errors History");
                                            EXPECT_EQ(window->Control(100)->text, "&Help");
                                            EXPECT_EQ(window->Control(101)->text, "O&k");
                                          });
  EXPECT_EQ(answer, wdrt::ButtonOk);
}

TEST_F(ErrorManagerTest, ReportsFromManyThreadsKeepTheHistoryBounded) {
  errors_.HISTORYTHRESHOLD = 5;
  errors_.LOGERRORS = 1;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      errors_.PushProcedure("Page" + std::to_string(t));
      for (int i = 0; i < 50; ++i) {
        errors_.NoteFile("file" + std::to_string(t));
        errors_.Report(i % 2 ? 2 : 22);
      }
      errors_.PopProcedure();
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(errors_.HistorySnapshot().size(), 5u);
  std::istringstream log(LogText());
  int lines = 0;
  for (std::string line; std::getline(log, line);) {
    EXPECT_NE(line.find(" --> "), std::string::npos) << line;
    ++lines;
  }
  EXPECT_EQ(lines, 200);
  EXPECT_TRUE(errors_.PROCNAMES->empty());
}

// --- Procedure names ------------------------------------------------------------------------

TEST_F(ErrorManagerTest, PoppingOnAThreadThatPushedNothingDeletesNothing) {
  errors_.PushProcedure("Amain");
  std::thread([&] { errors_.PopProcedure(); }).join();
  EXPECT_EQ(errors_.CurrentProcedure(), "Amain");
  EXPECT_EQ(errors_.PROCNAMES->size(), 1u);
  errors_.PopProcedure();
  EXPECT_EQ(errors_.CurrentProcedure(), "");
  errors_.PopProcedure();
  EXPECT_TRUE(errors_.PROCNAMES->empty());
}

TEST_F(ErrorManagerTest, EmptyNameIsNeverPopped) {
  errors_.PushProcedure("Outer");
  errors_.PushProcedure("   ");
  errors_.PopProcedure();
  EXPECT_EQ(errors_.PROCNAMES->size(), 2u);
}

TEST_F(ErrorManagerTest, NamesPushedOnTwoThreadsAtOnceStayApart) {
  constexpr int kDepth = 200;
  std::atomic<bool> go{false};
  std::atomic<int> mismatches{0};
  auto worker = [&](const std::string& prefix) {
    while (!go) std::this_thread::yield();
    for (int i = 0; i < kDepth; ++i) {
      errors_.PushProcedure(prefix + std::to_string(i));
      if (errors_.CurrentProcedure() != prefix + std::to_string(i)) ++mismatches;
    }
    for (int i = kDepth - 1; i >= 0; --i) {
      if (errors_.CurrentProcedure() != prefix + std::to_string(i)) ++mismatches;
      errors_.PopProcedure();
    }
  };
  std::thread a(worker, "PageA");
  std::thread b(worker, "PageB");
  go = true;
  a.join();
  b.join();
  EXPECT_EQ(mismatches, 0);
  EXPECT_TRUE(errors_.PROCNAMES->empty());
}

TEST_F(ErrorManagerTest, KillTwiceIsHarmless) {
  errors_.Kill();
  errors_.Kill();
  EXPECT_EQ(errors_.Report(2), LevelOk);
  errors_.PushProcedure("After");
  EXPECT_EQ(errors_.CurrentProcedure(), "");
}

}  // namespace
