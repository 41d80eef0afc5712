#include "qt/table_bindings.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include "app/file_commands.h"
#include "qt/edit_bindings.h"
#include "qt/frm_main.h"
#include "qt/qt_text.h"
#include "qt/table_grid.h"

namespace qtui {

namespace {

QAction* PopUpItem(frmMain& window, std::string_view name) {
  return window.popUpEdit3D()->findChild<QAction*>(ToQString(name));
}

// Ctrl+C and Ctrl+V on the grid run the context menu's Copy and Paste; the menu shows
// the keys beside its items.
void BindGridKeys(frmMain& window) {
  tables::TableEditor& editor = window.session().editor;
  QAction* copy = PopUpItem(window, app::menu::kPopUpCopy3D);
  QAction* paste = PopUpItem(window, app::menu::kPopUpPaste3D);
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
  window.BindCommand(app::menu::kOpenFile, [&session] { app::OpenFile(session); });
  window.BindCommand(app::menu::kSaveFile, [&session] { app::SaveFile(session); });
  window.BindCommand(app::menu::kEditFrontCylTrimTbl,
                     [&editor] { editor.mnuEditFrontCylTrimTbl_Click(); });
  window.BindCommand(app::menu::kEditRearCylTrimTbl,
                     [&editor] { editor.mnuEditRearCylTrimTbl_Click(); });
  window.BindCommand(app::menu::kEditRetardTbl, [&editor] { editor.mnuEditRetardTbl_Click(); });
  window.BindCommand(app::menu::kCopyFrontCylFuelTrimRear,
                     [&editor] { editor.mnuCopyFrontCylFuelTrimRear_Click(); });
  window.BindCommand(app::menu::kSaveTbl, [&editor] { editor.mnuSaveTbl_Click(); });
  window.BindCommand(app::menu::kCloseTbl, [&editor] { editor.mnuCloseTbl_Click(); });
  window.BindCommand(app::menu::kPopUpCopy3D, [&editor] { editor.mnuPopUpCopy3D_Click(); });
  window.BindCommand(app::menu::kPopUpPaste3D, [&editor] { editor.mnuPopUpPaste3D_Click(); });
  window.BindCommand(app::menu::kPopUpModify3D, [&editor] { editor.mnuPopUpModify3D_Click(); });
  BindGridKeys(window);
  BindEditCommands(window);
}

}  // namespace qtui
