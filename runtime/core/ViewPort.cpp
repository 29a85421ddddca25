#include "runtime/core/ViewPort.h"

#include <atomic>

namespace wdrt {
namespace {
std::atomic<ViewPort*> currentView{nullptr};
}

void SetViewPort(ViewPort* view) { currentView.store(view); }
ViewPort* GetViewPort() { return currentView.load(); }

}  // namespace wdrt
