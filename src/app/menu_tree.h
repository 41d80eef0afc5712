// The main window's menus: names, captions with their access keys, and order.
#pragma once

#include <string_view>
#include <vector>

namespace app {

// The names of the menus and their commands, by which the program finds and binds them.
namespace menu {
inline constexpr std::string_view kFile = "mnuFile";
inline constexpr std::string_view kOpenFile = "mnuOpenFile";
inline constexpr std::string_view kSaveFile = "mnuSaveFile";
inline constexpr std::string_view kSep1 = "mnuSep1";
inline constexpr std::string_view kPrintParams = "mnuPrintParams";
inline constexpr std::string_view kPrint3DTable = "mnuPrint3DTable";
inline constexpr std::string_view kPrintSetup = "mnuPrintSetup";
inline constexpr std::string_view kSep2 = "mnuSep2";
inline constexpr std::string_view kExit = "mnuExit";
inline constexpr std::string_view kSepRecent = "mnuSepRecent";
// A submenu of the files last opened or saved.
inline constexpr std::string_view kOpenRecent = "mnuOpenRecent";
inline constexpr std::string_view kEdit = "mnuEdit";
inline constexpr std::string_view kEditParams = "mnuEditParams";
inline constexpr std::string_view kEditFrontCylTrimTbl = "mnuEditFrontCylTrimTbl";
inline constexpr std::string_view kEditRearCylTrimTbl = "mnuEditRearCylTrimTbl";
inline constexpr std::string_view kEditRetardTbl = "mnuEditRetardTbl";
inline constexpr std::string_view kCopyFrontCylFuelTrimRear = "mnuCopyFrontCylFuelTrimRear";
inline constexpr std::string_view kSaveTbl = "mnuSaveTbl";
inline constexpr std::string_view kCloseTbl = "mnuCloseTbl";
inline constexpr std::string_view kComm = "mnuComm";
inline constexpr std::string_view kDownload = "mnuDownload";
inline constexpr std::string_view kUpload = "mnuUpload";
inline constexpr std::string_view kPortSetup = "mnuPortSetup";
inline constexpr std::string_view kHelp = "mnuHelp";
inline constexpr std::string_view kHelpContents = "mnuHelpContents";
inline constexpr std::string_view kAbout = "mnuAbout";
inline constexpr std::string_view kPopUpEdit3D = "mnuPopUpEdit3D";
inline constexpr std::string_view kPopUpCopy3D = "mnuPopUpCopy3D";
inline constexpr std::string_view kPopUpPaste3D = "mnuPopUpPaste3D";
inline constexpr std::string_view kPopUpModify3D = "mnuPopUpModify3D";

// Editing beyond the system's own commands: the history, the commands that give the
// selected cells new values, and the View menu.
inline constexpr std::string_view kUndo = "mnuUndo";
inline constexpr std::string_view kRedo = "mnuRedo";
inline constexpr std::string_view kSepUndo = "mnuSepUndo";
inline constexpr std::string_view kSepValues = "mnuSepValues";
inline constexpr std::string_view kInterpolate = "mnuInterpolate";
inline constexpr std::string_view kSmooth = "mnuSmooth";
inline constexpr std::string_view kSetValue = "mnuSetValue";
inline constexpr std::string_view kStepUp = "mnuStepUp";
inline constexpr std::string_view kStepDown = "mnuStepDown";
inline constexpr std::string_view kStepUpFive = "mnuStepUpFive";
inline constexpr std::string_view kStepDownFive = "mnuStepDownFive";
inline constexpr std::string_view kView = "mnuView";
inline constexpr std::string_view kHeatMap = "mnuHeatMap";
inline constexpr std::string_view kShowChanges = "mnuShowChanges";
inline constexpr std::string_view kPopUpSepUndo3D = "mnuPopUpSepUndo3D";
inline constexpr std::string_view kPopUpUndo3D = "mnuPopUpUndo3D";
inline constexpr std::string_view kPopUpRedo3D = "mnuPopUpRedo3D";
inline constexpr std::string_view kPopUpSepValues3D = "mnuPopUpSepValues3D";
inline constexpr std::string_view kPopUpInterpolate3D = "mnuPopUpInterpolate3D";
inline constexpr std::string_view kPopUpSmooth3D = "mnuPopUpSmooth3D";
inline constexpr std::string_view kPopUpSetValue3D = "mnuPopUpSetValue3D";
inline constexpr std::string_view kPopUpStepUp3D = "mnuPopUpStepUp3D";
inline constexpr std::string_view kPopUpStepDown3D = "mnuPopUpStepDown3D";
inline constexpr std::string_view kPopUpStepUpFive3D = "mnuPopUpStepUpFive3D";
inline constexpr std::string_view kPopUpStepDownFive3D = "mnuPopUpStepDownFive3D";
// Comparing and exchanging tunes, after the system's own items.
inline constexpr std::string_view kSepExchange = "mnuSepExchange";
inline constexpr std::string_view kCompareWithFile = "mnuCompareWithFile";
inline constexpr std::string_view kExportTable = "mnuExportTable";
inline constexpr std::string_view kImportTable = "mnuImportTable";
inline constexpr std::string_view kCompareWithQuillon = "mnuCompareWithQuillon";
// The upload's safety net, after the system's own items.
inline constexpr std::string_view kOpenBackup = "mnuOpenBackup";
inline constexpr std::string_view kSepBackup = "mnuSepBackup";
inline constexpr std::string_view kBackUpBeforeUpload = "mnuBackUpBeforeUpload";
}  // namespace menu

struct MenuItemSpec {
  std::string_view name;
  // "-" for a separator; "&" marks the access key.
  std::string_view caption;
};

struct MenuSpec {
  std::string_view name;
  std::string_view caption;
  std::vector<MenuItemSpec> items;
};

inline constexpr std::string_view kSeparatorCaption = "-";

// The menus whose commands could change the image, the link, the files or the table:
// held while a transfer runs.
inline constexpr std::string_view kMenusHeldDuringTransfer[] = {menu::kFile, menu::kEdit,
                                                                menu::kComm};

// The menus of the menu bar, in order.
const std::vector<MenuSpec>& MainMenus();

// The grid's context menu; never shown in the menu bar.
const MenuSpec& PopUpEdit3DMenu();

}  // namespace app
