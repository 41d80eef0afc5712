#include "transfer/download.h"

#include <string>

#include "core/editions.h"
#include "core/regions.h"
#include "transfer/boot_load_run.h"
#include "transfer/module_checks.h"

namespace transfer {

namespace {

constexpr const char* kOverwrite = "Data buffer not empty. OK to overwrite?";
constexpr CheckTexts kChecks = {
    kDownloadTitle,
    "Cannot download after engine has been started.",
    "Firmware ID read failed - cannot download.",
    "Invalid firmware ID - cannot download.",
};
constexpr BootLoadTexts kBootLoad = {
    kDownloadTitle,
    "Download aborted - ATmega failed to enter boot load mode.",
    "Download aborted - ATmega failed to exit boot load mode.",
};
constexpr const char* kFLASHFailed = "FLASH download failed.";
constexpr const char* kEEPROMFailed = "EEPROM download failed.";
constexpr const char* kCompleted = "Download completed.";

void Say(core::Host& host, const char* text, core::Icon icon) {
  host.MsgBox(text, kDownloadTitle, core::Buttons::OK, icon);
}

// Both regions of the module into received; identity into image. True when all of it
// arrived and the module is back in application mode.
bool ReceiveModuleData(core::ModuleImage& received, core::ModuleImage& image, comm::Link& link,
                       core::Host& host) {
  if (!CheckModule(link, image, host, kChecks)) return false;
  return RunInBootLoad(link, host, kBootLoad, [&]() -> const char* {
    link.ReadMegaFLASHData(received);
    if (!link.CommOK) return kFLASHFailed;
    link.ReadEEPROMData(received);
    if (!link.CommOK) return kEEPROMFailed;
    return nullptr;
  });
}

// The module's data replace the image; whatever a table showed belonged to the old data.
void TakeReceivedData(const core::ModuleImage& received, core::ModuleImage& image,
                      tables::TableEditor& editor) {
  editor.HideForNewData();
  image.FLASHBuffer = received.FLASHBuffer;
  image.EEPROMBuffer = received.EEPROMBuffer;
  image.FLASHBufferEmpty = false;
  image.EEPROMBufferEmpty = false;
  image.MarkNotInFile();
}

void PrepareForEdition(core::ModuleImage& image, tables::TableEditor& editor,
                       core::WindowState& window) {
  core::MarkEdition(image);
  image.EditionByteValue = image.EEPROMBuffer[core::kEditionByte];
  window.SetRetardTableCommandVisible(core::IsSecondGeneration(image.ModuleVersion));
  window.SetDataSourceText(kDownloadedData);
  editor.SetTableEditPermissionFor(image.ModuleVersion);
  core::ReplaceBlankBytes(image);
}

}  // namespace

Outcome Download(core::ModuleImage& image, comm::Link& link, tables::TableEditor& editor,
                 core::WindowState& window, core::Host& host) {
  if ((!image.FLASHBufferEmpty || !image.EEPROMBufferEmpty) &&
      host.MsgBox(kOverwrite, kDownloadTitle, core::Buttons::OKCancel, core::Icon::None) !=
          core::Answer::OK) {
    return Outcome::Cancelled;
  }
  host.Yield();
  // The data in memory keep their edition until the module's data replace them.
  const std::string dataEdition = image.ModuleVersion;
  core::ModuleImage received;
  const bool receivedAll = ReceiveModuleData(received, image, link, host);
  link.ClosePort();
  if (!receivedAll) {
    image.ModuleVersion = dataEdition;
    return Outcome::Failed;
  }
  TakeReceivedData(received, image, editor);
  Say(host, kCompleted, core::Icon::Exclamation);
  PrepareForEdition(image, editor, window);
  return Outcome::Completed;
}

}  // namespace transfer
