// Module generations and editions: what the firmware ID and the edition byte say.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/module_image.h"

namespace core {

// The ModuleVersion values every subsystem tests against.
inline constexpr std::string_view kVersionVosk = "VOSK";
inline constexpr std::string_view kVersionKQ = "KQ";
inline constexpr std::string_view kVersionQL2Vosk = "QL2 VOSK";
inline constexpr std::string_view kVersionQL2KQ = "QL2 KQ";
inline constexpr std::string_view kVersionJX = "JX";
inline constexpr std::string_view kVersionUnknown = "UNKNOWN";

// Upper-nibble codes of the edition byte (EEPROM byte 33).
inline constexpr std::uint8_t kEditionCodeMask = 0xF0;
inline constexpr std::uint8_t kEditionCodeKQ = 0x20;
inline constexpr std::uint8_t kEditionCodeQL2Vosk = 0x30;
inline constexpr std::uint8_t kEditionCodeQL2KQ = 0x40;
inline constexpr std::uint8_t kEditionCodeJX = 0x50;

// ModuleVersion from a firmware ID, by case-blind substring tests; the Quillon II
// test comes first because its name contains the first generation's.
std::string ClassifyFirmwareID(std::string_view firmwareID);

// ModuleVersion of data from the upper four bits of its edition byte.
std::string ModuleVersionFromEditionByte(std::uint8_t editionByte);

bool IsSecondGeneration(std::string_view moduleVersion);
bool IsRestrictedEdition(std::string_view moduleVersion);

// After a download of a restricted module, writes its edition code into the upper
// four bits of the edition byte, keeping the lower four.
void MarkEdition(ModuleImage& image);

// After a download, turns blank (0xFF) bytes of the retard-table words into 0.
void ReplaceBlankBytes(ModuleImage& image);

}  // namespace core
