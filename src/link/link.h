// The module link: the port, its state and every command the tool sends to a Quillon
// module, from the link check to the programming and verification loops. Each
// procedure sets CommOK False on entry and True only when it succeeded.
//
// After a failed exchange (no reply in time, a wrong acknowledgement, a port failure)
// the link learns where the module stands before anything else is sent. The module
// echoes every byte it takes, so the link drains the line, counting what still arrives,
// until it has been quiet for kLateReplyBound (a busy module may answer well over a
// second late); only then does the prompt show, and the next exchange never reads a
// reply meant for an earlier one.
//  - Every byte of the command echoed, or a one-byte command: the module is between
//    commands. Retry sends the whole command again, the address first where a read or
//    EEPROM write may have moved the loader's address.
//  - Part of a command sent (a page load stopped after some data bytes) and every byte
//    sent echoed: the module waits for the rest. Retry sends exactly the rest, so the
//    page buffer holds the intended bytes.
//  - Anything else (a byte sent without its echo, more bytes than the reply holds, a
//    stream that never goes quiet): the module's state is unknown, since the next byte
//    could be taken as a command or as data. The prompt offers no Retry, and no
//    boot-loader command, the exit from the boot loader included, is sent again until a
//    link check has found the module in application mode.
// A command therefore gives up within the reply time-out plus the drain: at most
// kReplyTimeout + kDrainLimit before its prompt.
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
#include "core/serial_port.h"
#include "link/port_failure.h"
#include "link/protocol.h"

namespace comm {

inline constexpr const char* kTimeoutAbort = "RS-232 timeout. Check cable and click Abort.";
inline constexpr const char* kTimeoutAbortOrRetry =
    "RS-232 timeout. Check cable and click Abort or Retry.";
inline constexpr const char* kCommErrorTitle = "Communications Error";

// A module's reply may come this late and still be drained rather than read as the reply
// to the next exchange; the line must stay quiet this long after a failure.
inline constexpr std::chrono::microseconds kLateReplyBound = std::chrono::seconds(2);
// A line that keeps talking this long after a failure is out of step.
inline constexpr std::chrono::microseconds kDrainLimit = std::chrono::seconds(8);

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
  void Attach(core::SerialPort& port, core::Clock& clock);
  // What the program tells its user to do about a port failure, added to the prompt.
  void SetPortAdvice(PortAdvice advice) { portAdvice_ = std::move(advice); }

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
  // True after a procedure ended on a port that could not be used (missing, busy, gone),
  // until the next procedure starts.
  bool PortUnusable() const { return portUnusable_; }
  // False while the module's state is unknown after a failure: boot-loader commands are
  // then not sent. A link check that succeeds makes it true again.
  bool InStep() const { return inStep_; }

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
  // One command on the wire: the bytes it sends and the reply bytes it expects in all
  // (the echoes first). resumable: after a failure part-way, the rest may be sent.
  struct CommandShape {
    std::size_t length;
    std::size_t replyLength;
    bool resumable;
  };
  // Where the module stands after a failure: between commands (taken 0), or holding the
  // first taken bytes of the command; unknown when it cannot be told.
  struct Standing {
    bool known;
    std::size_t taken;
  };
  // An exchange runs with from = the bytes of the command the module already holds, and
  // again = true when it follows a failure after which the module is between commands.
  using Exchange = std::function<void(std::size_t from, bool again)>;

  core::SerialPort& Port() const;
  core::Clock& Clock() const;
  core::Clock::Duration Now() const;

  // Runs a command's exchange through the error prompt; true when it completed. After a
  // failure the line is settled first and Retry is offered only where it is safe.
  bool Trapped(const Exchange& exchange);
  void OpenPort();
  // Opens the port, clears the receive buffer and starts counting the command's bytes.
  void StartExchange(const CommandShape& shape, std::size_t from = 0);
  void Send(std::initializer_list<Byte> bytes);
  void SendPaced(std::span<const Byte> bytes);
  bool WaitReply(std::size_t count, core::Clock::Duration deadline);
  Byte ReadReplyByte();
  // Waits for count bytes from now and reads them; raises the time-out when they do not come.
  std::vector<Byte> Receive(std::size_t count, const char* timeoutText);
  [[noreturn]] static void RaiseTimeout(const char* description);
  // The exchange failed: drain the line, counting late bytes, and tell where the module
  // stands; an unknown standing takes the link out of step.
  Standing Settle();
  std::size_t DrainLate(bool& overflowed);
  void HandleLineEvents();
  // The failure as the prompt shows it, with the program's advice for a port failure.
  core::Failure SettledFailure(const std::exception_ptr& failure, bool& portFailed) const;

  // Sets the loader's address to what it should be before a command is sent again.
  // False when the loader refused it.
  bool RestoreLoaderAddress();
  Byte ReadAdvancing(Byte command);
  bool AcknowledgedCommand(std::initializer_list<Byte> bytes, std::size_t replyLength);
  bool SendBootLoadKey(const BootLoadKey& key);
  bool WriteEEPROMByte(Byte value);

  void ShowProgress(const char* caption);
  void EndLoop();

  core::Host& host_;
  bool& abortFlag_;
  core::SerialPort* port_ = nullptr;
  core::Clock* clock_ = nullptr;
  core::PortSettings settings_{kLineSettings};
  PortAdvice portAdvice_;
  bool portUnusable_ = false;
  bool inStep_ = true;
  // The command on the wire and what went each way since it started.
  CommandShape shape_{0, 0, false};
  std::size_t from_ = 0;
  std::size_t sent_ = 0;
  std::size_t received_ = 0;
  std::optional<std::uint32_t> loaderAddress_;
};

}  // namespace comm
