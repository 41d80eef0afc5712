// Binds the editing commands beyond the system's own: Undo and Redo (named after the
// step they take, disabled when there is none), the commands that give the selected
// cells new values, with their keys, and the View menu's switches.
#pragma once

namespace qtui {

class frmMain;

void BindEditCommands(frmMain& window);

}  // namespace qtui
