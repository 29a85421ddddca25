// Each hosted control in a window of the runtime, headless: the tests run the hosting
// program (pvhosted_demo) once per control and check what it observed.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "tests/report/ReportTestSupport.h"

namespace {

namespace fs = std::filesystem;

struct ScenarioRun {
  int exitCode = -1;
  std::map<std::string, std::string> results;
  std::string errors;
  std::string debug;
};

fs::path TestFolder() {
  std::string pattern = (fs::temp_directory_path() / "storyloom-hosted-XXXXXX").string();
  return ::mkdtemp(pattern.data());
}

ScenarioRun RunScenario(const std::string& scenario, const fs::path& folder, int timeoutSeconds = 180,
                        const std::string& script = "") {
  const fs::path program = fs::read_symlink("/proc/self/exe").parent_path() / "pvhosted_demo";
  fs::create_directories(folder / "xdg");
  fs::permissions(folder / "xdg", fs::perms::owner_all);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  environment.insert("XDG_RUNTIME_DIR", QString::fromStdString((folder / "xdg").string()));
  environment.insert("XDG_CONFIG_HOME", QString::fromStdString((folder / "config").string()));
  environment.insert("WDRT_DEBUG_OUTPUT", QString::fromStdString((folder / "debug.txt").string()));
  // The web engine's own library frees some objects with a size of a base class; it is not
  // built with the address checker, so the checker's size comparison only misreads it.
  const QString asan = environment.value("ASAN_OPTIONS");
  environment.insert("ASAN_OPTIONS", (asan.isEmpty() ? QString() : asan + ":") + "new_delete_type_mismatch=0");
  if (!script.empty()) {
    std::ofstream(folder / "script.txt") << script;
    environment.insert("WDRT_SCRIPT", QString::fromStdString((folder / "script.txt").string()));
    environment.insert("WDRT_JOURNAL", QString::fromStdString((folder / "journal.txt").string()));
  }
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(QString::fromStdString(program.string()),
                {QString::fromStdString(scenario), QString::fromStdString(folder.string()),
                 QString::fromStdString(folder.string())});
  ScenarioRun run;
  if (!process.waitForFinished(timeoutSeconds * 1000)) {
    process.kill();
    process.waitForFinished(5000);
  } else if (process.exitStatus() == QProcess::NormalExit) {
    run.exitCode = process.exitCode();
  }
  std::istringstream out(process.readAllStandardOutput().toStdString());
  for (std::string line; std::getline(out, line);) {
    if (line.rfind("RESULT ", 0) != 0) continue;
    const std::size_t space = line.find(' ', 7);
    run.results[line.substr(7, space - 7)] = space == std::string::npos ? "" : line.substr(space + 1);
  }
  run.errors = process.readAllStandardError().toStdString();
  std::ifstream debug(folder / "debug.txt");
  std::ostringstream text;
  text << debug.rdbuf();
  run.debug = text.str();
  return run;
}

class HostedControls : public ::testing::Test {
 protected:
  void SetUp() override { folder_ = TestFolder(); }
  void TearDown() override {
    std::error_code error;
    if (!HasFailure()) fs::remove_all(folder_, error);
  }
  ScenarioRun Scenario(const std::string& name) {
    ScenarioRun run = RunScenario(name, folder_);
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.results["done"], name) << run.errors;
    return run;
  }
  fs::path folder_;
};

TEST_F(HostedControls, BrowserShowsALocalPageAndLetsTheApplicationCancel) {
  ScenarioRun run = Scenario("browser");
  EXPECT_EQ(run.results["created"], "1");
  EXPECT_EQ(run.results["objectq_two_browsers"], "1");  // two browsers of one window share one entry
  EXPECT_EQ(run.results["navigatecomplete"], "1");
  EXPECT_EQ(run.results["title"], "Storyloom first page");
  EXPECT_EQ(run.results["event_name"], "pv:NAVIGATECOMPLETE");
  EXPECT_EQ(run.results["blocked_asked"], "1");
  EXPECT_EQ(run.results["blocked_completed"], "0");
  EXPECT_EQ(run.results["url_after_cancel"], "file://" + folder_.string() + "/first.html");
  EXPECT_EQ(run.results["objectq_after_first_kill"], "1");
  EXPECT_EQ(run.results["objectq_after_second_kill"], "0");
  EXPECT_TRUE(fs::file_size(folder_ / "browser.png") > 0);
  if (::geteuid() == 0) {
    EXPECT_NE(run.debug.find("running as root: the web engine runs without its sandbox (--no-sandbox)"),
              std::string::npos);
  }
}

TEST_F(HostedControls, EditorMakesTheSelectionBoldAndSavesIt) {
  ScenarioRun run = Scenario("editor");
  EXPECT_EQ(run.results["created"], "1");
  EXPECT_EQ(run.results["saved_bold"], "1");
  EXPECT_EQ(run.results["saved_inserted"], "1");
  EXPECT_EQ(run.results["background"], "1") << run.results["background_html"] << "\n" << run.debug;
}

TEST_F(HostedControls, PdfViewerOpensTwoPagesAndGoesToTheSecond) {
  ScenarioRun run = Scenario("pdf");
  EXPECT_EQ(run.results["written"], "1");
  EXPECT_EQ(run.results["version"], "Acrobat 4");
  EXPECT_EQ(run.results["loaded"], "1");
  EXPECT_EQ(run.results["pages"], "2");
  EXPECT_EQ(run.results["page_after_goto"], "2");
  EXPECT_EQ(run.results["page_after_goto_0"], "2");  // page 0: nothing happens
  EXPECT_EQ(run.results["page_after_first"], "1");
}

TEST_F(HostedControls, MediaPlayerPlaysAToneToItsEnd) {
  ScenarioRun run = Scenario("media");
  EXPECT_EQ(run.results["error"], "none");
  EXPECT_EQ(run.results["duration"], "1.500");
  EXPECT_GE(std::stod(run.results["max_position"]), 1.3);
  EXPECT_GE(std::stoi(run.results["advances"]), 5);  // the position moved on while it played
  EXPECT_EQ(run.results["ended"], "1");
  EXPECT_EQ(run.results["volume"], "-600");
}

TEST_F(HostedControls, FlashPlayerLoadsAMovieAndCountsItsFrames) {
  const bool ruffle = fs::exists(fs::path(STORYLOOM_SUITE_DIR) / "ruffle" / "ruffle.js");
  ScenarioRun run = Scenario("flash");
  if (!ruffle) {
    EXPECT_EQ(run.results["version"], "Not found");
    EXPECT_EQ(run.results["loaded"], "0");
    GTEST_SKIP() << "the Flash player was not fetched: the control reports itself missing";
  }
  EXPECT_EQ(run.results["version"].rfind("Ruffle ", 0), 0u);
  EXPECT_EQ(run.results["loaded"], "1");
  EXPECT_EQ(run.results["total_frames"], "5");
  EXPECT_EQ(run.results["playing"], "1");
  EXPECT_EQ(run.results["playing_after_pause"], "0");
}

TEST_F(HostedControls, WindowWithABrowserOpenedAndClosedTwentyTimesDoesNotGrow) {
  ScenarioRun run = Scenario("memory");
  EXPECT_EQ(run.results["components_left"], "0");
  EXPECT_EQ(run.results["objectq_left"], "0");
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the address checker keeps freed memory in quarantine: resident size says nothing here";
#endif
  // The first rounds start the engine; after that a round may not keep what it used.
  const long second = std::stol(run.results["rss_kb_2"]);
  const long last = std::stol(run.results["rss_kb_20"]);
  EXPECT_LT(last - second, 8 * 1024) << "resident kB after round 2: " << second << ", after 20: " << last;
}

void ExpectResults(ScenarioRun& run, const std::vector<std::pair<std::string, std::string>>& expected) {
  for (const auto& [name, value] : expected) EXPECT_EQ(run.results[name], value) << name;
}

std::string ReadFile(const fs::path& file) {
  std::ifstream in(file);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Tests that print, on the private printer of the suite's tests.
class HostedPrinting : public HostedControls {
 protected:
  static void SetUpTestSuite() { printer_ = new reporttest::PrivatePrinter(); }
  static void TearDownTestSuite() {
    delete printer_;
    printer_ = nullptr;
  }
  void SetUp() override {
    HostedControls::SetUp();
    ASSERT_TRUE(printer_->Ok());
    printer_->ForgetJob();
  }
  ScenarioRun Scripted(const std::string& name, const std::string& script) {
    ScenarioRun run = RunScenario(name, folder_, 150, script);
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.results["done"], name) << run.errors;
    journal_ = ReadFile(folder_ / "journal.txt");
    EXPECT_EQ(journal_.find("script-failed"), std::string::npos) << journal_;
    return run;
  }
  bool Journalled(const std::string& text) const { return journal_.find(text) != std::string::npos; }
  static reporttest::PrivatePrinter* printer_;
  std::string journal_;
};
reporttest::PrivatePrinter* HostedPrinting::printer_ = nullptr;

TEST_F(HostedPrinting, EditorDialogsAreAnsweredAndWhatWasChosenReachesTheDocument) {
  const std::string script = "wait-window \"Editor\"\n"
                             "answer Ok text=Second\n"
                             "answer Ok face=\"Liberation Serif\" size=18 bold=1\n"
                             "answer Ok alt=\"A red square\" border=2\n"
                             "answer Ok url=\"https://www.storyloom.example/\"\n"
                             "answer Cancel\n"
                             "expect \"form-dialog .Picture. -> Cancel\"\n"
                             "key \"Editor\" A\n"
                             "answer Ok printer=" + printer_->Queue() + "\n";
  ScenarioRun run = Scripted("editor-dialogs", script);
  // The first operation that needed the control (a save before any load) made it; the
  // cancelled picture prompt added no picture.
  ExpectResults(run, {{"created_by_save", "1"}, {"saved_before_load", "1"}, {"found", "Second"}, {"font", "1"},
                      {"picture_alt", "1"}, {"link", "1"}, {"pictures", "1"}, {"key", "65"}});
  EXPECT_TRUE(Journalled("form-dialog \"Find\" -> Ok text=\"Second\" case=\"0\""));
  EXPECT_TRUE(Journalled("font-dialog \"Font\" -> Ok face=\"Liberation Serif\" size=18 bold=1"));
  EXPECT_TRUE(Journalled("form-dialog \"Picture Properties\" -> Ok src=\"red.png\" alt=\"A red square\""));
  EXPECT_TRUE(Journalled("form-dialog \"Hyperlink\" -> Ok url=\"https://www.storyloom.example/\""));
  EXPECT_TRUE(Journalled("printer-dialog \"Print\" -> Ok \"" + printer_->Queue() + "\""));
  // The document came out of the printer chosen in the dialog.
  // The web engine prints its pages as pictures: the job holds the one page, without text.
  ASSERT_TRUE(printer_->WaitForJob(60)) << "no print job reached the chosen printer";
  EXPECT_EQ(reporttest::PdfPages(printer_->JobFile()), 1);
}

TEST_F(HostedPrinting, PdfToolbarShowsAndHidesAndPrintingAsksForThePrinter) {
  ScenarioRun run = Scripted("pdf-toolbar", "wait-window \"PDF\"\nanswer Ok printer=" + printer_->Queue() + "\n");
  EXPECT_EQ(run.results["loaded"], "1");
  EXPECT_EQ(run.results["toolbar_shown"], "1");
  EXPECT_EQ(run.results["toolbar_hidden"], "0");
  EXPECT_EQ(run.results["printed"], "1");
  EXPECT_TRUE(Journalled("printer-dialog \"Print\" -> Ok \"" + printer_->Queue() + "\""));
  ASSERT_TRUE(printer_->WaitForJob(60)) << "no print job reached the chosen printer";
  EXPECT_EQ(reporttest::PdfPages(printer_->JobFile()), 2);
  // With the tool bar the page sits lower: the first rows of the picture differ.
  const QImage shown(QString::fromStdString((folder_ / "pdf-toolbar.png").string()));
  const QImage hidden(QString::fromStdString((folder_ / "pdf-no-toolbar.png").string()));
  ASSERT_FALSE(shown.isNull());
  ASSERT_FALSE(hidden.isNull());
  EXPECT_NE(shown.copy(0, 0, shown.width(), 40), hidden.copy(0, 0, hidden.width(), 40));
}

TEST_F(HostedPrinting, MediaTransportShowsAndHidesAndTheAboutBoxIsAnswered) {
  ScenarioRun run = Scripted("transport", "wait-window \"Media\"\nanswer Ok\n");
  EXPECT_EQ(run.results["controls_shown"], "-1");
  EXPECT_EQ(run.results["controls_hidden"], "0");
  EXPECT_TRUE(Journalled("message \"About Media Player\""));
  const QImage shown(QString::fromStdString((folder_ / "transport-shown.png").string()));
  const QImage hidden(QString::fromStdString((folder_ / "transport-hidden.png").string()));
  ASSERT_FALSE(shown.isNull());
  ASSERT_FALSE(hidden.isNull());
  // The transport is a light bar at the foot of the black video area; hidden, black reaches the foot.
  const int y = shown.height() - 20;
  EXPECT_GT(shown.pixelColor(shown.width() / 2, y).lightness(), 100);
  EXPECT_LT(hidden.pixelColor(hidden.width() / 2, y).lightness(), 40);
}

TEST_F(HostedControls, FlashSettingsReachThePlayerItStopsOnItsLastFrameAndGoesToAFrame) {
  if (!fs::exists(fs::path(STORYLOOM_SUITE_DIR) / "ruffle" / "ruffle.js"))
    GTEST_SKIP() << "the Flash player was not fetched: the control reports itself missing";
  ScenarioRun run = Scenario("flash-settings");
  EXPECT_NE(run.results["options"].find("\"quality\":\"best\""), std::string::npos) << run.results["options"];
  EXPECT_NE(run.results["options"].find("\"scale\":\"noscale\""), std::string::npos);
  EXPECT_NE(run.results["options"].find("\"salign\":\"TL\""), std::string::npos);
  EXPECT_NE(run.results["options"].find("\"backgroundColor\":\"#ff0000\""), std::string::npos);
  EXPECT_NE(run.results["options"].find("\"loop\":\"0\""), std::string::npos);
  ExpectResults(run, {{"stopped_at_end", "1"}, {"quality", "5"}, {"align", "5"}, {"frame_after_goto", "3"},
                      {"frame_after_back", "2"}, {"frame_after_forward", "4"}});
}

TEST_F(HostedControls, ScriptedUserResizesAndClosesAPdfWindow) {
  const std::string dir = folder_.string();
  const std::string script = "wait-window \"PDF viewer\"\n"
                             "expect \"ole-create .PDF.PDFCtrl.1. -> ok\"\n"
                             "screenshot " + dir + "/viewer.png \"PDF viewer\"\n"
                             "resize \"PDF viewer\" 420 280\n"
                             "screenshot " + dir + "/viewer-resized.png \"PDF viewer\"\n"
                             "close \"PDF viewer\"\n";
  ScenarioRun run = RunScenario("viewer", folder_, 60, script);
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.results["page_at_close"], "2");
  std::ifstream journal(folder_ / "journal.txt");
  std::ostringstream text;
  text << journal.rdbuf();
  EXPECT_NE(text.str().find("ole-create \"PDF.PDFCtrl.1\" -> ok"), std::string::npos) << text.str();
  EXPECT_EQ(text.str().find("script-failed"), std::string::npos) << text.str();
  const QImage before(QString::fromStdString(dir + "/viewer.png"));
  const QImage after(QString::fromStdString(dir + "/viewer-resized.png"));
  ASSERT_FALSE(before.isNull());
  ASSERT_FALSE(after.isNull());
  EXPECT_GT(after.width(), before.width());
  // The viewer follows its control: the page's grey surround reaches the larger window's edge.
  const QColor corner = after.pixelColor(after.width() - 40, after.height() / 2);
  EXPECT_LT(corner.lightness(), 200) << "the viewer did not grow with its window";
}

}  // namespace
