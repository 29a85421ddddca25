#include "runtime/data/KeyedView.h"

#include "runtime/data/ErrorState.h"

namespace wdrt {

bool KeyedView::Open() {
  open_ = file_.Set(key_);
  return open_;
}

bool KeyedView::Next() { return Step(true); }
bool KeyedView::Previous() { return Step(false); }

bool KeyedView::Step(bool forward) {
  if (!open_) {
    SetError(ErrNotOpen);
    return false;
  }
  for (;;) {
    if (!(forward ? file_.Next() : file_.Previous())) return false;
    if (!filter_ || filter_(file_.Record())) return true;
  }
}

}  // namespace wdrt
