// A link wired to the simulated module on the fake clock, with a scripted host.
#pragma once

#include <string>
#include <vector>

#include "core/regions.h"
#include "fakes/fake_clock.h"
#include "fakes/scripted_host.h"
#include "link/link.h"
#include "sim/quillon_module.h"
#include "sim/simulated_port.h"

namespace linktest {

inline sim::Faults WithFaults(std::initializer_list<std::string> specs) {
  sim::Faults faults;
  for (const std::string& spec : specs) {
    const std::string error = spec.empty() ? "" : sim::AddFault(faults, spec);
    if (!error.empty()) ADD_FAILURE() << error;
  }
  return faults;
}

// The image a module with these memories gives, before any preparation: the transferred
// regions, zero elsewhere.
inline core::ModuleImage RegionsOf(const sim::Memories& memories) {
  core::ModuleImage image;
  for (std::size_t w = core::kFLASHRegionFirstWord; w <= core::kFLASHRegionLastWord; ++w) {
    image.FLASHBuffer[w] = {memories.flash[2 * w + 1], memories.flash[2 * w]};
  }
  for (std::size_t i = core::kEEPROMRegionFirstByte; i <= core::kEEPROMRegionLastByte; ++i) {
    image.EEPROMBuffer[i] = memories.eeprom[i];
  }
  return image;
}

struct LinkRig {
  explicit LinkRig(sim::Edition edition = sim::Edition::JX, sim::Faults faults = {})
      : module(edition, std::move(faults)) {
    link.Attach(port, clock);
  }
  explicit LinkRig(std::initializer_list<std::string> faults)
      : LinkRig(sim::Edition::JX, WithFaults(faults)) {}
  // The bytes written since the last call.
  std::vector<comm::Byte> Sent() {
    std::vector<comm::Byte> sent(port.written().begin() + static_cast<long>(seen_),
                                 port.written().end());
    seen_ = port.written().size();
    return sent;
  }
  void EnterBootLoader() {
    ASSERT_TRUE(link.EnterBootLoad());
    Sent();
  }
  std::vector<std::string> Texts() const { return host.Texts(); }

  fakes::FakeClock clock;
  fakes::ScriptedHost host;
  bool AbortFlag = false;
  sim::QuillonModule module;
  sim::SimulatedPort port{module, clock};
  comm::Link link{host, AbortFlag};

 private:
  std::size_t seen_ = 0;
};

}  // namespace linktest
