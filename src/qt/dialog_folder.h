// Where the open and save file dialogs start: in the folder of the last file chosen in
// one (remembered for the user), else in the user's documents folder.
#pragma once

#include <QString>

namespace qtui {

// The path a dialog starts at; a file name without a folder is put in that folder.
QString DialogStartPath(const QString& initialPath);

// Remembers the folder of a file the user chose.
void RememberDialogFolder(const QString& chosenFile);

}  // namespace qtui
