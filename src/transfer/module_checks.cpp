#include "transfer/module_checks.h"

#include "core/editions.h"

namespace transfer {

bool EstablishLink(comm::Link& link) {
  for (int attempt = 0; attempt < kReSyncAttempts; ++attempt) {
    if (link.ReSync()) return true;
    // A port that cannot be used will not answer the next attempts either.
    if (link.PortUnusable()) return false;
  }
  return false;
}

bool CheckModule(comm::Link& link, core::ModuleImage& image, core::Host& host,
                 const CheckTexts& texts) {
  if (!EstablishLink(link)) {
    host.MsgBox(kNoLink, texts.title, core::Buttons::OK, core::Icon::Exclamation);
    link.ClosePort();
    return false;
  }
  const std::int16_t status = link.ReadStatus();
  // A status time-out has had its prompt already.
  if (!link.CommOK) return false;
  if ((status & comm::kStatusEngineStarted) != 0) {
    host.MsgBox(texts.engineStarted, texts.title, core::Buttons::OK, core::Icon::Exclamation);
    link.ClosePort();
    return false;
  }
  link.ReadFirmwareID(image);
  if (!link.CommOK) {
    host.MsgBox(texts.idReadFailed, texts.title, core::Buttons::OK, core::Icon::Exclamation);
    return false;
  }
  if (image.FirmwareID.empty() || image.ModuleVersion == core::kVersionUnknown) {
    host.MsgBox(texts.invalidID, texts.title, core::Buttons::OK, core::Icon::Exclamation);
    return false;
  }
  host.MsgBox(kFirmwareIDPrefix + image.FirmwareID, texts.title, core::Buttons::OK,
              core::Icon::Exclamation);
  return true;
}

void ExitSequence(comm::Link& link, core::Host& host, const char* title) {
  if (!link.ExitBootLoad()) {
    host.MsgBox(kExitFailedAfterFailure, title, core::Buttons::OK, core::Icon::Information);
  }
}

}  // namespace transfer
