// The one transfer that may run at a time, and the serial side of the main window's
// resize handler, which waits while a transfer runs: closing the port under an upload
// would leave the module partly programmed.
#pragma once

#include <functional>

#include "link/link.h"

namespace transfer {

// Form_Resize's serial side: an open port is closed and, unless the window is minimized,
// the line is set up again with the resize buffer size and a fresh line-error count.
void ResetPortAfterResize(comm::Link& link, bool minimized);

class TransferActivity {
 public:
  explicit TransferActivity(comm::Link& link) : link_(link) {}
  TransferActivity(const TransferActivity&) = delete;
  TransferActivity& operator=(const TransferActivity&) = delete;

  bool Running() const { return running_; }

  // Runs transfer unless one runs already (then false, and nothing runs). A resize held
  // back meanwhile is applied when it ends, for the window's state then.
  bool Run(const std::function<void()>& transfer, const std::function<bool()>& windowMinimized);

  // A resize or a change of the window's state.
  void FormResize(bool minimized);

 private:
  void End(bool minimized);

  comm::Link& link_;
  bool running_ = false;
  bool resizePending_ = false;
};

}  // namespace transfer
