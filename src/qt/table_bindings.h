// Binds the File and Edit commands of the table editor and the data files to the menus.
#pragma once

namespace qtui {

class frmMain;

void BindTableCommands(frmMain& window);

}  // namespace qtui
