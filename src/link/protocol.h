// The module's serial protocol: line settings, command bytes, reply values, the
// boot-load keys and the timing the tool keeps. The tool and the simulated module
// both take them from here.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>

namespace comm {

using Byte = std::uint8_t;

inline constexpr const char* kLineSettings = "56000,N,8,1";
inline constexpr int kBaudRate = 56000;
// One start bit, eight data bits, one stop bit.
inline constexpr int kBitsPerByte = 10;

// Application mode.
inline constexpr Byte kCmdReSync = 0x33;
inline constexpr Byte kCmdReadStatus = 0x2F;
inline constexpr Byte kCmdReadFirmwareID = 0x10;
// Followed by the entry or the exit key.
inline constexpr Byte kCmdBootLoadKey = 0x11;

// Boot loader.
inline constexpr Byte kCmdSetAddress = 0x14;
inline constexpr Byte kCmdReadEEPROM = 0x15;
inline constexpr Byte kCmdWriteEEPROM = 0x16;
inline constexpr Byte kCmdWriteBuffer = 0x17;
inline constexpr Byte kCmdWritePage = 0x18;
inline constexpr Byte kCmdReadFLASH = 0x19;
inline constexpr Byte kCmdErasePage = 0x1D;

inline constexpr Byte kACK = 0x06;
inline constexpr Byte kCR = 0x0D;

using BootLoadKey = std::array<Byte, 4>;
// Fixed by the module's firmware; the exit key differs from the entry key.
inline constexpr BootLoadKey kBootLoadEntryKey = {0x51, 0x4C, 0xB7, 0x2E};
inline constexpr BootLoadKey kBootLoadExitKey = {0x51, 0x4C, 0x8E, 0xD3};

// Status bits that say the engine has been started since power-up.
inline constexpr Byte kStatusEngineStarted = 0x06;

inline constexpr std::chrono::microseconds kReplyTimeout = std::chrono::seconds(1);
// The pacing pause after most bytes and after every successful command.
inline constexpr std::chrono::microseconds kPacingDelay = std::chrono::milliseconds(2);
// Time one byte takes on the line.
inline constexpr std::chrono::nanoseconds kByteTime{1'000'000'000LL * kBitsPerByte / kBaudRate};

}  // namespace comm
