// Download Data From Quillon: a module's transferred FLASH and EEPROM regions into the
// image, after the link, engine and identity checks, with the image and the main window
// then prepared for the module's edition.
#pragma once

#include "core/host.h"
#include "core/module_image.h"
#include "core/window_state.h"
#include "link/link.h"
#include "tables/table_editor.h"
#include "transfer/module_read.h"
#include "transfer/outcome.h"

namespace transfer {

inline constexpr const char* kDownloadedData = "Downloaded Data";

// mnuDownload_Click. Until the whole download has succeeded the image, the open table and
// the caption stay as they were: a cable fault never costs the user the data in memory.
Outcome Download(core::ModuleImage& image, comm::Link& link, tables::TableEditor& editor,
                 core::WindowState& window, core::Host& host);

}  // namespace transfer
