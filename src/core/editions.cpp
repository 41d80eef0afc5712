#include "core/editions.h"

#include "core/text.h"

namespace core {

namespace {
constexpr std::string_view kSecondGenerationName = "Quillon II";
constexpr std::string_view kFirstGenerationName = "Quillon";
constexpr std::string_view kRestrictedMark = "KQ";
constexpr std::string_view kJXMark = "JX";
constexpr std::uint8_t kKeptBitsMask = 0x0F;
constexpr std::uint8_t kBlankByte = 0xFF;
}  // namespace

std::string ClassifyFirmwareID(std::string_view firmwareID) {
  if (ContainsIgnoringCase(firmwareID, kSecondGenerationName)) {
    if (ContainsIgnoringCase(firmwareID, kRestrictedMark)) return std::string(kVersionQL2KQ);
    if (ContainsIgnoringCase(firmwareID, kJXMark)) return std::string(kVersionJX);
    return std::string(kVersionQL2Vosk);
  }
  if (ContainsIgnoringCase(firmwareID, kFirstGenerationName)) {
    if (ContainsIgnoringCase(firmwareID, kRestrictedMark)) return std::string(kVersionKQ);
    return std::string(kVersionVosk);
  }
  return std::string(kVersionUnknown);
}

namespace {

struct EditionNames {
  std::string_view shortName;
  std::string_view moduleVersion;
  std::uint8_t code;
};

constexpr EditionNames kEditions[] = {
    {kEditionShortNames[0], kVersionVosk, kEditionCodeVosk},
    {kEditionShortNames[1], kVersionKQ, kEditionCodeKQ},
    {kEditionShortNames[2], kVersionQL2Vosk, kEditionCodeQL2Vosk},
    {kEditionShortNames[3], kVersionQL2KQ, kEditionCodeQL2KQ},
    {kEditionShortNames[4], kVersionJX, kEditionCodeJX},
};

}  // namespace

std::optional<std::string> ModuleVersionForShortName(std::string_view shortName) {
  for (const EditionNames& edition : kEditions) {
    if (edition.shortName == shortName) return std::string(edition.moduleVersion);
  }
  return std::nullopt;
}

std::uint8_t EditionCodeOf(std::string_view moduleVersion) {
  for (const EditionNames& edition : kEditions) {
    if (edition.moduleVersion == moduleVersion) return edition.code;
  }
  return kEditionCodeVosk;
}

std::string ModuleVersionFromEditionByte(std::uint8_t editionByte) {
  switch (editionByte & kEditionCodeMask) {
    case kEditionCodeKQ:
      return std::string(kVersionKQ);
    case kEditionCodeQL2Vosk:
      return std::string(kVersionQL2Vosk);
    case kEditionCodeQL2KQ:
      return std::string(kVersionQL2KQ);
    case kEditionCodeJX:
      return std::string(kVersionJX);
    default:
      return std::string(kVersionVosk);
  }
}

bool IsSecondGeneration(std::string_view moduleVersion) {
  return moduleVersion == kVersionQL2Vosk || moduleVersion == kVersionQL2KQ ||
         moduleVersion == kVersionJX;
}

bool IsRestrictedEdition(std::string_view moduleVersion) {
  return moduleVersion == kVersionKQ || moduleVersion == kVersionQL2KQ;
}

void MarkEdition(ModuleImage& image) {
  std::uint8_t code = 0;
  if (image.ModuleVersion == kVersionKQ) {
    code = kEditionCodeKQ;
  } else if (image.ModuleVersion == kVersionQL2KQ) {
    code = kEditionCodeQL2KQ;
  } else {
    return;
  }
  std::uint8_t& edition = image.EEPROMBuffer[kEditionByte];
  edition = static_cast<std::uint8_t>((edition & kKeptBitsMask) | code);
}

void ReplaceBlankBytes(ModuleImage& image) {
  const std::size_t last =
      kRetardTableBaseWord +
      (image.ModuleVersion == kVersionJX ? kBlankCleanWordsJX : kBlankCleanWordsOther);
  for (std::size_t word = kRetardTableBaseWord; word <= last; ++word) {
    FLASHWord& w = image.FLASHBuffer[word];
    if (w.LoByte == kBlankByte) w.LoByte = 0;
    if (w.HiByte == kBlankByte) w.HiByte = 0;
  }
}

}  // namespace core
