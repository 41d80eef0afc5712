// Faults the simulated module can be told to show, each given as a small text spec.
#pragma once

#include <chrono>
#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "link/protocol.h"

namespace sim {

struct Faults {
  // Never answers.
  bool silent = false;
  // ReSync is not acknowledged until this long after the module started.
  std::optional<std::chrono::milliseconds> busy;
  // The status byte says the engine has been started.
  bool engineStarted = false;
  // Commands whose acknowledgement is wrong.
  std::set<comm::Byte> nak;
  // Commands whose next reply comes this much late, once.
  std::map<comm::Byte, std::chrono::milliseconds> late;
  // Commands whose every reply comes this much late.
  std::map<comm::Byte, std::chrono::milliseconds> lateEvery;
  // Stops answering after this many received bytes.
  std::optional<std::size_t> dropAfter;
  // The received byte with this number (from 1) is lost on its way to the module.
  std::optional<std::size_t> lose;
  // After the received byte with this number the module takes nothing for a while; what
  // arrives meanwhile waits and is taken, and echoed, when the stall ends.
  struct Stall {
    std::size_t afterByte;
    std::chrono::milliseconds duration;
  };
  std::optional<Stall> stall;
  // The port goes away after this many bytes written (in-process port only).
  std::optional<std::size_t> vanishAfter;
  // Programming stores a wrong low byte at this FLASH word.
  std::optional<std::size_t> flipFlashWord;
  // Line events raised once each, in order (in-process port only).
  std::vector<int> lineErrors;
  std::optional<std::string> firmwareID;
};

// Adds one spec ("silent", "busy=1200", "nak=1D", ...) to faults; an error text when
// the spec cannot be used, empty when it was taken.
std::string AddFault(Faults& faults, std::string_view spec);

// The --help text that lists the specs.
std::string FaultHelp();

}  // namespace sim
