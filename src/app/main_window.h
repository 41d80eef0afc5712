// The shell's own rules for the main window: start-up, Esc, the close request, About.
#pragma once

#include <functional>
#include <string>

#include "app/branding.h"
#include "app/session.h"
#include "core/window_state.h"

namespace app {

inline constexpr int kKeyEscape = 27;
inline constexpr const char* kVersionText = "Ventrel Version " VENTREL_VERSION "0";
inline constexpr const char* kRightsNotice =
    "Copyright (C) 2026 Marrowby Motor Electronics Ltd. All rights reserved.";
inline constexpr const char* kAboutTitle = "About";
inline constexpr const char* kExitTitle = "Exit Program";
inline constexpr const char* kSaveBeforeExit = "Save data before exiting?";
inline constexpr const char* kHelpFileName = "Ventrel_Help.html";

// What start-up needs of the main window beyond its caption.
class MainWindowView : public core::WindowView {
 public:
  virtual void SetApplicationTitle(const std::string& title) = 0;
  virtual void SetPopUpPasteEnabled(bool enabled) = 0;
};

// Form_Load: brings the window and the session to their start-up state, step by step
// through the error prompt; Abort leaves the remaining steps undone.
void FormLoad(Session& session, MainWindowView& view);

// Form_KeyPress: Esc asks a running transfer to stop. True when the key was used.
bool FormKeyPress(Session& session, int keyAscii);

// Form_QueryUnload: while a table is being edited, offers to save first. saveFile runs
// the Save File command and tells whether the data were saved. True keeps the window.
bool FormQueryUnload(core::Host& host, bool chartVisible, const std::function<bool()>& saveFile);

// The About box's text: label and version, the notice, a blank line, the company block.
std::string AboutText(const Branding& branding);

// mnuAbout_Click.
void ShowAbout(core::Host& host, const Branding& branding);

}  // namespace app
