// The editions the simulated module can play, each with its firmware ID and example data.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/regions.h"
#include "link/protocol.h"

namespace sim {

enum class Edition { Vosk, KQ, QL2Vosk, QL2KQ, JX };

inline constexpr std::size_t kFLASHBytes = 2 * core::kFLASHWords;

struct Memories {
  std::array<comm::Byte, kFLASHBytes> flash{};
  std::array<comm::Byte, core::kEEPROMBytes> eeprom{};
};

// "vosk", "kq", "ql2-vosk", "ql2-kq" or "jx".
std::optional<Edition> ParseEdition(std::string_view name);
std::string EditionName(Edition edition);
std::string FirmwareIDOf(Edition edition);

// Contents for tests of the link: program code outside the transferred regions, small
// varied bytes inside them, and the edition code in EEPROM byte 33. The programs give
// their simulated module a real tune instead.
Memories ExampleContents(Edition edition);

}  // namespace sim
