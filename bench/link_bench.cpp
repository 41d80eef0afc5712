// Reads and programs the transferred regions against the simulated module, first in the
// same process and then over a pseudo-terminal with ventrel-sim, and sets the time each
// took against the protocol floor: the wire time and every pause the protocol requires,
// measured by running the same exchanges on a clock that only moves when asked to.
#include <sys/resource.h>

#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "core/module_image.h"
#include "fakes/sim_process.h"
#include "link/link.h"
#include "qt/qt_clock.h"
#include "qt/qt_serial_port.h"
#include "sim/quillon_module.h"
#include "sim/simulated_port.h"

namespace {

using Duration = core::Clock::Duration;
constexpr double kRatioTarget = 1.10;
constexpr double kCPUTarget = 0.05;

// Time moves only by the waits the link asks for: what remains is the protocol itself.
class FloorClock : public core::Clock {
 public:
  Duration Now() override { return now_; }
  void DelayTimer(Duration wait) override { now_ += wait; }

 private:
  Duration now_{0};
};

// A host without a person: any box means the run failed.
class BenchHost : public core::Host {
 public:
  core::Answer MsgBox(const std::string& text, const std::string&, core::Buttons,
                      core::Icon) override {
    failures.push_back(text);
    return core::Answer::Abort;
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

struct Operation {
  const char* name;
  std::function<bool(comm::Link&, core::ModuleImage&)> run;
};

const std::vector<Operation>& Operations() {
  static const std::vector<Operation> operations = {
      {"read FLASH region",
       [](comm::Link& link, core::ModuleImage& image) {
         link.ReadMegaFLASHData(image);
         return link.CommOK;
       }},
      {"read EEPROM region",
       [](comm::Link& link, core::ModuleImage& image) {
         link.ReadEEPROMData(image);
         return link.CommOK;
       }},
      {"program + verify FLASH",
       [](comm::Link& link, core::ModuleImage& image) {
         link.WriteMegaFLASHData(image);
         return link.CommOK && link.FLASHErrors == 0;
       }},
      {"program + verify EEPROM",
       [](comm::Link& link, core::ModuleImage& image) {
         link.WriteEEPROMData(image);
         return link.CommOK && link.EEPROMErrors == 0;
       }},
  };
  return operations;
}

struct Figures {
  double wallSeconds = 0;
  double cpuSeconds = 0;
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

// Runs every operation on the link, in boot-load mode, and times each.
std::vector<Figures> RunAll(comm::Link& link, core::Clock& clock, bool realTime) {
  std::vector<Figures> figures;
  core::ModuleImage image;
  if (!link.EnterBootLoad()) return figures;
  for (const Operation& operation : Operations()) {
    const auto wallStart = std::chrono::steady_clock::now();
    const Duration clockStart = clock.Now();
    const double cpuStart = ProcessCPUSeconds();
    Figures f;
    f.ok = operation.run(link, image);
    f.cpuSeconds = ProcessCPUSeconds() - cpuStart;
    f.wallSeconds =
        realTime
            ? std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count()
            : std::chrono::duration<double>(clock.Now() - clockStart).count();
    figures.push_back(f);
  }
  link.ExitBootLoad();
  return figures;
}

std::vector<Figures> FloorFigures() {
  BenchHost host;
  bool abortFlag = false;
  FloorClock clock;
  sim::QuillonModule module(sim::Edition::JX);
  sim::SimulatedPort port(module, clock);
  comm::Link link(host, abortFlag);
  link.Attach(port, clock);
  return RunAll(link, clock, false);
}

void Report(const char* title, const std::vector<Figures>& measured,
            const std::vector<Figures>& floor, bool targets) {
  std::printf("\n%s\n", title);
  std::printf("  %-24s %9s %9s %7s %7s  %s\n", "operation", "wall ms", "floor ms", "ratio", "CPU",
              targets ? "target: ratio <= 1.10, CPU <= 5 %" : "(no target)");
  for (std::size_t i = 0; i < measured.size() && i < floor.size(); ++i) {
    const double ratio = measured[i].wallSeconds / floor[i].wallSeconds;
    const double cpu = measured[i].cpuSeconds / measured[i].wallSeconds;
    const char* verdict = !measured[i].ok                              ? "FAILED"
                          : !targets                                   ? ""
                          : ratio <= kRatioTarget && cpu <= kCPUTarget ? "met"
                                                                       : "MISSED";
    std::printf("  %-24s %9.1f %9.1f %7.3f %6.1f%%  %s (ratio to target %.3f)\n",
                Operations()[i].name, measured[i].wallSeconds * 1e3, floor[i].wallSeconds * 1e3,
                ratio, cpu * 100, verdict, ratio / kRatioTarget);
  }
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  const std::vector<Figures> floor = FloorFigures();
  if (floor.size() != Operations().size()) {
    std::cerr << "link_bench: the protocol floor run failed\n";
    return 1;
  }

  BenchHost host;
  bool abortFlag = false;
  qtui::QtClock clock;
  std::vector<Figures> inProcess;
  {
    sim::QuillonModule module(sim::Edition::JX);
    sim::SimulatedPort port(module, clock);
    comm::Link link(host, abortFlag);
    link.Attach(port, clock);
    inProcess = RunAll(link, clock, true);
  }
  std::printf("link_bench: JX module, %s\n", comm::kLineSettings);
  Report("In process (simulated port, program clock):", inProcess, floor, true);

  std::vector<Figures> overPty;
  const std::filesystem::path simulatorPath =
      std::filesystem::read_symlink("/proc/self/exe").parent_path() / "ventrel-sim";
  if (const auto simulator = fakes::SimProcess::Start(simulatorPath.string())) {
    qtui::QtSerialPort port(clock);
    comm::Link link(host, abortFlag);
    link.Attach(port, clock);
    link.CommPortPath = simulator->device();
    overPty = RunAll(link, clock, true);
    Report(("Over a pseudo-terminal (QSerialPort, ventrel-sim on " + simulator->device() + "):")
               .c_str(),
           overPty, floor, false);
  } else {
    std::printf("\nOver a pseudo-terminal: ventrel-sim could not be started\n");
  }
  for (const std::string& failure : host.failures) std::printf("prompt: %s\n", failure.c_str());

  bool met = inProcess.size() == floor.size();
  for (std::size_t i = 0; met && i < inProcess.size(); ++i) {
    met = inProcess[i].ok && inProcess[i].wallSeconds / floor[i].wallSeconds <= kRatioTarget &&
          inProcess[i].cpuSeconds / inProcess[i].wallSeconds <= kCPUTarget;
  }
  std::printf("\nin-process targets %s\n", met ? "met" : "MISSED");
  return met ? 0 : 1;
}
