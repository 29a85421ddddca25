#include "runtime/view/Program.h"

#include <sys/resource.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "runtime/core/Journal.h"
#include "runtime/core/Threads.h"
#include "runtime/core/Runtime.h"
#include "runtime/driver/ScriptDriver.h"
#include "runtime/flush/Flush.h"
#include "runtime/os/Process.h"
#include "runtime/view/QtView.h"
#include "runtime/view/Units.h"

namespace wdrt {
namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform warns about what it cannot pass on to a screen; that is harmless noise.
void FilterQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains("propagateSizeHints")) return;
  // Nor can it shape windows; the view keeps the shape in the widget all the same.
  if (message.contains("does not support setting window masks")) return;
  if (previousHandler) previousHandler(type, context, message);
}

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

}  // namespace

bool HasDisplay() { return Set("DISPLAY") || Set("WAYLAND_DISPLAY") || Set("QT_QPA_PLATFORM"); }

int RunProgram(int argc, char** argv, std::function<void()> mainProcedure) {
  SetCommandLine(argc, argv);
  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "Storyloom needs a desktop to show its windows and none was found (DISPLAY and "
                 "WAYLAND_DISPLAY are empty); start it from a desktop session, or without one under "
                 "Xvfb: xvfb-run -a %s\n",
                 argc > 0 ? argv[0] : "storyloom");
    return 2;
  }
  MarkGuiThread();
  previousHandler = qInstallMessageHandler(FilterQtMessages);
  QApplication app(argc, argv);
  app.setQuitOnLastWindowClosed(false);
  view::InstallFontSubstitutions();
  // The view is never destroyed: procedure threads may still hold it while the program ends.
  auto* qtView = new view::QtView;
  SetViewPort(qtView);
  JournalLine("program-start " + JournalQuote(argc > 0 ? argv[0] : ""));
  StartScriptDriver();
  Start([mainProcedure = std::move(mainProcedure), qtView] {
    mainProcedure();
    // A print job on its way goes whole to the printer before the program ends; its window
    // stays up meanwhile. Then the other procedure threads end with their windows.
    WaitForFlushesToHandOver();
    CloseDownOtherThreads();
    qtView->Quit(0);
  }, 25000);
  const int code = app.exec();
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  JournalLine("program-end " + std::to_string(code) + " maxrss-kb " + std::to_string(usage.ru_maxrss));
  SetViewPort(nullptr);
  // A procedure thread still at work would use what the program's end destroys: end at once
  // rather than crash under it.
  if (!WaitForProcedureThreads(-1, std::chrono::seconds(5))) {
    std::fflush(nullptr);
    std::_Exit(code);
  }
  // Ended threads still destroy their thread-local data (Qt's among it) as they go: they must
  // be gone before the program's end destroys what that data refers to.
  JoinEndedProcedureThreads();
  EndScriptDriver();
  return code;
}

}  // namespace wdrt
