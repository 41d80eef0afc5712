#include "print/print_queue.h"

namespace print {

namespace {

// " (paused)" or nothing; "none" is the service's word for no reason.
std::string Because(const std::string& reasons) {
  return reasons.empty() || reasons == "none" ? std::string() : " (" + reasons + ")";
}

}  // namespace

std::optional<std::string> QueueRefusal(const QueueState& state) {
  if (state.name.empty()) {
    return std::string("No printer is chosen and the system has no default printer.");
  }
  const std::string printer = "The printer \"" + state.name + "\"";
  if (!state.exists) return "There is no printer named \"" + state.name + "\" on this computer.";
  if (!state.acceptingJobs) {
    return printer + " is not accepting print jobs" + Because(state.reasons) +
           ", so nothing was sent to it.";
  }
  if (state.stopped) {
    return printer + " is stopped" + Because(state.reasons) +
           ": it would print nothing until it is started again, so nothing was sent to it.";
  }
  return std::nullopt;
}

std::string JobSentText(const std::string& queue, int job) {
  return "Sent to the printer \"" + queue + "\" as job " + std::to_string(job) + ".";
}

}  // namespace print
