// The fixed fields of the EEPROM image's transferred region, beside the parameters: the
// mode switches, the edition byte with its codes, and the user text.
#pragma once

#include <cstddef>
#include <cstdint>

namespace core {

// Basic mode, injector swap and trim enable, one bit each.
inline constexpr std::size_t kModeByte = 32;

// The upper four bits name the edition of the data; the lower four are the module's own.
inline constexpr std::size_t kEditionByte = 33;
inline constexpr std::uint8_t kEditionCodeMask = 0xF0;
// Unrestricted first-generation data carry no code of their own; this is what ours carry.
inline constexpr std::uint8_t kEditionCodeVosk = 0x10;
inline constexpr std::uint8_t kEditionCodeKQ = 0x20;
inline constexpr std::uint8_t kEditionCodeQL2Vosk = 0x30;
inline constexpr std::uint8_t kEditionCodeQL2KQ = 0x40;
inline constexpr std::uint8_t kEditionCodeJX = 0x50;

// 32 characters of the user's own text, padded with blanks.
inline constexpr std::size_t kUserDataFirstByte = 64;
inline constexpr std::size_t kUserDataLength = 32;

}  // namespace core
