// Binds the File and Edit commands of the table editor and the data files to the menus,
// and the grid's context menu with its keys.
#pragma once

namespace qtui {

class frmMain;

void BindTableCommands(frmMain& window);

}  // namespace qtui
