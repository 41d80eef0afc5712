#include "transfer/boot_load_run.h"

#include "transfer/module_checks.h"

namespace transfer {

bool RunInBootLoad(comm::Link& link, core::Host& host, const BootLoadTexts& texts,
                   const std::function<const char*()>& work) {
  if (!link.EnterBootLoad()) {
    host.MsgBox(texts.enterFailed, texts.title, core::Buttons::OK, core::Icon::Information);
    return false;
  }
  if (const char* failure = work()) {
    host.MsgBox(failure, texts.title, core::Buttons::OK, core::Icon::Information);
    // A module left in its boot loader does not run the engine until it is power-cycled.
    ExitSequence(link, host, texts.title);
    return false;
  }
  if (!link.ExitBootLoad()) {
    host.MsgBox(texts.exitFailed, texts.title, core::Buttons::OK, core::Icon::Exclamation);
    return false;
  }
  return true;
}

}  // namespace transfer
