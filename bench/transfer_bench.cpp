// A whole download and a whole upload with its verification, by the commands themselves,
// against the simulated module: in the same process, over a pseudo-terminal with
// ventrel-sim, and through the desktop program's main window (its progress frame, its
// repaints, with the front table open during the upload), on the program's clock. Each is set
// against the protocol floor (the same commands on a clock that only moves by the waits the
// protocol requires), with its CPU share and the longest time the event loop went without a turn
// (the window repaints on each turn).
#include <QAction>
#include <QApplication>
#include <QProgressBar>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "core/window_state.h"
#include "fakes/fake_clock.h"
#include "fakes/recording_view.h"
#include "link/link.h"
#include "qt/frm_main.h"
#include "qt/link_devices.h"
#include "qt/qt_clock.h"
#include "qt/qt_host.h"
#include "tables/table_editor.h"
#include "transfer/download.h"
#include "transfer/upload.h"

namespace {

using Steady = std::chrono::steady_clock;
using bench::kCPUTarget;
using bench::kRatioTarget;
constexpr double kRatioGoal = 1.05;
constexpr double kGapTargetMs = 50;
constexpr std::chrono::milliseconds kTurnProbeInterval{5};

// The commands say their outcome by a notice: acknowledged; any other box means the run failed.
constexpr auto kNotices = bench::BenchHost::Notices::Acknowledge;

struct Figures {
  double wallSeconds = 0;
  double cpuSeconds = 0;
  double longestGapMs = 0;
  bool ok = false;
};

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
std::vector<Figures> RunBoth(comm::Link& link, core::Clock& clock, core::Host& host,
                             bool realTime) {
  core::ModuleImage image;
  fakes::RecordingView view;
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
    const bench::Stopwatch watch(clock, realTime);
    Figures f;
    {
      TurnProbe probe;
      f.ok = operation();
      f.longestGapMs = probe.LongestGapMs();
    }
    f.cpuSeconds = watch.CPUSeconds();
    f.wallSeconds = watch.WallSeconds();
    figures.push_back(f);
  }
  return figures;
}

const char* const kOperationNames[] = {"download", "upload + verify"};

// The desktop program's own host, progress frame and event loop; nobody at the screen.
class DesktopHost : public qtui::QtHost {
 public:
  DesktopHost() : QtHost(nullptr) {}
  core::Answer MsgBox(const std::string& text, const std::string& title, core::Buttons buttons,
                      core::Icon icon) override {
    return bench_.MsgBox(text, title, buttons, icon);
  }
  bench::BenchHost bench_{kNotices};
};

// Download, then the front table opened, then upload, each chosen from the menus.
std::vector<Figures> DesktopFigures(DesktopHost& host) {
  qtui::frmMain window(app::BuiltInBranding(),
                       std::filesystem::read_symlink("/proc/self/exe").parent_path(), &host);
  window.Form_Load();
  host.AttachProgressFrame(window.progressFrame(),
                           window.findChild<QProgressBar*>(QStringLiteral("prgProgress1")));
  window.linkDevices().UseSimulatedModule(sim::Edition::JX);
  window.show();
  QApplication::processEvents();
  qtui::QtClock& clock = window.linkDevices().clock();
  const auto trigger = [&](const char* name) {
    window.findChild<QAction*>(QString::fromLatin1(name))->trigger();
    return host.bench_.failures.empty();
  };
  std::vector<Figures> figures;
  for (const char* command : {"mnuDownload", "mnuUpload"}) {
    if (std::string_view(command) == "mnuUpload") trigger("mnuEditFrontCylTrimTbl");
    QApplication::processEvents();
    const bench::Stopwatch watch(clock, true);
    Figures f;
    {
      TurnProbe probe;
      f.ok = trigger(command);
      f.longestGapMs = probe.LongestGapMs();
    }
    f.cpuSeconds = watch.CPUSeconds();
    f.wallSeconds = watch.WallSeconds();
    figures.push_back(f);
  }
  return figures;
}

std::vector<Figures> FloorFigures() {
  bench::BenchHost host(kNotices);
  fakes::FakeClock clock;
  std::vector<Figures> figures;
  bench::OnSimulatedModule(host, clock,
                           [&](comm::Link& link) { figures = RunBoth(link, clock, host, false); });
  return figures;
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
  QApplication application(argc, argv);
  const std::vector<Figures> floor = FloorFigures();
  if (floor.size() != 2 || !floor[0].ok || !floor[1].ok) {
    std::cerr << "transfer_bench: the protocol floor run failed\n";
    return 1;
  }
  std::printf("transfer_bench: JX module, %s\n", comm::kLineSettings);

  bench::BenchHost host(kNotices);
  qtui::QtClock clock;
  std::vector<Figures> inProcess;
  bench::OnSimulatedModule(host, clock,
                           [&](comm::Link& link) { inProcess = RunBoth(link, clock, host, true); });
  Report("In process (simulated port, program clock):", inProcess, floor);

  std::vector<Figures> overPty;
  bench::OverPseudoTerminal(host, [&](comm::Link& link, const std::string& device) {
    overPty = RunBoth(link, clock, host, true);
    Report("Over a pseudo-terminal (QSerialPort, ventrel-sim on " + device + "):", overPty, floor);
  });
  bench::PrintFailures(host);

  DesktopHost desktopHost;
  const std::vector<Figures> desktop = DesktopFigures(desktopHost);
  Report("Through the main window (" + QApplication::platformName().toStdString() +
             "; the front table open during the upload):",
         desktop, floor);
  bench::PrintFailures(desktopHost.bench_);

  const auto allMet = [&](const std::vector<Figures>& measured) {
    if (measured.size() != floor.size()) return false;
    for (std::size_t i = 0; i < floor.size(); ++i) {
      if (!Met(measured[i], floor[i])) return false;
    }
    return true;
  };
  const bool met = allMet(inProcess) && allMet(desktop);
  std::printf("\nin-process targets %s; through the main window %s; over the pseudo-terminal %s\n",
              allMet(inProcess) ? "met" : "MISSED", allMet(desktop) ? "met" : "MISSED",
              allMet(overPty) ? "met" : "MISSED");
  return met ? 0 : 1;
}
