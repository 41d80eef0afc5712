// The parts of the module's memories that the tool reads, writes and keeps in files.
#pragma once

#include <cstddef>

namespace core {

// ATmega program memory: 8192 words in pages of 64 words.
inline constexpr std::size_t kFLASHWords = 8192;
inline constexpr std::size_t kFLASHPageWords = 64;
inline constexpr std::size_t kEEPROMBytes = 512;

// Transferred FLASH region: words 6272..6911, pages 98..107, byte address 0x3100.
inline constexpr std::size_t kFLASHRegionFirstWord = 6272;
inline constexpr std::size_t kFLASHRegionLastWord = 6911;
inline constexpr std::size_t kFLASHRegionWords = kFLASHRegionLastWord - kFLASHRegionFirstWord + 1;
inline constexpr std::size_t kFLASHRegionFirstPage = kFLASHRegionFirstWord / kFLASHPageWords;
inline constexpr std::size_t kFLASHRegionLastPage = kFLASHRegionLastWord / kFLASHPageWords;
inline constexpr std::size_t kFLASHRegionFirstByteAddress = 2 * kFLASHRegionFirstWord;

// Transferred EEPROM region: bytes 16..95 (parameters, mode and edition bytes, user data).
inline constexpr std::size_t kEEPROMRegionFirstByte = 16;
inline constexpr std::size_t kEEPROMRegionLastByte = 95;
inline constexpr std::size_t kEEPROMRegionBytes =
    kEEPROMRegionLastByte - kEEPROMRegionFirstByte + 1;

// Table area inside the FLASH region: the retard table is lowest, the fuel trims above it.
inline constexpr std::size_t kRetardTableBaseWord = 6304;
inline constexpr std::size_t kFrontCylTrimTableBaseWord = 6656;
inline constexpr std::size_t kRearCylTrimTableBaseWord = 6784;

// Words from the retard table base that a download cleans of blank (0xFF) bytes, inclusive.
inline constexpr std::size_t kBlankCleanWordsJX = 98;
inline constexpr std::size_t kBlankCleanWordsOther = 80;

}  // namespace core
