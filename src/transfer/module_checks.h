// The steps download and upload share: the link check, the engine state and the
// firmware identity before the memories are touched, and the exit from the boot loader
// after a failure.
#pragma once

#include "core/host.h"
#include "core/module_image.h"
#include "link/link.h"

namespace transfer {

inline constexpr int kReSyncAttempts = 5;
inline constexpr const char* kNoLink =
    "Cannot establish RS-232 link. Check cable and module power.";
inline constexpr const char* kFirmwareIDPrefix = "Firmware ID: ";
inline constexpr const char* kExitFailedAfterFailure =
    "Error - ATmega failed to exit boot load mode.";

// The texts of one command's refusals.
struct CheckTexts {
  const char* title;
  const char* engineStarted;
  const char* idReadFailed;
  const char* invalidID;
};

// ReSync up to five times, stopping at the first answer or at a port that cannot be used.
bool EstablishLink(comm::Link& link);

// ReSync up to five times, the status byte, the firmware ID (into image), each refusal
// with its message; then shows the firmware ID. True when the module may be used.
bool CheckModule(comm::Link& link, core::ModuleImage& image, core::Host& host,
                 const CheckTexts& texts);

// After a failure in boot-load mode: back to application mode, or say it stayed behind.
void ExitSequence(comm::Link& link, core::Host& host, const char* title);

}  // namespace transfer
