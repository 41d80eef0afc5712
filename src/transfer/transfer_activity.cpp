#include "transfer/transfer_activity.h"

namespace transfer {

void ResetPortAfterResize(comm::Link& link, bool minimized) {
  link.ClosePort();
  if (minimized) return;
  link.ConfigurePort(comm::kResizeInBufferSize);
  link.CommErrorCount = 0;
}

bool TransferActivity::Run(const std::function<void()>& transfer,
                           const std::function<bool()>& windowMinimized) {
  if (running_) return false;
  running_ = true;
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

}  // namespace transfer
