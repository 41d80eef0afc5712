// A clock that only moves when the code under test waits, so deadlines are exact.
#pragma once

#include "core/host.h"

namespace fakes {

class FakeClock : public core::Clock {
 public:
  Duration Now() override { return now; }
  void DelayTimer(Duration wait) override { now += wait; }
  void Advance(Duration by) { now += by; }

  Duration now{0};
};

}  // namespace fakes
