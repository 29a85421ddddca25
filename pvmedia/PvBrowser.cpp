#include "pvmedia/PvBrowser.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "pvmedia/PvDUN.h"
#include "pvmedia/PvHosted.h"
#include "pvmedia/PvText.h"
#include "runtime/core/Runtime.h"
#include "runtime/core/Threads.h"
#include "runtime/os/OleControl.h"

namespace {

constexpr const char* kBrowserProgId = "Shell.Explorer.2";
constexpr int kEventPvCallback = 1030;

// The OLE initialiser: makes the hosted controls available to the thread's browsers.
struct PvOleIniter {
  bool IsInitialized() const { return initialized; }
  bool initialized = pv::LoadHostedControls() && wdrt::OleServerRegistered(kBrowserProgId);
};

// The OLE container of one window: where its browsers' control sites live.
struct PvOleContainer {
  std::weak_ptr<wdrt::Window> window;
  wdrt::Geometry rect;
};

struct ObjectQEntry {
  int thread = 0;
  std::int32_t windowHandle = 0;
  std::shared_ptr<PvOleContainer> container;
  std::shared_ptr<PvOleIniter> initer;
  int users = 0;  // browsers of the window that use the entry
};

std::mutex objectQMutex;
std::vector<ObjectQEntry>& ObjectQ() {
  static std::vector<ObjectQEntry> queue;
  return queue;
}

// Handles given out for the shared objects, so that the fields can show them.
std::int32_t NextHandle() {
  static std::atomic<std::int32_t> next{1};
  return next++;
}

const std::map<int, const char*>& EventNames() {
  static const std::map<int, const char*> names = {
      {100, "pv:BEFORENAVIGATE"}, {101, "pv:NAVIGATECOMPLETE"}, {102, "pv:STATUSTEXTCHANGE"}, {103, "pv:QUIT"},
      {104, "pv:DOWNLOADCOMPLETE"}, {105, "pv:COMMANDSTATECHANGE"}, {106, "pv:DOWNLOADBEGIN"},
      {107, "pv:NEWWINDOW"}, {108, "pv:PROGRESSCHANGE"}, {109, "pv:WINDOWMOVE"}, {110, "pv:WINDOWRESIZE"},
      {111, "pv:WINDOWACTIVATE"}, {112, "pv:PROPERTYCHANGE"}, {113, "pv:TITLECHANGE"},
      {200, "pv:FRAMEBEFORENAVIGATE"}, {201, "pv:FRAMENAVIGATECOMPLETE"}, {204, "pv:FRAMENEWWINDOW"},
      {225, "pv:PRINTTEMPLATEINSTANTIATION"}, {226, "pv:PRINTTEMPLATETEARDOWN"}, {227, "pv:UPDATEPAGESTATUS"},
      {250, "pv:BEFORENAVIGATE2"}, {251, "pv:NEWWINDOW2"}, {252, "pv:NAVIGATECOMPLETE2"}, {253, "pv:ONQUIT"},
      {254, "pv:ONVISIBLE"}, {255, "pv:ONTOOLBAR"}, {256, "pv:ONMENUBAR"}, {257, "pv:ONSTATUSBAR"},
      {258, "pv:ONFULLSCREEN"}, {259, "pv:DOCUMENTCOMPLETE"}, {260, "pv:ONTHEATERMODE"}, {261, "pv:ONADDRESSBAR"},
      {262, "pv:WINDOWSETRESIZABLE"}, {263, "pv:WINDOWCLOSING"}, {264, "pv:WINDOWSETLEFT"},
      {265, "pv:WINDOWSETTOP"}, {266, "pv:WINDOWSETWIDTH"}, {267, "pv:WINDOWSETHEIGHT"},
      {268, "pv:CLIENTTOHOSTWINDOW"}, {269, "pv:SETSECURELOCKICON"}, {270, "pv:FILEDOWNLOAD"},
      {271, "pv:NAVIGATEERROR"}, {272, "pv:PRIVACYIMPACTEDSTATECHANGE"}};
  return names;
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

namespace pv {
std::size_t ObjectQCount() {
  std::lock_guard lock(objectQMutex);
  return ObjectQ().size();
}
}  // namespace pv

PvBrowser::PvBrowser() : self_(std::make_shared<std::atomic<PvBrowser*>>(this)) {}

PvBrowser::~PvBrowser() { self_->store(nullptr); }

std::string PvBrowser::Call(const std::string& text) {
  if (COMCONTROLCREATED == 0) return {};
  return wdrt::OleCall(HostWindow(), CURRENTCONTROL, text);
}

void PvBrowser::Init(std::int32_t control, std::int32_t windowHandle, std::int32_t clientHandle,
                     std::uint8_t disableEvents, std::string_view firstPage) {
  DbgMsg("PvBrowser::Init - calling parent.init...", 0, 0, 0, 1);
  PvMaster::Init();
  DbgMsg("PvBrowser::Init - calling parent.init... - OK", 0, 0, 0, 1);
  CURRENTCONTROL = control;
  DbgMsg("PvBrowser::Init - self.CurrentControl == " + std::to_string(CURRENTCONTROL), 0, 0, 0, 1);
  if (CURRENTCONTROL == 0) {
    DbgMsg("PvBrowser::Init, Failed, self.CurrentControl = 0", 0, 0, 0, 1);
    return;
  }
  const wdrt::WindowPtr window = HostWindow();
  // A window's handle is its number in the runtime; the client area has the same.
  if (windowHandle == 0 && window) windowHandle = window->Id();
  if (clientHandle == 0 && window) clientHandle = window->Id();
  DbgMsg("PvBrowser::Init - Prop:Handle == " + std::to_string(windowHandle), 0, 0, 0, 1);
  DbgMsg("PvBrowser::Init - Prop:ClientHandle == " + std::to_string(clientHandle), 0, 0, 0, 1);
  if (windowHandle == 0 || clientHandle == 0 || !window) {
    DbgMsg("PvBrowser::Init - Failed, Problem with Handles", 0, 0, 0, 1);
    return;
  }
  OBJECTTYPE = "html3";

  const int thread = wdrt::Thread();
  std::shared_ptr<PvOleContainer> container;
  std::shared_ptr<PvOleIniter> initer;
  {
    std::lock_guard lock(objectQMutex);
    auto& queue = ObjectQ();
    DbgMsg("PvBrowser::Init - Checking ObjectQ", 0, 0, 0, 1);
    DbgMsg("PvBrowser::Init - Records in ObjectQ = " + std::to_string(queue.size()) + ", looking for thread " +
               std::to_string(thread), 0, 0, 0, 1);
    auto it = std::find_if(queue.begin(), queue.end(), [&](const ObjectQEntry& e) {
      return e.thread == thread && e.windowHandle == windowHandle;
    });
    if (it != queue.end()) {
      initer = it->initer;
      container = it->container;
      if (!initer) {
        DbgMsg("PvBrowser::Init - Failed, ObjectQ.OleIniter = 0", 0, 0, 0, 1);
        return;
      }
      DbgMsg("PvBrowser::Init - OleIniter ready", 0, 0, 0, 1);
      if (!container) {
        DbgMsg("PvBrowser::Init - Failed, ObjectQ.OleContainer = 0", 0, 0, 0, 1);
        return;
      }
      DbgMsg("PvBrowser::Init - OleContainer ready", 0, 0, 0, 1);
      ++it->users;
    } else {
      DbgMsg("PvBrowser::Init - new(PvOleIniter)", 0, 0, 0, 1);
      initer = std::make_shared<PvOleIniter>();
      DbgMsg("PvBrowser::Init - new(PvOleContainer)", 0, 0, 0, 1);
      container = std::make_shared<PvOleContainer>();
      container->window = window;
      queue.push_back({thread, windowHandle, container, initer, 1});
      DbgMsg("PvBrowser::Init - New entry added to ObjectQ, " + std::to_string(queue.size()) +
                 " records now in queue", 0, 0, 0, 1);
    }
  }
  objectQHandle_ = windowHandle;
  OLEINITER = NextHandle();
  OLECONTAINER = NextHandle();
  if (!initer->IsInitialized()) {
    DbgMsg("PvBrowser::Init - Failed on OleIniter.IsInitialized", 0, 0, 0, 1);
    return;
  }
  DbgMsg("PvBrowser::Init - Setting RECT position", 0, 0, 0, 1);
  container->rect = wdrt::GetPosition(window, CURRENTCONTROL);
  DbgMsg("PvBrowser::Init - new(PvOleControlSite)", 0, 0, 0, 1);
  OLECONTROLSITE = NextHandle();
  DbgMsg("PvBrowser::Init - new(WebBrowser)", 0, 0, 0, 1);
  if (!wdrt::OleCreate(window, CURRENTCONTROL, kBrowserProgId)) {
    DbgMsg("PvBrowser::Init - Failed on creating the browser control", 0, 0, 0, 1);
    OLECONTROLSITE = 0;
    return;
  }
  WEBBROWSER = NextHandle();
  COMCONTROLCREATED = 1;
  DbgMsg("PvBrowser::Init - self.ComControlCreated == " + std::to_string(COMCONTROLCREATED), 0, 0, 0, 1);
  if (disableEvents == 1) {
    DbgMsg("PvBrowser::Init - Registering callbacks... -Disabled", 0, 0, 0, 1);
  } else {
    DbgMsg("PvBrowser::Init - Registering callbacks...", 0, 0, 0, 1);
    std::weak_ptr<std::atomic<PvBrowser*>> weak = self_;
    wdrt::OleSetEventSink(window, CURRENTCONTROL, [weak](int event, const std::vector<std::string>& parameters) {
      const auto self = weak.lock();
      PvBrowser* browser = self ? self->load() : nullptr;
      return browser ? browser->OleControlSite_Invoke(event, parameters) : 0;
    });
    DbgMsg("PvBrowser::Init - OleControlSite.RegisterEventHandler -OK", 0, 0, 0, 1);
  }
  DbgMsg("PvBrowser::Init - Initialization complete.", 0, 0, 0, 1);
  if (!pv::TrimRight(firstPage).empty()) {
    DbgMsg("PvBrowser::Init - Loading Path: " + std::string(pv::TrimRight(firstPage)), 0, 0, 0, 1);
    LoadHtml3(firstPage);
  }
}

void PvBrowser::LoadHtml3(std::string_view path) {
  DbgMsg("PvBrowser::LoadHtml3 - Top, diverting to self.Load", 0, 0, 0, 1);
  Load(path, 0, 1);
}

void PvBrowser::Load(std::string_view path) { Load(path, 0, 1); }

void PvBrowser::Load(std::string_view path, std::int32_t control, std::uint8_t useOwn) {
  if (AUTODIALDEFAULTINTERNETCONNECTION != 0) {
    const std::uint8_t status = PV_ONLINESTATUS();
    if (status == 2) DbgMsg("PvBrowser::Load - Checking online status... - connected via LAN", 0, 0, 0, 1);
    if (status == 1) DbgMsg("PvBrowser::Load - Checking online status... - connected via Modem", 0, 0, 0, 1);
    if (status == 4) DbgMsg("PvBrowser::Load - Checking online status... - connected via Proxy", 0, 0, 0, 1);
    if (status == 0) {
      DbgMsg("PvBrowser::Load - Not online, dialing...", 0, 0, 0, 1);
      std::uint8_t result = 0;
      if (AUTODIALDEFAULTINTERNETCONNECTION == 1) result = InvokeDUN("", 1);
      if (AUTODIALDEFAULTINTERNETCONNECTION == 2) result = InvokeDUN("", 5);
      DbgMsg("PvBrowser::Load - Not online, dialing... - returned " + std::to_string(result), 0, 0, 0, 1);
    }
  }
  (void)control;
  (void)useOwn;  // a browser always shows in its own region
  OBJECTTYPE = "html3";
  CURRENTPATH = pv::Cut(pv::TrimRight(path), 1023);
  LASTLOADEDDOCUMENT = pv::Cut(path, 255);
  VerifyPath();
  if (COMCONTROLCREATED == 0) {
    DbgMsg("PvBrowser::Load - Aborting, self.ComControlCreated = " + std::to_string(COMCONTROLCREATED), 0, 0, 0, 1);
    return;
  }
  if (USELATEBINDING != 1) {
    const std::string target = pv::Cut(pv::TrimRight(CURRENTPATH), 256);
    if (Call("Navigate(" + Quoted(target) + ")") != "1")
      DbgMsg("PvBrowser::Load - Loading " + target + " using Early Binding  - failed!", 0, 0, 0, 1);
  }
  const wdrt::WindowPtr window = HostWindow();
  if (COMPARENTCONTROL == 0)
    DbgMsg("PvBrowser::Load - Parent (self.ComParentControl) is window (0), not hiding...", 0, 0, 0, 1);
  else if (window)
    wdrt::Hide(window, COMPARENTCONTROL);
  if (CURRENTCONTROL == 0) DbgMsg("PvBrowser::Load - ERROR!  CurrentControl = 0", 0, 0, 0, 1);
  // The control's own placeholder stays under the browser, which covers it; hiding it would
  // take the region's geometry away from the view.
}

std::int32_t PvBrowser::OleControlSite_Invoke(std::int32_t event, const std::vector<std::string>& parameters) {
  const std::int32_t result = _EventCallback(event, parameters);
  if (event == 250 && (result == 1 || result == 2)) {
    DbgMsg("EventHandlerProc - cancelling navigation...", 0, 0, 0, 1);
    return 1;
  }
  if (event == 251 && result == 3) {
    DbgMsg("EventHandlerProc - cancelling NewWindow2", 0, 0, 0, 1);
    return 1;
  }
  return 0;
}

std::int32_t PvBrowser::_EventCallback(std::int32_t event, const std::vector<std::string>& parameters) {
  if (DEBUGGING == 2) {
    std::string line = "PvBrowser::_EventCallback - Event: " + std::to_string(event) + " " + TranslateEventID(event);
    for (std::size_t i = 0; i < parameters.size() && i < 6; ++i) line += (i == 0 ? " " : "; ") + parameters[i];
    DbgMsg(line, 0, 0, 0, 1);
  }
  const std::int32_t result = EventCallback(event, parameters);
  switch (result) {
    case 1: DbgMsg("PvBrowser::_EventCallback - Cancelling Navigation", 0, 0, 0, 1); break;
    case 2:
      DbgMsg("PvBrowser::_EventCallback - Cancelling navigation, then posting event:pvCallback...", 0, 0, 0, 1);
      if (const wdrt::WindowPtr window = hostWindow.lock()) wdrt::PostToWindow(window, kEventPvCallback);
      break;
    case 3: DbgMsg("PvBrowser::_EventCallback - Preventing new IE window from opening...", 0, 0, 0, 1); break;
    default: break;
  }
  return result;
}

std::int32_t PvBrowser::EventCallback(std::int32_t event, const std::vector<std::string>& /*parameters*/) {
  DbgMsg("PvBrowser::EventCallback - EventID " + std::to_string(event), 0, 0, 0, 1);
  return 0;
}

std::string PvBrowser::TranslateEventID(std::int32_t event) {
  const auto& names = EventNames();
  const auto it = names.find(event);
  return pv::Cut(it != names.end() ? std::string(it->second) : "UNKNOWN EVENT NUMBER " + std::to_string(event), 40);
}

void PvBrowser::Kill(std::uint8_t final) {
  DbgMsg("PvBrowser::Kill - Top, calling parent.kill", 0, 0, 0, 1);
  PvCOM::Kill();
  DbgMsg("PvBrowser::Kill - calling parent.kill  - done!", 0, 0, 0, 1);
  DbgMsg("PvBrowser::Kill - Disposing Per-Object Objects...", 0, 0, 0, 1);
  if (USELATEBINDING != 1 && WEBBROWSER != 0) {
    DbgMsg("PvBrowser::Kill - release(WebBrowser)", 0, 0, 0, 1);
    DbgMsg("PvBrowser::Kill - dispose(WebBrowser)", 0, 0, 0, 1);
    if (const wdrt::WindowPtr window = hostWindow.lock()) wdrt::OleDestroy(window, CURRENTCONTROL);
    WEBBROWSER = 0;
    OLECONTROLSITE = 0;
  } else {
    DbgMsg("PvBrowser::Kill - Disposing Per-Object Objects...  - WebBrowser - already done", 0, 0, 0, 1);
  }
  COMCONTROLCREATED = 0;

  DbgMsg("PvBrowser::Kill - Disposing Per-Thread Objects...", 0, 0, 0, 1);
  const int thread = wdrt::Thread();
  std::vector<ObjectQEntry> released;  // disposed outside the lock
  {
    std::lock_guard lock(objectQMutex);
    auto& queue = ObjectQ();
    // This browser leaves its window's entry; the entry goes with the thread's last browser
    // of that window, so a second browser of the window keeps its container.
    if (objectQHandle_ != 0) {
      for (ObjectQEntry& entry : queue)
        if (entry.thread == thread && entry.windowHandle == objectQHandle_ && entry.users > 0) --entry.users;
      objectQHandle_ = 0;
    }
    for (std::size_t i = 0; i < queue.size();) {
      if (queue[i].thread != thread) {
        ++i;
        continue;
      }
      if (queue[i].users > 0) {
        DbgMsg("PvBrowser::Kill - Searching other handles for shared objects - FOUND!", 0, 0, 0, 1);
        ++i;
        continue;
      }
      released.push_back(std::move(queue[i]));
      queue.erase(queue.begin() + static_cast<std::ptrdiff_t>(i));
      DbgMsg("PvBrowser::Kill - Deleted record from ObjectQ, Records = " + std::to_string(queue.size()), 0, 0, 0, 1);
    }
    if (final == 1) {
      if (queue.empty()) {
        DbgMsg("PvBrowser::Kill - Disposing ObjectQ...  - no records in ObjectQ to dispose", 0, 0, 0, 1);
      } else {
        DbgMsg("PvBrowser::Kill - Disposing ObjectQ...", 0, 0, 0, 1);
        for (ObjectQEntry& entry : queue) released.push_back(std::move(entry));
        queue.clear();
      }
    }
  }
  OLEINITER = 0;
  OLECONTAINER = 0;
}

std::uint8_t PvBrowser::Back() {
  if (COMCONTROLCREATED == 0) {
    DbgMsg("PvBrowser::Back - Failed, no WebBrowser control", 0, 0, 0, 1);
    return 0;
  }
  return Call("GoBack()") == "1" ? 1 : 0;
}
std::uint8_t PvBrowser::Forward() { return Call("GoForward()") == "1" ? 1 : 0; }
std::uint8_t PvBrowser::Refresh() { return Call("Refresh()") == "1" ? 1 : 0; }
std::uint8_t PvBrowser::Reload() { return Refresh(); }
std::uint8_t PvBrowser::Stop() { return Call("Stop()") == "1" ? 1 : 0; }
std::uint8_t PvBrowser::PrintMe() { return Call("ExecWB(6)") == "1" ? 1 : 0; }
std::uint8_t PvBrowser::PrintMe(std::string_view pdfFile) {
  return Call("PrintToPdf(" + Quoted(pv::TrimRight(pdfFile)) + ")") == "1" ? 1 : 0;
}
std::uint8_t PvBrowser::SaveAs(std::string_view file) {
  return Call("SaveAs(" + Quoted(pv::TrimRight(file)) + ")") == "1" ? 1 : 0;
}
std::uint8_t PvBrowser::Edit(std::int32_t action) {
  static const std::map<int, const char*> commands = {{1, "Bold"}, {2, "Italic"}, {3, "Underline"}, {4, "Copy"},
                                                      {5, "Cut"}, {6, "Paste"}, {7, "Delete"}, {32, "SelectAll"},
                                                      {33, "Undo"}, {34, "Redo"}};
  const auto it = commands.find(action);
  return it == commands.end() ? 0 : Edit(it->second);
}
std::uint8_t PvBrowser::Edit(std::string_view command) {
  return Call("ExecCommand(" + Quoted(pv::Trim(command)) + ")") == "1" ? 1 : 0;
}
void PvBrowser::Resize() { Html3Resize(); }
void PvBrowser::Html3Resize() {
  // The browser follows its region's control; nothing else to do.
}
void PvBrowser::Html3Kill() { Kill(0); }

void PvBrowser::GetInfo() {
  if (COMCONTROLCREATED == 0) return;
  const wdrt::WindowPtr window = HostWindow();
  PAGETITLE = pv::Cut(wdrt::OleGet(window, CURRENTCONTROL, "LocationName"), 255);
  URL = pv::Cut(wdrt::OleGet(window, CURRENTCONTROL, "LocationURL"), 255);
  BUSY = wdrt::OleGet(window, CURRENTCONTROL, "Busy") == "1" ? 1 : 0;
  SOURCE = pv::Cut(Call("DocumentHTML()"), 99999);
  OUTERTEXT = pv::Cut(Call("DocumentText()"), 49999);
  DOCUMENTTYPE = pv::Cut(wdrt::OleGet(window, CURRENTCONTROL, "Type"), 100);
  ROOTFOLDER = pv::Cut(HTMLestPath(URL), 255);
}
std::string PvBrowser::GetInfo(std::string_view what) {
  GetInfo();
  const std::string key = pv::Lower(pv::Trim(what));
  if (key == "title") return PAGETITLE;
  if (key == "url") return URL;
  if (key == "source") return SOURCE;
  if (key == "text") return OUTERTEXT;
  return {};
}
std::string PvBrowser::GetInfo(std::int32_t what) {
  switch (what) {
    case 1: return GetInfo("title");
    case 2: return GetInfo("url");
    case 3: return GetInfo("source");
    case 4: return GetInfo("text");
    default: return {};
  }
}
void PvBrowser::Update() { GetInfo(); }
std::string PvBrowser::GetElementQ(std::string_view tag) { return Call("GetElements(" + Quoted(pv::Trim(tag)) + ")"); }
std::string PvBrowser::GetValueByID(std::string_view id) { return Call("GetValueByID(" + Quoted(pv::Trim(id)) + ")"); }
std::string PvBrowser::GetValueByName(std::string_view name) {
  return Call("GetValueByName(" + Quoted(pv::Trim(name)) + ")");
}
std::uint8_t PvBrowser::SetValueByID(std::string_view id, std::string_view value) {
  return Call("SetValueByID(" + Quoted(pv::Trim(id)) + ", " + Quoted(value) + ")") == "1" ? 1 : 0;
}
std::uint8_t PvBrowser::SetValueByName(std::string_view name, std::string_view value) {
  return Call("SetValueByName(" + Quoted(pv::Trim(name)) + ", " + Quoted(value) + ")") == "1" ? 1 : 0;
}
std::uint8_t PvBrowser::SubmitForm(std::string_view formName) {
  return Call("SubmitForm(" + Quoted(pv::Trim(formName)) + ")") == "1" ? 1 : 0;
}
std::string PvBrowser::GetElementTypeByName(std::string_view name) {
  return Call("GetElementTypeByName(" + Quoted(pv::Trim(name)) + ")");
}
std::string PvBrowser::GetHTMLGraphicsInfo() {
  GRAPHICSLIST = pv::Cut(Call("GraphicsList()"), 8192);
  return GRAPHICSLIST;
}
std::string PvBrowser::GetHTMLGraphicsInfo(std::string_view /*source*/) { return GetHTMLGraphicsInfo(); }
std::uint8_t PvBrowser::FindTest(std::string_view text) {
  return Call("Find(" + Quoted(pv::Trim(text)) + ")") == "1" ? 1 : 0;
}
void PvBrowser::StartIE(std::string_view address) {
  DbgMsg("PvBrowser::StartIE - Calling _ShellExecute", 0, 0, 0, 1);
  _ShellExecute(address);
}
