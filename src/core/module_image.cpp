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

void ModuleImage::MarkInFile() { fileContents_ = Contents{FLASHBuffer, EEPROMBuffer}; }

void ModuleImage::MarkNotInFile() { fileContents_.reset(); }

bool ModuleImage::HasUnsavedData() const {
  if (FLASHBufferEmpty && EEPROMBufferEmpty) return false;
  return !fileContents_ || fileContents_->flash != FLASHBuffer ||
         fileContents_->eeprom != EEPROMBuffer;
}

}  // namespace core
