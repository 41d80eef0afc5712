#include "transfer/upload.h"

#include <string>

#include "transfer/boot_load_run.h"
#include "transfer/edition_compatibility.h"
#include "transfer/module_checks.h"

namespace transfer {

namespace {

constexpr const char* kNoData = "No data available for uploading.";
constexpr CheckTexts kChecks = {
    kUploadTitle,
    "Cannot upload after engine has been started.",
    "Firmware ID read failed - cannot upload.",
    "Invalid firmware ID - cannot upload.",
};
constexpr BootLoadTexts kBootLoad = {
    kUploadTitle,
    "Upload aborted - ATmega failed to enter boot load mode.",
    "Upload aborted - ATmega failed to exit boot load mode.",
};
constexpr const char* kFLASHProgrammingFailed = "Upload aborted - FLASH programming failed.";
constexpr const char* kFLASHVerificationFailed = "Upload aborted - FLASH verification failed.";
constexpr const char* kEEPROMProgrammingFailed = "Upload aborted - EEPROM programming failed.";
constexpr const char* kEEPROMVerificationFailed = "Upload aborted - EEPROM verification failed.";

void Say(core::Host& host, const std::string& text, core::Buttons buttons, core::Icon icon) {
  host.MsgBox(text, kUploadTitle, buttons, icon);
}

// Steps 9 on: the module is accepted and the image goes in. FLASH first, so a FLASH
// failure leaves the module's EEPROM as it was.
Outcome Program(const core::ModuleImage& image, comm::Link& link, core::Host& host) {
  const bool programmed = RunInBootLoad(link, host, kBootLoad, [&]() -> const char* {
    link.WriteMegaFLASHData(image);
    if (!link.CommOK) return kFLASHProgrammingFailed;
    if (link.FLASHErrors != 0) return kFLASHVerificationFailed;
    link.WriteEEPROMData(image);
    if (!link.CommOK) return kEEPROMProgrammingFailed;
    if (link.EEPROMErrors != 0) return kEEPROMVerificationFailed;
    return nullptr;
  });
  if (!programmed) return Outcome::Failed;
  Say(host, kUploadCompleted, core::Buttons::OK, core::Icon::Exclamation);
  return Outcome::Completed;
}

// Steps 2 to 8: whether this module may take the data. ReadFirmwareID puts the module's
// edition into ModuleVersion; a refused upload gives the data theirs back.
bool Accepted(core::ModuleImage& image, const std::string& dataEdition, comm::Link& link,
              core::Host& host) {
  if (!CheckModule(link, image, host, kChecks)) {
    image.ModuleVersion = dataEdition;
    return false;
  }
  if (const auto refusal = UploadRefusal(image.ModuleVersion, dataEdition)) {
    Say(host, std::string(*refusal), core::Buttons::OK, core::Icon::None);
    image.ModuleVersion = dataEdition;
    return false;
  }
  return true;
}

Outcome AcceptedAndProgrammed(core::ModuleImage& image, comm::Link& link, core::Host& host,
                              const BeforeWriting& beforeWriting) {
  const std::string dataEdition = image.ModuleVersion;
  if (!Accepted(image, dataEdition, link, host)) return Outcome::Failed;
  if (const Outcome ready = beforeWriting(dataEdition); ready != Outcome::Completed) {
    // Nothing was written: the data in memory are still of their own edition.
    image.ModuleVersion = dataEdition;
    return ready;
  }
  return Program(image, link, host);
}

}  // namespace

Outcome Upload(core::ModuleImage& image, comm::Link& link, core::Host& host,
               const BeforeWriting& beforeWriting) {
  if (image.FLASHBufferEmpty || image.EEPROMBufferEmpty) {
    Say(host, kNoData, core::Buttons::OK, core::Icon::Exclamation);
    return Outcome::Failed;
  }
  const Outcome outcome = AcceptedAndProgrammed(image, link, host, beforeWriting);
  link.ClosePort();
  return outcome;
}

Outcome Upload(core::ModuleImage& image, comm::Link& link, core::Host& host) {
  return Upload(image, link, host, [](const std::string&) { return Outcome::Completed; });
}

}  // namespace transfer
