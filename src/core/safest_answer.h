// The answer a message box gets when nobody chooses a button: closed by the window
// manager, or shown where no one can answer.
#pragma once

#include "core/host.h"

namespace core {

// OK to a notice; otherwise the answer that changes nothing: Abort, No or Cancel.
Answer SafestAnswer(Buttons offered);

}  // namespace core
