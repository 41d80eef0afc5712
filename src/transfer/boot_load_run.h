// The part of a download or an upload spent in the boot loader: in, the command's work on
// the regions, and back to application mode, with the command's message where it fails.
#pragma once

#include <functional>

#include "core/host.h"
#include "link/link.h"

namespace transfer {

struct BootLoadTexts {
  const char* title;
  const char* enterFailed;
  const char* exitFailed;
};

// Enters boot-load mode, runs work and leaves it. work returns the text of its failure, or
// nullptr when it succeeded. True when work succeeded and the module is back in
// application mode.
bool RunInBootLoad(comm::Link& link, core::Host& host, const BootLoadTexts& texts,
                   const std::function<const char*()>& work);

}  // namespace transfer
