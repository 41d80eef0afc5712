// A print queue of the system's print service as the printouts see it: whether a job sent
// to it now would be printed, and what the user is told when it would not, or once it is.
#pragma once

#include <optional>
#include <string>

namespace print {

struct QueueState {
  std::string name;
  bool exists = false;
  bool acceptingJobs = false;
  // Paused by its administrator, or halted by a failure of the printer.
  bool stopped = false;
  // The service's own words for why, as "paused" or "media-empty-error"; may be empty.
  std::string reasons;
};

// Nothing when the queue would print a job now, else what is wrong with it.
std::optional<std::string> QueueRefusal(const QueueState& state);

// Told once a page has gone to the queue as a job of its own.
std::string JobSentText(const std::string& queue, int job);

}  // namespace print
