// Example tunes of our own for trying the program without a module: neutral trims with
// a gentle surface in each table, default parameters, and the edition byte of the edition.
#pragma once

#include <string_view>

#include "core/module_image.h"

namespace files {

// A full image of the edition, both empty flags False.
core::ModuleImage BaseTune(std::string_view moduleVersion);

}  // namespace files
