#include "framework/ToolbarRelay.h"

void ToolbarRelay::Init() {
  LIST = std::make_unique<std::vector<Row>>();
  current_ = nullptr;
}

void ToolbarRelay::Kill() {
  LIST.reset();
  current_ = nullptr;
}

void ToolbarRelay::AddTarget(std::int32_t control, ToolbarTarget* target) {
  if (LIST && target) LIST->push_back(Row{control, target});
}

void ToolbarRelay::SetTarget(std::int32_t control) {
  if (!LIST) return;
  if (control != 0) {
    for (Row& row : *LIST) {
      if (row.control == control) {
        current_ = row.target;
        current_->Activate();
        return;
      }
    }
    return;
  }
  for (Row& row : *LIST)
    if (row.target->WantsToolbar()) current_ = row.target;
}

void ToolbarRelay::TakeRequest(std::int32_t request) {
  if (LIST && !LIST->empty() && current_) current_->TakeRequest(request);
}
