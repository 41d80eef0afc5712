#include "params/user_data.h"
#include "core/eeprom_map.h"

#include <cstdint>
#include <optional>

#include "params/parameter_map.h"

namespace params {

namespace {

constexpr char32_t kFirstPrintable = 32;
constexpr char32_t kLastPrintable = 126;
constexpr char32_t kLastLatin1 = 0xFF;
constexpr std::uint8_t kBlank = 32;

// The Latin-1 letters outside ASCII: feminine and masculine ordinals, micro sign, and
// the accented letters without the multiplication and division signs.
bool IsLatin1Letter(char32_t c) {
  constexpr char32_t kFeminineOrdinal = 0xAA;
  constexpr char32_t kMicroSign = 0xB5;
  constexpr char32_t kMasculineOrdinal = 0xBA;
  constexpr char32_t kFirstAccented = 0xC0;
  constexpr char32_t kMultiplicationSign = 0xD7;
  constexpr char32_t kDivisionSign = 0xF7;
  if (c == kFeminineOrdinal || c == kMicroSign || c == kMasculineOrdinal) return true;
  return c >= kFirstAccented && c <= kLastLatin1 && c != kMultiplicationSign && c != kDivisionSign;
}

// Decodes one UTF-8 sequence at text[i] and advances i; nothing for a malformed one,
// which is skipped a byte at a time.
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<std::uint8_t>(text[i++]);
  if (lead < 0x80) return lead;
  std::size_t follow = 0;
  char32_t code = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    follow = 1, code = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    follow = 2, code = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    follow = 3, code = lead & 0x07, minimum = 0x10000;
  } else {
    return std::nullopt;
  }
  if (i + follow > text.size()) return std::nullopt;
  for (std::size_t k = 0; k < follow; ++k) {
    const auto next = static_cast<std::uint8_t>(text[i + k]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    code = (code << 6) | (next & 0x3F);
  }
  i += follow;
  if (code < minimum) return std::nullopt;
  return code;
}

}  // namespace

bool IsUserDataCharacter(char32_t character) {
  return (character >= kFirstPrintable && character <= kLastPrintable) || IsLatin1Letter(character);
}

std::string ReadUserData(const EEPROMImage& eeprom) {
  std::string text;
  for (std::size_t i = 0; i < core::kUserDataLength; ++i) {
    const std::uint8_t byte = eeprom[core::kUserDataFirstByte + i];
    if (byte >= kFirstPrintable && byte <= kLastPrintable) text.push_back(static_cast<char>(byte));
  }
  return text;
}

void WriteUserData(std::string_view utf8Text, EEPROMImage& eeprom) {
  for (std::size_t i = 0; i < core::kUserDataLength; ++i)
    eeprom[core::kUserDataFirstByte + i] = kBlank;
  std::size_t written = 0;
  std::size_t at = 0;
  while (at < utf8Text.size() && written < core::kUserDataLength) {
    const std::optional<char32_t> code = NextCodePoint(utf8Text, at);
    if (!code || *code > kLastLatin1) continue;
    eeprom[core::kUserDataFirstByte + written++] = static_cast<std::uint8_t>(*code);
  }
}

}  // namespace params
