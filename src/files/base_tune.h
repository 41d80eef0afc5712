// Example tunes of our own for trying the program without a module: neutral trims with
// a gentle surface in each table, default parameters, and the edition byte of the edition.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/module_image.h"

namespace files {

// "vosk", "kq", "ql2-vosk", "ql2-kq" or "jx" to its ModuleVersion; nothing for others.
std::optional<std::string> ModuleVersionForEditionName(std::string_view name);

// A full image of the edition, both empty flags False.
core::ModuleImage BaseTune(std::string_view moduleVersion);

}  // namespace files
