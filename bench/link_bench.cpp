// Reads and programs the transferred regions against the simulated module, first in the
// same process and then over a pseudo-terminal with ventrel-sim, and sets the time each
// took against the protocol floor: the wire time and every pause the protocol requires,
// measured by running the same exchanges on a clock that only moves when asked to.
#include <QCoreApplication>
#include <cstdio>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "core/module_image.h"
#include "fakes/fake_clock.h"
#include "link/link.h"
#include "qt/qt_clock.h"

namespace {

using bench::kCPUTarget;
using bench::kRatioTarget;

// Any box, a notice as much as a prompt, means the run failed.
constexpr auto kNotices = bench::BenchHost::Notices::Fail;

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

// Runs every operation on the link, in boot-load mode, and times each.
std::vector<Figures> RunAll(comm::Link& link, core::Clock& clock, bool realTime) {
  std::vector<Figures> figures;
  core::ModuleImage image;
  if (!link.EnterBootLoad()) return figures;
  for (const Operation& operation : Operations()) {
    const bench::Stopwatch watch(clock, realTime);
    Figures f;
    f.ok = operation.run(link, image);
    f.cpuSeconds = watch.CPUSeconds();
    f.wallSeconds = watch.WallSeconds();
    figures.push_back(f);
  }
  link.ExitBootLoad();
  return figures;
}

std::vector<Figures> FloorFigures() {
  bench::BenchHost host(kNotices);
  fakes::FakeClock clock;
  std::vector<Figures> figures;
  bench::OnSimulatedModule(host, clock,
                           [&](comm::Link& link) { figures = RunAll(link, clock, false); });
  return figures;
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

  bench::BenchHost host(kNotices);
  qtui::QtClock clock;
  std::vector<Figures> inProcess;
  bench::OnSimulatedModule(host, clock,
                           [&](comm::Link& link) { inProcess = RunAll(link, clock, true); });
  std::printf("link_bench: JX module, %s\n", comm::kLineSettings);
  Report("In process (simulated port, program clock):", inProcess, floor, true);

  bench::OverPseudoTerminal(host, [&](comm::Link& link, const std::string& device) {
    const std::vector<Figures> overPty = RunAll(link, clock, true);
    Report(("Over a pseudo-terminal (QSerialPort, ventrel-sim on " + device + "):").c_str(),
           overPty, floor, false);
  });
  bench::PrintFailures(host);

  bool met = inProcess.size() == floor.size();
  for (std::size_t i = 0; met && i < inProcess.size(); ++i) {
    met = inProcess[i].ok && inProcess[i].wallSeconds / floor[i].wallSeconds <= kRatioTarget &&
          inProcess[i].cpuSeconds / inProcess[i].wallSeconds <= kCPUTarget;
  }
  std::printf("\nin-process targets %s\n", met ? "met" : "MISSED");
  return met ? 0 : 1;
}
