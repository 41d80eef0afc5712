#include "transfer/module_read.h"

#include "core/editions.h"
#include "core/eeprom_map.h"
#include "transfer/boot_load_run.h"
#include "transfer/module_checks.h"

namespace transfer {

namespace {

constexpr const char* kEngineStarted = "Cannot download after engine has been started.";
constexpr const char* kIDReadFailed = "Firmware ID read failed - cannot download.";
constexpr const char* kInvalidID = "Invalid firmware ID - cannot download.";
constexpr const char* kEnterFailed = "Download aborted - ATmega failed to enter boot load mode.";
constexpr const char* kExitFailed = "Download aborted - ATmega failed to exit boot load mode.";
constexpr const char* kFLASHFailed = "FLASH download failed.";
constexpr const char* kEEPROMFailed = "EEPROM download failed.";

}  // namespace

bool ReadRegions(core::ModuleImage& received, comm::Link& link, core::Host& host,
                 const RegionReadTexts& texts) {
  return RunInBootLoad(link, host, texts.bootLoad, [&]() -> const char* {
    link.ReadMegaFLASHData(received);
    if (!link.CommOK) return texts.flashFailed;
    link.ReadEEPROMData(received);
    if (!link.CommOK) return texts.eepromFailed;
    return nullptr;
  });
}

bool ReceiveModuleData(core::ModuleImage& received, core::ModuleImage& identity, comm::Link& link,
                       core::Host& host, const char* title) {
  if (!CheckModule(link, identity, host, {title, kEngineStarted, kIDReadFailed, kInvalidID})) {
    return false;
  }
  return ReadRegions(received, link, host,
                     {{title, kEnterFailed, kExitFailed}, kFLASHFailed, kEEPROMFailed});
}

void PrepareDownloadedData(core::ModuleImage& image) {
  core::MarkEdition(image);
  image.EditionByteValue = image.EEPROMBuffer[core::kEditionByte];
  core::ReplaceBlankBytes(image);
}

std::optional<core::ModuleImage> ReadModule(comm::Link& link, core::Host& host, const char* title) {
  core::ModuleImage received;
  const bool receivedAll = ReceiveModuleData(received, received, link, host, title);
  link.ClosePort();
  if (!receivedAll) return std::nullopt;
  PrepareDownloadedData(received);
  return received;
}

}  // namespace transfer
