#include "qt/table_bindings.h"

#include "files/data_file_commands.h"
#include "qt/frm_main.h"

namespace qtui {

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
}

}  // namespace qtui
