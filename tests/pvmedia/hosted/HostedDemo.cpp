// A program of the runtime that hosts each control of the media library in a window and
// prints what it observed as "RESULT <name> <value>" lines: the hosted-control tests run it,
// one scenario per run: browser, editor, pdf, media, flash, memory.
// Usage: pvhosted_demo <scenario> <work folder> [screenshot folder]
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "TestData.h"
#include "pvmedia/PvBrowser.h"
#include "pvmedia/PvFlash.h"
#include "pvmedia/PvHtmlEditor.h"
#include "pvmedia/PvMedia.h"
#include "pvmedia/PvPDF.h"
#include "runtime/core/Runtime.h"
#include "runtime/core/ViewPort.h"
#include "runtime/os/OleControl.h"
#include "runtime/view/Program.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::string workDir;
std::string shotDir;

void Result(const std::string& name, const std::string& value) {
  std::printf("RESULT %s %s\n", name.c_str(), value.c_str());
  std::fflush(stdout);
}

wdrt::WindowDef HostWindow(const std::string& title, int controls) {
  wdrt::WindowDef def;
  def.module = "pvhosted";
  def.title = title;
  def.size = {0, 0, 320, 220};
  for (int i = 0; i < controls; ++i) {
    wdrt::ControlDef control;
    control.type = wdrt::TypeOle;
    control.use = "?HOST" + std::to_string(i + 1);
    control.pos = controls == 1 ? wdrt::Geometry{4, 4, 312, 212} : wdrt::Geometry{4 + i * 158, 4, 154, 212};
    def.controls.push_back(control);
  }
  return def;
}

void Shot(const wdrt::WindowPtr& window, const std::string& name) {
  if (shotDir.empty() || !wdrt::GetViewPort()) return;
  std::this_thread::sleep_for(500ms);  // let the engine paint
  const std::string file = shotDir + "/" + name + ".png";
  Result("screenshot", wdrt::GetViewPort()->Screenshot(window, file) ? file : "failed");
}

// Waits for `done` on the calling thread, at most `limit`.
template <typename F> bool WaitFor(F done, std::chrono::milliseconds limit) {
  const auto end = Clock::now() + limit;
  while (Clock::now() < end) {
    if (done()) return true;
    std::this_thread::sleep_for(50ms);
  }
  return done();
}

// A browser that records its events and cancels navigations to pages named "blocked".
class RecordingBrowser : public PvBrowser {
 public:
  std::int32_t EventCallback(std::int32_t event, const std::vector<std::string>& parameters) override {
    std::lock_guard lock(mutex);
    events.push_back({event, parameters});
    if (event == 250 && !parameters.empty() && parameters[0].find("blocked") != std::string::npos) return 1;
    return 0;
  }
  bool Seen(int event, const std::string& containing) {
    std::lock_guard lock(mutex);
    for (const auto& [number, parameters] : events)
      for (const std::string& p : parameters)
        if (number == event && p.find(containing) != std::string::npos) return true;
    return false;
  }
  std::string Parameter(int event, std::size_t index) {
    std::lock_guard lock(mutex);
    for (auto it = events.rbegin(); it != events.rend(); ++it)
      if (it->first == event && it->second.size() > index) return it->second[index];
    return {};
  }
  std::mutex mutex;
  std::vector<std::pair<int, std::vector<std::string>>> events;
};

void BrowserScenario() {
  hostedtest::WriteText(workDir + "/first.html",
                        "<html><head><title>Storyloom first page</title></head><body style='font:24px sans-serif'>"
                        "<h1>Hello from the browser</h1><p>A local page.</p><a href='blocked.html'>blocked</a>"
                        "</body></html>");
  hostedtest::WriteText(workDir + "/blocked.html", "<html><head><title>Blocked page</title></head></html>");
  const wdrt::WindowPtr window = wdrt::Open(HostWindow("Browser", 2));
  RecordingBrowser first;
  first.Init(1, 0, 0, 0, "");
  Result("created", std::to_string(first.COMCONTROLCREATED));
  RecordingBrowser second;
  second.Init(2, 0, 0, 0, "");
  Result("objectq_two_browsers", std::to_string(pv::ObjectQCount()));
  first.Load(workDir + "/first.html", 0, 1);
  const bool complete = WaitFor([&] { return first.Seen(101, "first.html"); }, 60s);
  Result("navigatecomplete", complete ? "1" : "0");
  Result("title", first.Parameter(101, 1));
  Result("event_name", first.TranslateEventID(101));
  second.Load("!not-a-page", 0, 1);
  Shot(window, "browser");
  first.Load(workDir + "/blocked.html", 0, 1);
  const bool asked = WaitFor([&] { return first.Seen(250, "blocked.html"); }, 60s);
  std::this_thread::sleep_for(1500ms);
  Result("blocked_asked", asked ? "1" : "0");
  Result("blocked_completed", first.Seen(101, "blocked.html") ? "1" : "0");
  first.GetInfo();
  Result("url_after_cancel", first.URL);
  first.Kill(0);
  Result("objectq_after_first_kill", std::to_string(pv::ObjectQCount()));
  second.Kill(0);
  Result("objectq_after_second_kill", std::to_string(pv::ObjectQCount()));
  wdrt::Close(window);
}

void EditorScenario() {
  hostedtest::WriteText(workDir + "/edit.html",
                        "<html><head><title>Editor page</title></head><body style='font:22px sans-serif'>"
                        "<p>Hello editing world</p></body></html>");
  const wdrt::WindowPtr window = wdrt::Open(HostWindow("Editor", 1));
  PvHtmlEditor editor;
  editor.Init(1);
  editor.Load(workDir + "/edit.html");
  Result("created", std::to_string(editor.OCXCREATED));
  editor.Edit("SelectText(\"editing\")");
  editor.Edit(1);  // bold
  editor.InsertHTML("<i>inserted</i>", 4);
  editor.Save(workDir + "/saved.html", 1);
  const std::string saved = hostedtest::ReadText(workDir + "/saved.html");
  // The inserted HTML goes at the end of the selection's element, inside the bold text.
  Result("saved_bold", saved.find("<b>editing") != std::string::npos ||
                               saved.find("<strong>editing") != std::string::npos ? "1" : "0");
  Result("saved_inserted", saved.find("<i>inserted</i>") != std::string::npos ? "1" : "0");
  editor.Html2Settings("#FFEEAA");
  std::string html;
  editor.Save("", 2, &html);
  const bool coloured = html.find("bgcolor=\"#FFEEAA\"") != std::string::npos;
  Result("background", coloured ? "1" : "0");
  if (!coloured) Result("background_html", html.substr(0, 300));
  Shot(window, "editor");
  editor.Kill();
  wdrt::Close(window);
}

void PdfScenario() {
  const std::string file = workDir + "/two.pdf";
  bool written = false;
  wdrt::RunOnGuiThread([&] { written = hostedtest::WritePdf(file, 2); });
  Result("written", written ? "1" : "0");
  const wdrt::WindowPtr window = wdrt::Open(HostWindow("PDF", 1));
  PvPDF pdf;
  pdf.Init(1);
  Result("version", pdf.OCXVersion("pdf"));
  Result("loaded", std::to_string(pdf.Load(file, 0, 1)));
  pdf.GetInfo();
  Result("pages", std::to_string(pdf.pageCount));
  pdf.Navigate(5, 2);
  pdf.GetInfo();
  Result("page_after_goto", std::to_string(pdf.currentPage));
  pdf.Navigate(5, 0);
  pdf.GetInfo();
  Result("page_after_goto_0", std::to_string(pdf.currentPage));
  Shot(window, "pdf");
  pdf.Navigate(1, 0);
  pdf.GetInfo();
  Result("page_after_first", std::to_string(pdf.currentPage));
  pdf.Kill();
  wdrt::Close(window);
}

void MediaScenario() {
  const std::string file = workDir + "/tone.wav";
  hostedtest::WriteWav(file, 1.5);
  const wdrt::WindowPtr window = wdrt::Open(HostWindow("Media", 1));
  PvMedia media;
  media.Init(1);
  media.MEDAUTOSTART = 1;
  media.MEDREPEATTIMES = 1;  // 0 would play it again and again
  media.Load(file, 0, 1);
  double maximum = 0;
  int samples = 0;
  const auto start = Clock::now();
  bool ended = false;
  WaitFor([&] {
    const double position = std::atof(media.GetInfo("CurrentPosition").c_str());
    if (position > maximum) {
      maximum = position;
      ++samples;
    }
    ended = maximum > 0 && media.GetInfo("PlayState") == "0";
    return ended;
  }, 60s);
  Result("duration", media.GetInfo("Duration"));
  Result("max_position", std::to_string(maximum));
  Result("advances", std::to_string(samples));
  Result("ended", ended ? "1" : "0");
  Result("seconds", std::to_string(std::chrono::duration<double>(Clock::now() - start).count()));
  Result("volume", media.GetInfo("Volume"));
  Result("error", media.GetInfo("Error").empty() ? "none" : media.GetInfo("Error"));
  media.Kill();
  wdrt::Close(window);
}

void FlashScenario() {
  ::chdir(workDir.c_str());
  // Five frames a second apart: the movie still plays when it is asked, however slowly a loaded
  // machine gets from its loading to the question (at ten a second it had ended within 0.5 s).
  hostedtest::WriteSwf(workDir + "/movie.swf", 5, 1);
  const wdrt::WindowPtr window = wdrt::Open(HostWindow("Flash", 1));
  PvFlash flash;
  flash.Init(1);
  Result("version", flash.OCXVersion("flash"));
  flash.Load("movie.swf", 0, 1);
  Result("loaded", std::to_string(flash.LOADCALLED));
  flash.GetInfo();
  Result("total_frames", std::to_string(flash.FLASHTOTALFRAMES));
  Result("playing", std::to_string(flash.FLASHPLAYING));
  flash.Pause();
  flash.GetInfo();
  Result("playing_after_pause", std::to_string(flash.FLASHPLAYING));
  Shot(window, "flash");
  flash.Kill();
  wdrt::Close(window);
}

// The editor's dialogs, each answered by the script: the control is made by the first
// operation that needs it, then find, font, picture properties, a link's address, a picture
// prompt cancelled, a key pressed in the document, and printing with the printer dialog.
void EditorDialogsScenario() {
  const wdrt::WindowPtr window = wdrt::Open(HostWindow("Editor", 1));
  PvHtmlEditor editor;
  editor.Init(1);
  editor.Save(workDir + "/before-load.html", 1);
  Result("created_by_save", std::to_string(editor.CONTROLOBJECTCREATED));
  Result("saved_before_load", hostedtest::ReadText(workDir + "/before-load.html").find("<body") != std::string::npos ? "1" : "0");
  hostedtest::WriteText(workDir + "/red.png", hostedtest::RedPng());
  hostedtest::WriteText(workDir + "/edit.html",
                        "<html><head><title>Editor page</title></head><body style='font:22px sans-serif'>"
                        "<p>Hello editing world</p><p>Second line</p><img src='red.png'></body></html>");
  editor.Load(workDir + "/edit.html");
  editor.Edit(8);  // find: the script looks for "Second"
  Result("found", editor.GetInfo1("SelectionText"));
  editor.Edit("SelectText(\"editing\")");
  editor.Edit(9);  // font
  editor.Edit("SelectElement(\"img\")");
  editor.Edit(35);  // properties of the picture
  editor.Edit("SelectText(\"Hello\")");
  editor.Edit(10);  // a link: the script gives the address
  editor.Edit(11);  // a picture: the script cancels
  std::string html;
  editor.Save("", 2, &html);
  const std::size_t font = html.find("Liberation Serif");
  Result("font", font != std::string::npos && html.find("18pt") != std::string::npos &&
                         html.find("editing", font) != std::string::npos ? "1" : "0");
  Result("picture_alt", html.find("alt=\"A red square\"") != std::string::npos ? "1" : "0");
  Result("link", html.find("href=\"https://www.storyloom.example/\">Hello") != std::string::npos ? "1" : "0");
  std::size_t pictures = 0;
  for (std::size_t at = html.find("<img"); at != std::string::npos; at = html.find("<img", at + 1)) ++pictures;
  Result("pictures", std::to_string(pictures));
  Shot(window, "editor-dialogs");
  Result("key_ready", "1");
  WaitFor([&] { return editor.KeyPressed() != 0; }, 60s);
  Result("key", std::to_string(editor.KeyPressed()));
  editor.PrintMe(1);
  editor.Kill();
  wdrt::Close(window);
}

// The media player's transport shown, then hidden; its about box.
void TransportScenario() {
  const std::string file = workDir + "/tone.wav";
  hostedtest::WriteWav(file, 1.5);
  const wdrt::WindowPtr window = wdrt::Open(HostWindow("Media", 1));
  PvMedia media;
  media.Init(1);
  media.MEDSHOWTOOLBAR = 1;
  media.MEDREPEATTIMES = 1;
  media.Load(file, 0, 1);
  Result("controls_shown", media.GetInfo("ShowControls"));
  Shot(window, "transport-shown");
  media.MEDSHOWTOOLBAR = 0;
  media.Update("ShowControls");
  Result("controls_hidden", media.GetInfo("ShowControls"));
  Shot(window, "transport-hidden");
  media.ShowAboutBox();
  media.Kill();
  wdrt::Close(window);
}

// The PDF viewer's tool bar shown and hidden, and printing through the printer dialog.
void PdfToolbarScenario() {
  const std::string file = workDir + "/two.pdf";
  wdrt::RunOnGuiThread([&] { hostedtest::WritePdf(file, 2); });
  const wdrt::WindowPtr window = wdrt::Open(HostWindow("PDF", 1));
  PvPDF pdf;
  pdf.Init(1);
  pdf.PDFTOOLBAR = 1;
  Result("loaded", std::to_string(pdf.Load(file, 0, 1)));
  pdf.Navigate(5, 2);
  pdf.GetInfo();
  Result("toolbar_shown", std::to_string(pdf.PDFTOOLBAR));
  Shot(window, "pdf-toolbar");
  pdf.PDFTOOLBAR = 0;
  pdf.Reload();
  pdf.GetInfo();
  Result("toolbar_hidden", std::to_string(pdf.PDFTOOLBAR));
  Shot(window, "pdf-no-toolbar");
  Result("printed", std::to_string(pdf.PrintMe1()));
  pdf.Kill();
  wdrt::Close(window);
}

// The Flash settings reach the player; without looping the movie stops on its last frame;
// the movie is sent to frame 3, back one and forward two, its frame read back each time.
void FlashSettingsScenario() {
  ::chdir(workDir.c_str());
  hostedtest::WriteSwf(workDir + "/movie.swf", 5, 10);
  const wdrt::WindowPtr window = wdrt::Open(HostWindow("Flash", 1));
  PvFlash flash;
  flash.Init(1);
  flash.FLASHLOOP = 0;
  flash.Load("movie.swf", 0, 1);
  flash.FLASHQUALITY = 5;
  flash.FLASHSCALEMODE = 3;
  flash.FLASHALIGNMODE = 5;
  flash.FLASHBACKGROUNDCOLOR = 0xFF0000;
  for (const char* setting : {"Quality", "ScaleMode", "AlignMode", "BackgroundColor"}) flash.Update(setting);
  Result("options", flash.GetInfo("LoadOptions"));
  flash.Play();
  const bool stopped = WaitFor([&] { return flash.GetInfo("Playing") == "0"; }, 60s);
  Result("stopped_at_end", stopped ? "1" : "0");
  flash.GetInfo();
  Result("quality", std::to_string(flash.FLASHQUALITY));
  Result("align", std::to_string(flash.FLASHALIGNMODE));
  flash.Navigate(3, 3);
  Result("frame_after_goto", std::to_string(flash.FlashCurrentFrame()));
  Shot(window, "flash-settings");
  flash.Navigate(2, 1);
  Result("frame_after_back", std::to_string(flash.CurrentFrame()));
  flash.Navigate(1, 2);
  Result("frame_after_forward", std::to_string(flash.CurrentFrame()));
  flash.Kill();
  wdrt::Close(window);
}

// A window a person uses: the PDF on its second page until the window is closed; resizing
// the window resizes the control, and the viewer with it.
void ViewerScenario() {
  const std::string file = workDir + "/two.pdf";
  wdrt::RunOnGuiThread([&] { hostedtest::WritePdf(file, 2); });
  wdrt::WindowDef def = HostWindow("PDF viewer", 1);
  const wdrt::WindowPtr window = wdrt::Open(def);
  PvPDF pdf;
  pdf.Init(1);
  pdf.Load(file, 0, 1);
  pdf.Navigate(5, 2);
  wdrt::Event event;
  while (wdrt::Accept(window, event)) {
    if (event.number == wdrt::EventSized) pdf.AutoSize(1, 4, 0, 0);
    // Read while the control still lives: closing the window destroys it.
    if (event.number == wdrt::EventCloseWindow) pdf.GetInfo();
    wdrt::DefaultHandling(window, event);
  }
  Result("page_at_close", std::to_string(pdf.currentPage));
  pdf.Kill();
}

long ResidentKb() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void MemoryScenario() {
  hostedtest::WriteText(workDir + "/page.html", "<html><head><title>Memory</title></head><body>x</body></html>");
  for (int round = 1; round <= 20; ++round) {
    const wdrt::WindowPtr window = wdrt::Open(HostWindow("Memory", 1));
    RecordingBrowser browser;
    browser.Init(1, 0, 0, 0, "");
    browser.Load(workDir + "/page.html", 0, 1);
    WaitFor([&] { return browser.Seen(101, "page.html"); }, 60s);
    browser.Kill(0);
    wdrt::Close(window);
    std::this_thread::sleep_for(200ms);
    Result("rss_kb_" + std::to_string(round), std::to_string(ResidentKb()));
  }
  Result("components_left", std::to_string(wdrt::OleCount()));
  Result("objectq_left", std::to_string(pv::ObjectQCount()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s browser|editor|pdf|media|flash|memory <work folder> [screenshots]\n", argv[0]);
    return 2;
  }
  const std::string scenario = argv[1];
  workDir = argv[2];
  if (argc > 3) shotDir = argv[3];
  return wdrt::RunProgram(1, argv, [scenario] {
    if (scenario == "browser") BrowserScenario();
    else if (scenario == "editor") EditorScenario();
    else if (scenario == "pdf") PdfScenario();
    else if (scenario == "media") MediaScenario();
    else if (scenario == "flash") FlashScenario();
    else if (scenario == "memory") MemoryScenario();
    else if (scenario == "viewer") ViewerScenario();
    else if (scenario == "editor-dialogs") EditorDialogsScenario();
    else if (scenario == "transport") TransportScenario();
    else if (scenario == "pdf-toolbar") PdfToolbarScenario();
    else if (scenario == "flash-settings") FlashSettingsScenario();
    Result("done", scenario);
  });
}
