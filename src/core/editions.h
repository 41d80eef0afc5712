// Module generations and editions: what the firmware ID and the edition byte say.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/eeprom_map.h"
#include "core/module_image.h"

namespace core {

// The ModuleVersion values every subsystem tests against.
inline constexpr std::string_view kVersionVosk = "VOSK";
inline constexpr std::string_view kVersionKQ = "KQ";
inline constexpr std::string_view kVersionQL2Vosk = "QL2 VOSK";
inline constexpr std::string_view kVersionQL2KQ = "QL2 KQ";
inline constexpr std::string_view kVersionJX = "JX";
inline constexpr std::string_view kVersionUnknown = "UNKNOWN";

// The short names by which users choose an edition on the command line, in order.
inline constexpr std::string_view kEditionShortNames[] = {"vosk", "kq", "ql2-vosk", "ql2-kq", "jx"};
// The edition the simulated module plays when none is named.
inline constexpr std::string_view kDefaultSimulatedEdition = "jx";

// ModuleVersion for a short name ("ql2-kq" gives "QL2 KQ"), nothing for any other text.
std::optional<std::string> ModuleVersionForShortName(std::string_view shortName);

// The code of the edition byte that data of this edition carry.
std::uint8_t EditionCodeOf(std::string_view moduleVersion);

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
