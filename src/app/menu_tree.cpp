#include "app/menu_tree.h"

namespace app {

const std::vector<MenuSpec>& MainMenus() {
  static const std::vector<MenuSpec> menus = {
      {"mnuFile",
       "&File",
       {{"mnuOpenFile", "&Open File"},
        {"mnuSaveFile", "&Save File"},
        {"mnuSep1", kSeparatorCaption},
        {"mnuPrintParams", "Print Quillon Parameters"},
        {"mnuPrint3DTable", "Print Table"},
        {"mnuPrintSetup", "Print Set&up"},
        {"mnuSep2", kSeparatorCaption},
        {"mnuExit", "E&xit"}}},
      {"mnuEdit",
       "&Edit",
       {{"mnuEditParams", "Edit Quillon &Parameters"},
        {"mnuEditFrontCylTrimTbl", "Front Cylinder Fuel Trim Table"},
        {"mnuEditRearCylTrimTbl", "Rear Cylinder Fuel Trim Table"},
        {"mnuEditRetardTbl", "Ignition Retard Table"},
        {"mnuCopyFrontCylFuelTrimRear", "Copy Front Cyl Fuel Trim to Rear"},
        {"mnuSaveTbl", "Save Table Edits To Buffer"},
        {"mnuCloseTbl", "Close Table"}}},
      {"mnuComm",
       "&Communications",
       {{"mnuDownload", "&Download Data From Quillon"},
        {"mnuUpload", "&Upload Data To Quillon"},
        {"mnuPortSetup", "&Port Setup"}}},
      {"mnuHelp", "&Help", {{"mnuHelpContents", "&Contents"}, {"mnuAbout", "&About..."}}},
  };
  return menus;
}

const MenuSpec& PopUpEdit3DMenu() {
  static const MenuSpec menu = {
      "mnuPopUpEdit3D",
      "PopUp Edit 3D",
      {{"mnuPopUpCopy3D", "Copy"}, {"mnuPopUpPaste3D", "Paste"}, {"mnuPopUpModify3D", "Modify"}}};
  return menu;
}

}  // namespace app
