// Reading a module's data as a download does, into an image of their own: the data in
// memory are never touched. Download, Compare With Quillon and ventrel-cli verify use it.
#pragma once

#include <optional>

#include "core/host.h"
#include "core/module_image.h"
#include "link/link.h"
#include "transfer/boot_load_run.h"

namespace transfer {

inline constexpr const char* kDownloadTitle = "Download Data";

// A command's messages for a failed read of the regions.
struct RegionReadTexts {
  BootLoadTexts bootLoad;
  const char* flashFailed;
  const char* eepromFailed;
};

// Both regions of an accepted module into received, in and out of the boot loader; a
// failure is said with texts and still returns the module to application mode. True when
// all of it arrived; the port stays open.
bool ReadRegions(core::ModuleImage& received, comm::Link& link, core::Host& host,
                 const RegionReadTexts& texts);

// The link, engine and identity checks, then both regions of the module into received,
// the module's firmware ID and edition into identity (which may be received itself). The
// download's messages are shown under title. True when all of it arrived and the module
// is back in application mode; the port stays open.
bool ReceiveModuleData(core::ModuleImage& received, core::ModuleImage& identity, comm::Link& link,
                       core::Host& host, const char* title);

// What a download does to the data it received: the edition marking of restricted
// modules and the blank bytes of the retard table area turned into 0.
void PrepareDownloadedData(core::ModuleImage& image);

// The connected module's data with its firmware ID and edition, as a download leaves them
// in memory; nothing when they could not be read (the download's messages, under title,
// have said why). The port is closed afterwards.
std::optional<core::ModuleImage> ReadModule(comm::Link& link, core::Host& host,
                                            const char* title = kDownloadTitle);

}  // namespace transfer
