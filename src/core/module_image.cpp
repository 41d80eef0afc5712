#include "core/module_image.h"

namespace core {

void ModuleImage::ClearFLASHBuffer() {
  FLASHBuffer.fill(FLASHWord{});
  FLASHBufferEmpty = true;
}

void ModuleImage::ClearEEPROMBuffer() {
  EEPROMBuffer.fill(0);
  EEPROMBufferEmpty = true;
}

}  // namespace core
