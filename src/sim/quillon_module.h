// A Quillon module as the tool sees it over the line: the application firmware's four
// commands and the serial boot loader with its current address, page buffer, erase and
// program. Fed one received byte at a time; it answers with the bytes to send back.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "link/protocol.h"
#include "sim/editions.h"
#include "sim/faults.h"

namespace sim {

using Time = std::chrono::nanoseconds;

// Page erase and page programming each keep the part busy this long.
inline constexpr Time kPageOperationTime = std::chrono::microseconds(4500);
inline constexpr std::size_t kPageBytes = 128;
// Answer to a refused key or command where an acknowledgement was due.
inline constexpr comm::Byte kNAK = 0x15;

struct Reply {
  comm::Byte value;
  // The module cannot start sending this byte before then.
  Time notBefore;
};

class QuillonModule {
 public:
  explicit QuillonModule(Edition edition, Faults faults = {});
  QuillonModule(Edition edition, Faults faults, const Memories& memories);

  // One byte received at time at (time since the module started).
  std::vector<Reply> Receive(comm::Byte value, Time at);

  bool InBootLoader() const { return bootLoader_; }
  std::size_t BytesReceived() const { return received_; }
  // Each erase, programming or EEPROM write that hit memory outside the transferred
  // regions, described; a tool that works never causes one.
  const std::vector<std::string>& StrayWrites() const { return strayWrites_; }
  Memories& memories() { return memories_; }
  const Faults& faults() const { return faults_; }
  std::string firmwareID() const { return firmwareID_; }

 private:
  void Start(comm::Byte command, Time at);
  void Continue(comm::Byte value, Time at);
  void Answer(comm::Byte value, Time at);
  void Acknowledge(Time at);
  void Finish() {
    command_ = 0;
    arguments_.clear();
  }
  void ApplicationCommand(comm::Byte command, Time at);
  void BootLoaderCommand(comm::Byte command, Time at);
  void ProgramPage();
  // The first byte address of the page the loader's address lies in; notes a stray write
  // when the page is outside the region.
  std::uint32_t PageToChange(const char* change);

  Memories memories_;
  Faults faults_;
  std::string firmwareID_;
  bool bootLoader_ = false;
  std::uint32_t address_ = 0;
  std::vector<comm::Byte> pageBuffer_;
  comm::Byte command_ = 0;
  std::vector<comm::Byte> arguments_;
  Time lateBy_{0};
  // A stalled module takes nothing before then.
  Time stalledUntil_{0};
  std::vector<std::string> strayWrites_;
  std::size_t received_ = 0;
  std::vector<Reply> replies_;
};

}  // namespace sim
