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

// What closing the program would lose: data changed since they were last read from or
// written to a file (a download counts), or edits in the open table.
bool HasUnsavedData(const Session& session);

// Form_QueryUnload: ends an entry still open in the grid (a refused one keeps the window
// open), then offers to save whenever there are unsaved data, and never when there are
// none. saveFile runs the Save File command and tells whether the data were saved. True
// keeps the window.
bool FormQueryUnload(Session& session, const std::function<bool()>& saveFile);

// The About box's text: label and version, the notice, a blank line, the company block.
std::string AboutText(const Branding& branding);

// mnuAbout_Click.
void ShowAbout(core::Host& host, const Branding& branding);

}  // namespace app
