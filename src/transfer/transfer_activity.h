// The one transfer that may run at a time; the serial side of the main window's resize
// handler, which waits while a transfer runs (closing the port under an upload would leave
// the module partly programmed); and what a close request does meanwhile: it asks to stop
// the transfer first, and the window closes once the transfer has stopped.
#pragma once

#include <functional>
#include <string_view>

#include "core/host.h"
#include "link/link.h"

namespace transfer {

// Form_Resize's serial side: an open port is closed and, unless the window is minimized,
// the line is set up again with the resize buffer size and a fresh line-error count.
void ResetPortAfterResize(comm::Link& link, bool minimized);

enum class TransferKind { Download, Upload };

inline constexpr const char* kStopDownload =
    "A download from the module is running. Stop it and exit?";
inline constexpr const char* kStopUpload =
    "An upload to the module is running. Stopping it leaves the module partly programmed "
    "until the data are uploaded again. Stop it and exit?";

class TransferActivity {
 public:
  // abortFlag is the session's AbortFlag, by which a transfer is asked to stop.
  TransferActivity(comm::Link& link, bool& abortFlag) : link_(link), abortFlag_(abortFlag) {}
  TransferActivity(const TransferActivity&) = delete;
  TransferActivity& operator=(const TransferActivity&) = delete;

  bool Running() const { return running_; }

  // Runs transfer unless one runs already (then false, and nothing runs). A resize held
  // back meanwhile is applied when it ends, for the window's state then.
  bool Run(TransferKind kind, const std::function<void()>& transfer,
           const std::function<bool()>& windowMinimized);

  // A resize or a change of the window's state.
  void FormResize(bool minimized);

  // The window's close request. Without a transfer it goes on (false). During one the user
  // is asked (title: the close request's) whether to stop it; Yes asks it to stop and the
  // window to close once it has. True: the window stays open for now.
  bool HoldClose(core::Host& host, std::string_view title);
  // While a stop is awaited: each loop clears AbortFlag when it starts, so it is set again.
  // The program calls it every few milliseconds.
  void KeepStopping();
  // True once, after the transfer that the user chose to stop has ended.
  bool TakeCloseWhenStopped();

 private:
  void End(bool minimized);

  comm::Link& link_;
  bool& abortFlag_;
  TransferKind kind_ = TransferKind::Download;
  bool running_ = false;
  bool resizePending_ = false;
  bool closeWhenStopped_ = false;
};

}  // namespace transfer
