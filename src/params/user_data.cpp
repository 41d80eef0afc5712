#include "params/user_data.h"

#include <cstdint>

#include "core/eeprom_map.h"
#include "params/parameter_map.h"

namespace params {

namespace {

constexpr char32_t kFirstPrintable = 32;
constexpr char32_t kLastPrintable = 126;
constexpr std::uint8_t kBlank = 32;

}  // namespace

bool IsUserDataCharacter(char32_t character) {
  return character >= kFirstPrintable && character <= kLastPrintable;
}

std::string ReadUserData(const EEPROMImage& eeprom) {
  std::string text;
  for (std::size_t i = 0; i < core::kUserDataLength; ++i) {
    const std::uint8_t byte = eeprom[core::kUserDataFirstByte + i];
    if (IsUserDataCharacter(byte)) text.push_back(static_cast<char>(byte));
  }
  return text;
}

void WriteUserData(std::string_view utf8Text, EEPROMImage& eeprom) {
  for (std::size_t i = 0; i < core::kUserDataLength; ++i)
    eeprom[core::kUserDataFirstByte + i] = kBlank;
  std::size_t written = 0;
  // Every byte of a UTF-8 sequence beyond ASCII is 128 or more, so skipping bytes
  // outside the printable range leaves out whole characters.
  for (const char c : utf8Text) {
    if (written == core::kUserDataLength) break;
    const auto byte = static_cast<std::uint8_t>(c);
    if (IsUserDataCharacter(byte)) eeprom[core::kUserDataFirstByte + written++] = byte;
  }
}

}  // namespace params
