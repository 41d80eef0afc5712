#include "qt/table_bindings.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include "files/data_file_commands.h"
#include "qt/frm_main.h"
#include "qt/table_grid.h"

namespace qtui {

namespace {

QAction* PopUpItem(frmMain& window, const char* name) {
  return window.popUpEdit3D()->findChild<QAction*>(QString::fromLatin1(name));
}

// Ctrl+C and Ctrl+V on the grid run the context menu's Copy and Paste; the menu shows
// the keys beside its items.
void BindGridKeys(frmMain& window) {
  tables::TableEditor& editor = window.session().editor;
  QAction* copy = PopUpItem(window, "mnuPopUpCopy3D");
  QAction* paste = PopUpItem(window, "mnuPopUpPaste3D");
  copy->setShortcut(QKeySequence::Copy);
  paste->setShortcut(QKeySequence::Paste);
  for (QAction* item : {copy, paste}) item->setShortcutContext(Qt::WidgetShortcut);
  QObject::connect(window.grid(), &TableGrid::copyRequested, copy, &QAction::trigger);
  QObject::connect(window.grid(), &TableGrid::pasteRequested, paste, [&editor, paste] {
    // Text copied in another program is pasted without a right click first.
    if (editor.UpdatePopUpPaste()) paste->trigger();
  });
}

}  // namespace

void BindTableCommands(frmMain& window) {
  app::Session& session = window.session();
  tables::TableEditor& editor = session.editor;
  window.BindCommand("mnuOpenFile", [&session] {
    files::OpenFile(session.image, session.editor, session.window, session.host);
  });
  window.BindCommand("mnuSaveFile", [&session] {
    files::SaveFile(session.image, session.editor, session.window, session.host);
  });
  window.BindCommand("mnuEditFrontCylTrimTbl",
                     [&editor] { editor.mnuEditFrontCylTrimTbl_Click(); });
  window.BindCommand("mnuEditRearCylTrimTbl", [&editor] { editor.mnuEditRearCylTrimTbl_Click(); });
  window.BindCommand("mnuEditRetardTbl", [&editor] { editor.mnuEditRetardTbl_Click(); });
  window.BindCommand("mnuCopyFrontCylFuelTrimRear",
                     [&editor] { editor.mnuCopyFrontCylFuelTrimRear_Click(); });
  window.BindCommand("mnuSaveTbl", [&editor] { editor.mnuSaveTbl_Click(); });
  window.BindCommand("mnuCloseTbl", [&editor] { editor.mnuCloseTbl_Click(); });
  window.BindCommand("mnuPopUpCopy3D", [&editor] { editor.mnuPopUpCopy3D_Click(); });
  window.BindCommand("mnuPopUpPaste3D", [&editor] { editor.mnuPopUpPaste3D_Click(); });
  window.BindCommand("mnuPopUpModify3D", [&editor] { editor.mnuPopUpModify3D_Click(); });
  BindGridKeys(window);
}

}  // namespace qtui
