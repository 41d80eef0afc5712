#include "app/menu_tree.h"

namespace app {

const std::vector<MenuSpec>& MainMenus() {
  static const std::vector<MenuSpec> menus = {
      {menu::kFile,
       "&File",
       {{menu::kOpenFile, "&Open File"},
        {menu::kSaveFile, "&Save File"},
        {menu::kSep1, kSeparatorCaption},
        {menu::kPrintParams, "Print Quillon Parameters"},
        {menu::kPrint3DTable, "Print Table"},
        {menu::kPrintSetup, "Print Set&up"},
        {menu::kSep2, kSeparatorCaption},
        {menu::kExit, "E&xit"},
        {menu::kSepRecent, kSeparatorCaption},
        {menu::kOpenRecent, "Open &Recent"},
        {menu::kSepExchange, kSeparatorCaption},
        {menu::kCompareWithFile, "Compare With File..."},
        {menu::kExportTable, "Export Table..."},
        {menu::kImportTable, "Import Table..."},
        {menu::kOpenBackup, "Open Backup..."}}},
      {menu::kEdit,
       "&Edit",
       {{menu::kUndo, "&Undo"},
        {menu::kRedo, "&Redo"},
        {menu::kSepUndo, kSeparatorCaption},
        {menu::kEditParams, "Edit Quillon &Parameters"},
        {menu::kEditFrontCylTrimTbl, "Front Cylinder Fuel Trim Table"},
        {menu::kEditRearCylTrimTbl, "Rear Cylinder Fuel Trim Table"},
        {menu::kEditRetardTbl, "Ignition Retard Table"},
        {menu::kCopyFrontCylFuelTrimRear, "Copy Front Cyl Fuel Trim to Rear"},
        {menu::kSaveTbl, "Save Table Edits To Buffer"},
        {menu::kCloseTbl, "Close Table"},
        {menu::kSepValues, kSeparatorCaption},
        {menu::kInterpolate, "&Interpolate"},
        {menu::kSmooth, "S&mooth"},
        {menu::kSetValue, "Set &Value..."},
        {menu::kStepUp, "Step Up"},
        {menu::kStepDown, "Step Down"},
        {menu::kStepUpFive, "Step Up by 5"},
        {menu::kStepDownFive, "Step Down by 5"}}},
      {menu::kView,
       "&View",
       {{menu::kHeatMap, "&Heat Map Colours"}, {menu::kShowChanges, "Show &Changes"}}},
      {menu::kComm,
       "&Communications",
       {{menu::kDownload, "&Download Data From Quillon"},
        {menu::kUpload, "&Upload Data To Quillon"},
        {menu::kPortSetup, "&Port Setup"},
        {menu::kCompareWithQuillon, "Compare With Quillon"},
        {menu::kSepBackup, kSeparatorCaption},
        {menu::kBackUpBeforeUpload, "Back Up Module Before Upload"}}},
      {menu::kHelp, "&Help", {{menu::kHelpContents, "&Contents"}, {menu::kAbout, "&About..."}}},
  };
  return menus;
}

const MenuSpec& PopUpEdit3DMenu() {
  static const MenuSpec menu = {menu::kPopUpEdit3D,
                                "PopUp Edit 3D",
                                {{menu::kPopUpCopy3D, "Copy"},
                                 {menu::kPopUpPaste3D, "Paste"},
                                 {menu::kPopUpModify3D, "Modify"},
                                 {menu::kPopUpSepUndo3D, kSeparatorCaption},
                                 {menu::kPopUpUndo3D, "Undo"},
                                 {menu::kPopUpRedo3D, "Redo"},
                                 {menu::kPopUpSepValues3D, kSeparatorCaption},
                                 {menu::kPopUpInterpolate3D, "Interpolate"},
                                 {menu::kPopUpSmooth3D, "Smooth"},
                                 {menu::kPopUpSetValue3D, "Set Value..."},
                                 {menu::kPopUpStepUp3D, "Step Up"},
                                 {menu::kPopUpStepDown3D, "Step Down"},
                                 {menu::kPopUpStepUpFive3D, "Step Up by 5"},
                                 {menu::kPopUpStepDownFive3D, "Step Down by 5"}}};
  return menu;
}

}  // namespace app
