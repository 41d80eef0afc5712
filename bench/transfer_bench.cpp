// A whole download and a whole upload with its verification, by the commands themselves,
// against the simulated module: in the same process and over a pseudo-terminal with
// ventrel-sim, on the program's clock. Each is set against the protocol floor (the same
// commands on a clock that only moves by the waits the protocol requires), with its CPU
// share and the longest time the event loop went without a turn (the window repaints on
// each turn).
#include <sys/resource.h>

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "core/window_state.h"
#include "fakes/sim_process.h"
#include "link/link.h"
#include "qt/qt_clock.h"
#include "qt/qt_serial_port.h"
#include "sim/quillon_module.h"
#include "sim/simulated_port.h"
#include "tables/table_editor.h"
#include "transfer/download.h"
#include "transfer/upload.h"

namespace {

using Duration = core::Clock::Duration;
using Steady = std::chrono::steady_clock;
constexpr double kRatioTarget = 1.10;
constexpr double kRatioGoal = 1.05;
constexpr double kCPUTarget = 0.05;
constexpr double kGapTargetMs = 50;
constexpr std::chrono::milliseconds kTurnProbeInterval{5};

class FloorClock : public core::Clock {
 public:
  Duration Now() override { return now_; }
  void DelayTimer(Duration wait) override { now_ += wait; }

 private:
  Duration now_{0};
};

// Nobody at the screen: notices are acknowledged, a prompt means the run failed.
class BenchHost : public core::Host {
 public:
  core::Answer MsgBox(const std::string& text, const std::string&, core::Buttons buttons,
                      core::Icon) override {
    if (buttons != core::Buttons::OK) failures.push_back(text);
    return buttons == core::Buttons::OK ? core::Answer::OK : core::Answer::Abort;
  }
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
  void Yield() override { QCoreApplication::processEvents(); }
  std::string ClipboardText() override { return {}; }
  void SetClipboardText(const std::string&) override {}

  std::vector<std::string> failures;
};

class NoWindow : public core::WindowView {
 public:
  void SetCaption(const std::string&) override {}
  void SetRetardTableCommandVisible(bool) override {}
};

struct Figures {
  double wallSeconds = 0;
  double cpuSeconds = 0;
  double longestGapMs = 0;
  bool ok = false;
};

double ProcessCPUSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Records the longest stretch between two turns of the event loop while it is alive.
class TurnProbe {
 public:
  TurnProbe() {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(kTurnProbeInterval);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Turn(); });
    last_ = Steady::now();
    timer_.start();
  }
  double LongestGapMs() {
    Turn();
    return std::chrono::duration<double, std::milli>(longest_).count();
  }

 private:
  void Turn() {
    const auto now = Steady::now();
    longest_ = std::max(longest_, now - last_);
    last_ = now;
  }
  QTimer timer_;
  Steady::time_point last_;
  Steady::duration longest_{0};
};

// Downloads, then uploads what came, through one link; figures for each.
std::vector<Figures> RunBoth(comm::Link& link, core::Clock& clock, BenchHost& host, bool realTime) {
  core::ModuleImage image;
  NoWindow view;
  core::WindowState window(view);
  tables::TableEditor editor(image, window, host, {});
  const std::function<bool()> operations[] = {
      [&] {
        return transfer::Download(image, link, editor, window, host) ==
               transfer::Outcome::Completed;
      },
      [&] { return transfer::Upload(image, link, host) == transfer::Outcome::Completed; },
  };
  std::vector<Figures> figures;
  for (const auto& operation : operations) {
    const auto wallStart = Steady::now();
    const Duration clockStart = clock.Now();
    const double cpuStart = ProcessCPUSeconds();
    Figures f;
    {
      TurnProbe probe;
      f.ok = operation();
      f.longestGapMs = probe.LongestGapMs();
    }
    f.cpuSeconds = ProcessCPUSeconds() - cpuStart;
    f.wallSeconds = realTime ? std::chrono::duration<double>(Steady::now() - wallStart).count()
                             : std::chrono::duration<double>(clock.Now() - clockStart).count();
    figures.push_back(f);
  }
  return figures;
}

const char* const kOperationNames[] = {"download", "upload + verify"};

std::vector<Figures> FloorFigures() {
  BenchHost host;
  bool abortFlag = false;
  FloorClock clock;
  sim::QuillonModule module(sim::Edition::JX);
  sim::SimulatedPort port(module, clock);
  comm::Link link(host, abortFlag);
  link.Attach(port, clock);
  return RunBoth(link, clock, host, false);
}

bool Met(const Figures& measured, const Figures& floor) {
  return measured.ok && measured.wallSeconds / floor.wallSeconds <= kRatioTarget &&
         measured.cpuSeconds / measured.wallSeconds <= kCPUTarget &&
         measured.longestGapMs <= kGapTargetMs;
}

void Report(const std::string& title, const std::vector<Figures>& measured,
            const std::vector<Figures>& floor) {
  std::printf("\n%s\n", title.c_str());
  std::printf("  %-16s %9s %9s %7s %7s %9s  %s\n", "command", "wall ms", "floor ms", "ratio", "CPU",
              "gap ms", "targets: ratio <= 1.10 (goal 1.05), CPU <= 5 %, gap <= 50 ms");
  for (std::size_t i = 0; i < measured.size() && i < floor.size(); ++i) {
    const Figures& m = measured[i];
    const double ratio = m.wallSeconds / floor[i].wallSeconds;
    const char* verdict = !m.ok                 ? "FAILED"
                          : !Met(m, floor[i])   ? "MISSED"
                          : ratio <= kRatioGoal ? "met, goal met"
                                                : "met";
    std::printf(
        "  %-16s %9.1f %9.1f %7.3f %6.1f%% %9.1f  %s (ratio to target %.3f, CPU to target %.2f, "
        "gap to target %.2f)\n",
        kOperationNames[i], m.wallSeconds * 1e3, floor[i].wallSeconds * 1e3, ratio,
        m.cpuSeconds / m.wallSeconds * 100, m.longestGapMs, verdict, ratio / kRatioTarget,
        m.cpuSeconds / m.wallSeconds / kCPUTarget, m.longestGapMs / kGapTargetMs);
  }
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  const std::vector<Figures> floor = FloorFigures();
  if (floor.size() != 2 || !floor[0].ok || !floor[1].ok) {
    std::cerr << "transfer_bench: the protocol floor run failed\n";
    return 1;
  }
  std::printf("transfer_bench: JX module, %s\n", comm::kLineSettings);

  BenchHost host;
  bool abortFlag = false;
  qtui::QtClock clock;
  std::vector<Figures> inProcess;
  {
    sim::QuillonModule module(sim::Edition::JX);
    sim::SimulatedPort port(module, clock);
    comm::Link link(host, abortFlag);
    link.Attach(port, clock);
    inProcess = RunBoth(link, clock, host, true);
  }
  Report("In process (simulated port, program clock):", inProcess, floor);

  std::vector<Figures> overPty;
  const std::filesystem::path simulatorPath =
      std::filesystem::read_symlink("/proc/self/exe").parent_path() / "ventrel-sim";
  if (const auto simulator = fakes::SimProcess::Start(simulatorPath.string())) {
    qtui::QtSerialPort port(clock);
    comm::Link link(host, abortFlag);
    link.Attach(port, clock);
    link.CommPortPath = simulator->device();
    overPty = RunBoth(link, clock, host, true);
    Report("Over a pseudo-terminal (QSerialPort, ventrel-sim on " + simulator->device() + "):",
           overPty, floor);
  } else {
    std::printf("\nOver a pseudo-terminal: ventrel-sim could not be started\n");
  }
  for (const std::string& failure : host.failures) std::printf("prompt: %s\n", failure.c_str());

  const auto allMet = [&](const std::vector<Figures>& measured) {
    if (measured.size() != floor.size()) return false;
    for (std::size_t i = 0; i < floor.size(); ++i) {
      if (!Met(measured[i], floor[i])) return false;
    }
    return true;
  };
  const bool met = allMet(inProcess);
  std::printf("\nin-process targets %s; over the pseudo-terminal %s\n", met ? "met" : "MISSED",
              allMet(overPty) ? "met" : "MISSED");
  return met ? 0 : 1;
}
