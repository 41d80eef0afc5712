// How a download or an upload ended.
#pragma once

namespace transfer {

enum class Outcome {
  // The command did all it set out to do.
  Completed,
  // The user said no before anything was sent.
  Cancelled,
  // Refused or failed; the command has said why.
  Failed,
};

}  // namespace transfer
