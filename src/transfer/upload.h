// Upload Data To Quillon: the image's transferred FLASH and EEPROM regions programmed
// into a module and verified, after the link, engine, identity and edition checks.
#pragma once

#include <functional>
#include <string>

#include "core/host.h"
#include "core/module_image.h"
#include "link/link.h"
#include "transfer/outcome.h"

namespace transfer {

inline constexpr const char* kUploadTitle = "Upload Data";
inline constexpr const char* kUploadCompleted =
    "Upload completed. Remember to cycle run/stop switch off for 5 seconds\r\n"
    "and then on again before starting engine.";

// mnuUpload_Click. The memories of the image are never changed; FirmwareID and
// ModuleVersion become the connected module's once it has been accepted. Completed only
// when every word and byte of both regions was read back equal.
Outcome Upload(core::ModuleImage& image, comm::Link& link, core::Host& host);

// Runs once the module has been accepted (image holds its identity), with the data's
// edition, before the boot loader is entered for writing. Anything but Completed ends the
// upload there with that outcome: nothing written, the data's edition given back.
using BeforeWriting = std::function<Outcome(const std::string& dataEdition)>;

// Upload with a step of the caller's between the checks and the writing.
Outcome Upload(core::ModuleImage& image, comm::Link& link, core::Host& host,
               const BeforeWriting& beforeWriting);

}  // namespace transfer
