#include "transfer/transfer_activity.h"

namespace transfer {

void ResetPortAfterResize(comm::Link& link, bool minimized) {
  link.ClosePort();
  if (minimized) return;
  link.ConfigurePort(comm::kResizeInBufferSize);
  link.CommErrorCount = 0;
}

bool TransferActivity::Run(TransferKind kind, const std::function<void()>& transfer,
                           const std::function<bool()>& windowMinimized) {
  if (running_) return false;
  running_ = true;
  kind_ = kind;
  try {
    transfer();
  } catch (...) {
    End(windowMinimized());
    throw;
  }
  End(windowMinimized());
  return true;
}

void TransferActivity::End(bool minimized) {
  running_ = false;
  // The stop the user asked for has come; the next transfer starts unasked.
  if (closeWhenStopped_) abortFlag_ = false;
  if (!resizePending_) return;
  resizePending_ = false;
  ResetPortAfterResize(link_, minimized);
}

void TransferActivity::FormResize(bool minimized) {
  if (running_) {
    resizePending_ = true;
    return;
  }
  ResetPortAfterResize(link_, minimized);
}

bool TransferActivity::HoldClose(core::Host& host, std::string_view title) {
  if (!running_) return false;
  if (closeWhenStopped_) return true;
  const char* question = kind_ == TransferKind::Upload ? kStopUpload : kStopDownload;
  if (host.MsgBox(question, std::string(title), core::Buttons::YesNo, core::Icon::Exclamation) ==
      core::Answer::Yes) {
    closeWhenStopped_ = true;
    abortFlag_ = true;
  }
  return true;
}

void TransferActivity::KeepStopping() {
  if (running_ && closeWhenStopped_) abortFlag_ = true;
}

bool TransferActivity::TakeCloseWhenStopped() {
  if (running_ || !closeWhenStopped_) return false;
  closeWhenStopped_ = false;
  return true;
}

}  // namespace transfer
