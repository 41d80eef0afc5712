// A link wired to the simulated module on the fake clock, with a scripted host.
#pragma once

#include <functional>
#include <vector>

#include "fakes/fake_clock.h"
#include "fakes/scripted_host.h"
#include "link/link.h"
#include "sim/quillon_module.h"
#include "sim/simulated_port.h"

namespace linktest {

inline sim::Faults WithFaults(std::initializer_list<const char*> specs) {
  sim::Faults faults;
  for (const char* spec : specs) {
    const std::string error = sim::AddFault(faults, spec);
    if (!error.empty()) ADD_FAILURE() << error;
  }
  return faults;
}

// Calls whileYielding at every yield, counting from 1, so a test can press Esc mid-loop.
class YieldingHost : public fakes::ScriptedHost {
 public:
  std::function<void(int)> whileYielding;
  void Yield() override {
    ScriptedHost::Yield();
    if (whileYielding) whileYielding(yields);
  }
};

struct LinkRig {
  explicit LinkRig(sim::Edition edition = sim::Edition::JX, sim::Faults faults = {})
      : module(edition, std::move(faults)) {
    link.Attach(port, clock);
  }
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

  fakes::FakeClock clock;
  YieldingHost host;
  bool AbortFlag = false;
  sim::QuillonModule module;
  sim::SimulatedPort port{module, clock};
  comm::Link link{host, AbortFlag};

 private:
  std::size_t seen_ = 0;
};

}  // namespace linktest
