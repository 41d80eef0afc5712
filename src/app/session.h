// Everything one run of the program works on, grouped by owner.
#pragma once

#include <filesystem>

#include "app/branding.h"
#include "app/port_advice.h"
#include "app/recent_files.h"
#include "core/host.h"
#include "core/module_image.h"
#include "core/window_state.h"
#include "link/link.h"
#include "tables/table_editor.h"

namespace app {

struct Session {
  Session(core::Host& programHost, core::WindowView& view, Branding programBranding,
          std::filesystem::path folder)
      : host(programHost),
        window(view),
        branding(std::move(programBranding)),
        programFolder(std::move(folder)),
        editor(image, window, host, this->programFolder) {
    link.SetPortAdvice(DesktopPortAdvice);
  }

  core::Host& host;
  core::ModuleImage image;
  // Set by Esc; each transfer loop clears it when it starts and polls it per step.
  bool AbortFlag = false;
  // The module link; the program attaches its serial port and clock to it.
  comm::Link link{host, AbortFlag};
  // Where the port choice is remembered; without one it lasts for the run only.
  core::SettingsStore* settings = nullptr;
  // Open Recent's list; the program loads the user's when it has a settings store.
  RecentFiles recentFiles;
  core::WindowState window;
  Branding branding;
  std::filesystem::path programFolder;
  // The chart templates lie in the program folder.
  tables::TableEditor editor;
};

}  // namespace app
