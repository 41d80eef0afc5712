#include "bench_support.h"

#include <sys/resource.h>

#include <QCoreApplication>
#include <cstdio>
#include <filesystem>

#include "fakes/sim_process.h"
#include "qt/link_devices.h"

namespace bench {

core::Answer BenchHost::MsgBox(const std::string& text, const std::string&, core::Buttons buttons,
                               core::Icon) {
  if (buttons == core::Buttons::OK && notices_ == Notices::Acknowledge) return core::Answer::OK;
  failures.push_back(text);
  return core::Answer::Abort;
}

void BenchHost::Yield() { QCoreApplication::processEvents(); }

double ProcessCPUSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

Stopwatch::Stopwatch(core::Clock& clock, bool realTime)
    : clock_(clock),
      realTime_(realTime),
      wallStart_(std::chrono::steady_clock::now()),
      clockStart_(clock.Now()),
      cpuStart_(ProcessCPUSeconds()) {}

double Stopwatch::CPUSeconds() const { return ProcessCPUSeconds() - cpuStart_; }

double Stopwatch::WallSeconds() const {
  return realTime_
             ? std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart_).count()
             : std::chrono::duration<double>(clock_.Now() - clockStart_).count();
}

void OnSimulatedModule(core::Host& host, core::Clock& clock,
                       const std::function<void(comm::Link& link)>& run) {
  bool abortFlag = false;
  comm::Link link(host, abortFlag);
  qtui::LinkDevices devices(link);
  devices.UseSimulatedModule(sim::Edition::JX, &clock);
  run(link);
}

void OverPseudoTerminal(
    core::Host& host, const std::function<void(comm::Link& link, const std::string& device)>& run) {
  const std::filesystem::path simulatorPath =
      std::filesystem::read_symlink("/proc/self/exe").parent_path() / "ventrel-sim";
  const auto simulator = fakes::SimProcess::Start(simulatorPath.string());
  if (!simulator) {
    std::printf("\nOver a pseudo-terminal: ventrel-sim could not be started\n");
    return;
  }
  bool abortFlag = false;
  comm::Link link(host, abortFlag);
  qtui::LinkDevices devices(link);
  devices.UsePortDevice(simulator->device());
  run(link, simulator->device());
}

void PrintFailures(const BenchHost& host) {
  for (const std::string& failure : host.failures) std::printf("prompt: %s\n", failure.c_str());
}

}  // namespace bench
