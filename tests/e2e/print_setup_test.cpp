// The frames' "Print Setup..." opens the real printer dialog; what is chosen there becomes the
// program's current printer settings.
#include <gtest/gtest.h>

#include "BookRun.h"
#include "tests/report/ReportTestSupport.h"

namespace {

TEST(PrintSetup, TheChosenPrinterAndCopiesBecomeTheProgramsSettings) {
  reporttest::PrivatePrinter printer;  // sets CUPS_SERVER for the program it starts
  ASSERT_TRUE(printer.Ok());
  const std::string script = "press \"Storyloom\" \"P&rint Setup...\"\n"
                             "answer Ok printer=storyloom-test copies=2\n"
                             "expect \"printer-dialog \\\"Print Setup\\\" -> Ok \\\"storyloom-test\\\" copies=2\"\n"
                             "press \"Storyloom\" \"P&rint Setup...\"\n"
                             "answer Cancel\n"
                             "expect \"printer-dialog \\\"Print Setup\\\" -> Cancel\"\n"
                             "close \"Storyloom\"\n";
  e2e::RunResult run = e2e::RunBook("fete", script);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  int dialogs = 0;
  for (const std::string& line : run.journal) dialogs += e2e::Body(line).rfind("printer-dialog ", 0) == 0;
  EXPECT_EQ(dialogs, 2);
}

TEST(PrintSetup, WithoutAnyPrinterTheUserIsTold) {
  const std::string script = "press \"Storyloom\" \"P&rint Setup...\"\n"
                             "answer Ok\n"
                             "expect \"message \\\"Print Setup\\\" \\\"No printer is set up\"\n"
                             "close \"Storyloom\"\n";
  e2e::RunResult run = e2e::RunBook("fete", script, {"CUPS_SERVER=127.0.0.1:9"});
  ASSERT_EQ(run.exitCode, 0) << run.output;
}

}  // namespace
