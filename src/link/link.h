// The module link: the port, its state and every command the tool sends to a Quillon
// module, from the link check to the programming and verification loops. Each
// procedure sets CommOK False on entry and True only when it succeeded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/host.h"
#include "core/module_image.h"
#include "link/protocol.h"
#include "link/serial_port.h"

namespace comm {

inline constexpr const char* kTimeoutAbort = "RS-232 timeout. Check cable and click Abort.";
inline constexpr const char* kTimeoutAbortOrRetry =
    "RS-232 timeout. Check cable and click Abort or Retry.";
inline constexpr const char* kCommErrorTitle = "Communications Error";

inline constexpr std::int16_t kDefaultPageSize = 64;
inline constexpr std::size_t kLoadInBufferSize = 1024;
inline constexpr std::size_t kResizeInBufferSize = 256;

inline constexpr const char* kCaptionReadingFLASH = "Reading FLASH";
inline constexpr const char* kCaptionReadingEEPROM = "Reading EEPROM";
inline constexpr const char* kCaptionProgrammingFLASH = "Programming FLASH";
inline constexpr const char* kCaptionProgrammingEEPROM = "Programming EEPROM";
inline constexpr const char* kCaptionVerifyingFLASH = "Verifying FLASH";
inline constexpr const char* kCaptionVerifyingEEPROM = "Verifying EEPROM";

// The description of a line event the link reports, or nothing for events it ignores.
std::optional<std::string> LineEventDescription(int code);

// Progress of step done out of the steps first..last, rounded half to even, 0..100.
int ProgressPercent(long done, long first, long last);

class Link {
 public:
  // abortFlag is the session's AbortFlag, set by Esc and polled by the loops.
  Link(core::Host& host, bool& abortFlag) : host_(host), abortFlag_(abortFlag) {}

  // The port and the clock every command uses; until then a command reports that no
  // port is set up.
  void Attach(SerialPort& port, core::Clock& clock);

  bool CommOK = false;
  // 1 for Com1 (/dev/ttyS0) and so on; CommPortPath, when not empty, names the device
  // instead.
  std::int16_t CommPortNumber = 1;
  std::string CommPortPath;
  std::int16_t PageSize = kDefaultPageSize;
  std::int16_t CommErrorCount = 0;
  std::int16_t FLASHErrors = 0;
  std::int16_t EEPROMErrors = 0;

  // The device the next opening uses.
  std::string PortDevice() const;
  void ConfigurePort(std::size_t inBufferSize);
  bool PortOpen() const;
  void ClosePort();
  // The pacing pause; the user interface stays alive.
  void DelayTimer(core::Clock::Duration wait);
  // The serial control's communication event.
  void OnCommEvent(int code);

  // Application mode.
  bool ReSync();
  std::int16_t ReadStatus();
  void ReadFirmwareID(core::ModuleImage& image);
  bool EnterBootLoad();

  // Boot loader.
  bool SetAddress(std::int32_t address);
  Byte ReadFLASH();
  Byte ReadEEPROM();
  bool WriteBuffer(std::span<const Byte> DataBuffer);
  bool ErasePage();
  bool WritePage();
  bool ExitBootLoad();

  // The transferred regions between the image and a module in boot-load mode.
  void ReadMegaFLASHData(core::ModuleImage& image);
  void ReadEEPROMData(core::ModuleImage& image);
  void WriteMegaFLASHData(const core::ModuleImage& image);
  void WriteEEPROMData(const core::ModuleImage& image);
  void VerifyFLASH(const core::ModuleImage& image);
  void VerifyEEPROM(const core::ModuleImage& image);

 private:
  SerialPort& Port() const;
  core::Clock& Clock() const;
  core::Clock::Duration Now() const;

  // Runs a procedure's exchange through the error prompt; true when it completed.
  // Retry runs it again from the opening of the port; Abort closes the port.
  bool Trapped(const std::function<void(int attempt)>& exchange);
  void OpenPort();
  // Open, drop what a failed exchange may still be sending, clear the receive buffer.
  void StartExchange();
  void DrainLine();
  void Send(std::initializer_list<Byte> bytes);
  void SendPaced(std::span<const Byte> bytes);
  bool WaitReply(std::size_t count, core::Clock::Duration deadline);
  // Waits for count bytes from now; on a time-out closes the port and raises the error.
  std::vector<Byte> Receive(std::size_t count, const char* timeoutText);
  [[noreturn]] void RaiseTimeout(const char* description);
  void HandleLineEvents();

  // After a retry the loader's address is unknown: set it again before resending.
  // False when the loader refused it.
  bool RestoreLoaderAddress(int attempt);
  Byte ReadAdvancing(Byte command);
  bool AcknowledgedCommand(std::initializer_list<Byte> bytes, std::size_t replyLength);
  bool SendBootLoadKey(const BootLoadKey& key);
  bool WriteEEPROMByte(Byte value);

  void ShowProgress(const char* caption);
  void EndLoop();

  core::Host& host_;
  bool& abortFlag_;
  SerialPort* port_ = nullptr;
  core::Clock* clock_ = nullptr;
  PortSettings settings_;
  // Set when an exchange timed out or was refused: its reply may still be on the line.
  bool drainFirst_ = false;
  std::optional<std::uint32_t> loaderAddress_;
};

}  // namespace comm
