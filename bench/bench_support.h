// What the link and transfer benchmarks share: a host with nobody at the screen, the clock
// of the protocol floor, the time a run took, and the two ways to the simulated module (in
// the same process, and ventrel-sim over a pseudo-terminal).
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/host.h"
#include "link/link.h"
#include "qt/qt_clock.h"

namespace bench {

inline constexpr double kRatioTarget = 1.10;
inline constexpr double kCPUTarget = 0.05;

// Nobody at the screen: a prompt means the run failed and is answered Abort. A notice (OK
// alone) is a failure as well, unless the benchmark's commands say their outcome by one.
class BenchHost : public core::Host {
 public:
  enum class Notices { Fail, Acknowledge };
  explicit BenchHost(Notices notices) : notices_(notices) {}

  core::Answer MsgBox(const std::string& text, const std::string& title, core::Buttons buttons,
                      core::Icon icon) override;
  std::optional<std::string> InputBox(const std::string&, const std::string&,
                                      const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> OpenFileDialog(const core::FileDialogRequest&) override {
    return std::nullopt;
  }
  std::optional<std::string> SaveFileDialog(const core::FileDialogRequest&) override {
    return std::nullopt;
  }
  void ShowProgress(const std::string&) override {}
  void SetProgress(int) override {}
  void HideProgress() override {}
  void Yield() override;
  std::string ClipboardText() override { return clipboard; }
  void SetClipboardText(const std::string& text) override { clipboard = text; }

  std::vector<std::string> failures;
  std::string clipboard;

 private:
  Notices notices_;
};

// User and system CPU time of this process so far.
double ProcessCPUSeconds();

// Started when made. The wall time since counts in real time; otherwise the run's own clock
// does, which on the floor clock is the protocol floor.
class Stopwatch {
 public:
  Stopwatch(core::Clock& clock, bool realTime);
  double CPUSeconds() const;
  double WallSeconds() const;

 private:
  core::Clock& clock_;
  bool realTime_;
  std::chrono::steady_clock::time_point wallStart_;
  core::Clock::Duration clockStart_;
  double cpuStart_;
};

// Runs on a link to the JX simulated module in this process, through its simulated port,
// on the given clock.
void OnSimulatedModule(core::Host& host, core::Clock& clock,
                       const std::function<void(comm::Link& link)>& run);

// Runs on a link through QSerialPort, on the program's clock, to ventrel-sim (beside this
// program) on the pseudo-terminal named by device. Without the simulator it says so and
// runs nothing.
void OverPseudoTerminal(
    core::Host& host, const std::function<void(comm::Link& link, const std::string& device)>& run);

// Every prompt a run met, one a line.
void PrintFailures(const BenchHost& host);

}  // namespace bench
