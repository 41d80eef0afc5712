// Where the parameters, the mode switches and the user text live in the EEPROM image,
// for each module generation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace params {

// First generation: 9 parameters in frmParams; second generation: 19 in frmParams2.
enum class Generation { First, Second };

// "KQ" and "VOSK" are first generation; every other ModuleVersion is second generation.
Generation GenerationOf(std::string_view moduleVersion);

inline constexpr int kMostParameters = 19;
int ParameterCount(Generation generation);

struct ParameterPlace {
  std::size_t byte;
  // Signed fuel values are two's complement; the others are plain bytes.
  bool isSigned;
};

// Parameter number (1-based) to its EEPROM byte.
ParameterPlace PlaceOf(Generation generation, int number);

// The kind of value each parameter holds, which its dialog groups it by.
enum class ParameterGroup { Fuel, AccelEnrichment, Retard };
ParameterGroup GroupOf(Generation generation, int number);
// The last parameter of the fuel frame: the acceleration enrichment closes it.
int AccelEnrichmentParameter(Generation generation);

// "Parameter 7": the title of the box's range messages.
std::string ParameterTitle(int number);

// The caption beside a parameter's box: "Parameter 3", or the acceleration enrichment's
// own caption in each dialog.
std::string ParameterCaption(Generation generation, int number);

// The bits of the mode byte.
inline constexpr std::uint8_t kBasicModeBit = 0x01;
inline constexpr std::uint8_t kSwapModeBit = 0x02;
inline constexpr std::uint8_t kTrimEnableBit = 0x04;

}  // namespace params
