// Registration of the hosted components when the media library loads this module, and the
// version texts the media library reports for them.
#include <QtMultimediaVersion>
#include <QtPdfVersion>
#include <QtWebEngineCoreVersion>
#include <memory>
#include <string>

#include "BrowserComponent.h"
#include "EditorComponent.h"
#include "FlashComponent.h"
#include "HostedSupport.h"
#include "MediaComponent.h"
#include "PdfComponent.h"

namespace {

struct Registration {
  Registration() {
    wdrt::RegisterOleServer("Shell.Explorer.2", [] { return std::make_unique<pvhosted::BrowserComponent>(); });
    wdrt::RegisterOleServer("DHTMLEdit.DHTMLEdit.1", [] { return std::make_unique<pvhosted::EditorComponent>(); });
    wdrt::RegisterOleServer("PDF.PDFCtrl.1", [] { return std::make_unique<pvhosted::PdfComponent>(); });
    wdrt::RegisterOleServer("MediaPlayer.MediaPlayer.1", [] { return std::make_unique<pvhosted::MediaComponent>(); });
    if (!pvhosted::RuffleFolder().empty())
      wdrt::RegisterOleServer("ShockwaveFlash.ShockwaveFlash.1",
                              [] { return std::make_unique<pvhosted::FlashComponent>(); });
  }
};

const Registration registration;
thread_local std::string versionText;

}  // namespace

extern "C" __attribute__((visibility("default"))) const char* pvhosted_version(const char* progId) {
  const std::string id = progId ? progId : "";
  versionText.clear();
  if (id == "Shell.Explorer.2" || id == "DHTMLEdit.DHTMLEdit.1")
    versionText = "Qt WebEngine " QTWEBENGINECORE_VERSION_STR;
  else if (id == "PDF.PDFCtrl.1")
    versionText = "Qt PDF " QTPDF_VERSION_STR;
  else if (id == "MediaPlayer.MediaPlayer.1")
    versionText = "Qt Multimedia " QTMULTIMEDIA_VERSION_STR;
  else if (id == "ShockwaveFlash.ShockwaveFlash.1" && wdrt::OleServerRegistered(id))
    versionText = "Ruffle " + pvhosted::RuffleVersion();
  return versionText.c_str();
}
