#include "printing/report/ReportGeneration.h"

#include "runtime/core/Keys.h"

namespace printing {

void ReportGeneration::Begin(const wdrt::WindowPtr& window, const ReportDisplayStrings& strings, long toProcess) {
  window_ = window;
  strings_ = &strings;
  batches_.Begin(window, toProcess, strings.ProgWinPctText);
  wdrt::SetValue(window, controls_.thermometer, "0");
  wdrt::SetText(window, controls_.percentText, strings.ProgWinPctText);
  window->SetTitle(strings.ProgWinTitlePrvw);
  wdrt::SetText(window, controls_.userString, strings.ProgWinUsrText);
  wdrt::Alert(window, wdrt::KeyEsc);
}

bool ReportGeneration::OnEvent(const wdrt::Event& event, const Prepare& prepare,
                               const ReportBatches::PrintRecord& print) {
  if (event.number == wdrt::EventAlertKey && wdrt::KeyCode() == wdrt::KeyEsc) {
    wdrt::SetKeyCode(0);
    wdrt::PostToWindow(window_, wdrt::EventAccepted, controls_.cancel);
    return true;
  }
  if (event.control != 0) return false;
  if (event.number == wdrt::EventOpenWindow) {
    if (!batches_.ReadNext()) {
      Stop();
      return false;
    }
    prepare();
    wdrt::SetTimer(window_, 1);
  } else if (event.number == wdrt::EventTimer) {
    if (batches_.Batch(print)) Stop();
  }
  return false;
}

void ReportGeneration::OnAccepted(int control, const PagesMade& pagesMade) {
  if (control != controls_.cancel) return;
  if (batches_.Cancel(AskToCancel(*strings_, pagesMade()))) Stop();
}

void ReportGeneration::Stop() {
  wdrt::SetTimer(window_, 0);
  wdrt::PostToWindow(window_, wdrt::EventCloseWindow);
}

}  // namespace printing
