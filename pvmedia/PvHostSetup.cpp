// What the hosted controls need before the program makes its application object: a web view
// shares its graphics context with the other windows, and on the offscreen platform (no GPU,
// no display) the scenes of the web views are drawn in software.
#include <QCoreApplication>
#include <cstdlib>
#include <cstring>

namespace {

struct HostSetup {
  HostSetup() {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && std::strcmp(platform, "offscreen") == 0) ::setenv("QT_QUICK_BACKEND", "software", 0);
  }
};

const HostSetup hostSetup;

}  // namespace
