// A whole download and a whole upload with its verification, by the commands themselves,
// against the simulated module: in the same process, over a pseudo-terminal with
// ventrel-sim, and through the desktop program's main window (its progress frame, its
// repaints, with the front table open during the upload), on the program's clock. Each is set
// against the protocol floor (the same commands on a clock that only moves by the waits the
// protocol requires), with its CPU share and the longest time the event loop went without a turn
// (the window repaints on each turn). The safe upload (the module read and backed up, then the
// upload) is set against the download's floor plus the upload's: it costs one read more.
#include <unistd.h>
#include <QAction>
#include <QApplication>
#include <QProgressBar>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "core/window_state.h"
#include "fakes/fake_clock.h"
#include "fakes/recording_view.h"
#include "link/link.h"
#include "qt/backup_folder.h"
#include "qt/frm_main.h"
#include "qt/link_devices.h"
#include "qt/qt_clock.h"
#include "qt/qt_host.h"
#include "tables/table_editor.h"
#include "transfer/download.h"
#include "transfer/safe_upload.h"
#include "transfer/upload.h"

namespace {

using Steady = std::chrono::steady_clock;
using bench::kCPUTarget;
using bench::kRatioTarget;
constexpr double kRatioGoal = 1.05;
constexpr double kSafeUploadRatioTarget = 1.05;
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

// Where the benchmark's backups go; removed at the end.
std::filesystem::path BackupFolder() {
  static const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("transfer_bench-" + std::to_string(getpid()));
  return folder;
}

// Downloads, then uploads what came, then uploads it safely, through one link; figures
// for each.
std::vector<Figures> RunAll(comm::Link& link, core::Clock& clock, core::Host& host, bool realTime) {
  core::ModuleImage image;
  fakes::RecordingView view;
  core::WindowState window(view);
  tables::TableEditor editor(image, window, host, {});
  const transfer::UploadSafety safety{
      BackupFolder(), {}, [](const auto&, const auto&) { return true; }, {}};
  const std::function<bool()> operations[] = {
      [&] {
        return transfer::Download(image, link, editor, window, host) ==
               transfer::Outcome::Completed;
      },
      [&] { return transfer::Upload(image, link, host) == transfer::Outcome::Completed; },
      [&] {
        return transfer::SafeUpload(image, link, host, safety).outcome ==
               transfer::Outcome::Completed;
      },
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

const char* const kOperationNames[] = {"download", "upload + verify", "safe upload"};

// Each row against its floor: the safe upload against the download's and the upload's.
struct Floors {
  std::vector<Figures> rows;
  std::vector<double> ratioTargets;
};

// The desktop program's own host, progress frame and event loop; nobody at the screen.
class DesktopHost : public qtui::QtHost {
 public:
  DesktopHost() : QtHost(nullptr) {}
  core::Answer MsgBox(const std::string& text, const std::string& title, core::Buttons buttons,
                      core::Icon icon) override {
    // The change summary is answered Upload.
    if (buttons == core::Buttons::UploadCancel) return core::Answer::OK;
    return bench_.MsgBox(text, title, buttons, icon);
  }
  bench::BenchHost bench_{kNotices};
};

// Download, then the front table opened, then upload (safely, as the window does), each
// chosen from the menus.
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

// The floors of download, upload and safe upload; the last is the sum of the first two.
Floors FloorFigures() {
  bench::BenchHost host(kNotices);
  fakes::FakeClock clock;
  Floors floors;
  bench::OnSimulatedModule(
      host, clock, [&](comm::Link& link) { floors.rows = RunAll(link, clock, host, false); });
  if (floors.rows.size() == 3) {
    floors.rows[2].wallSeconds = floors.rows[0].wallSeconds + floors.rows[1].wallSeconds;
  }
  floors.ratioTargets = {kRatioTarget, kRatioTarget, kSafeUploadRatioTarget};
  return floors;
}

// The window's Download and Upload: the download's floor, and the safe upload's.
Floors DesktopFloors(const Floors& floors) {
  return {{floors.rows[0], floors.rows[2]}, {floors.ratioTargets[0], floors.ratioTargets[2]}};
}

bool Met(const Figures& measured, const Figures& floor, double ratioTarget) {
  return measured.ok && measured.wallSeconds / floor.wallSeconds <= ratioTarget &&
         measured.cpuSeconds / measured.wallSeconds <= kCPUTarget &&
         measured.longestGapMs <= kGapTargetMs;
}

bool AllMet(const std::vector<Figures>& measured, const Floors& floors) {
  if (measured.size() != floors.rows.size()) return false;
  for (std::size_t i = 0; i < measured.size(); ++i) {
    if (!Met(measured[i], floors.rows[i], floors.ratioTargets[i])) return false;
  }
  return true;
}

void Report(const std::string& title, const std::vector<Figures>& measured, const Floors& floors,
            const std::vector<const char*>& names) {
  std::printf("\n%s\n", title.c_str());
  std::printf("  %-16s %9s %9s %7s %7s %9s  %s\n", "command", "wall ms", "floor ms", "ratio", "CPU",
              "gap ms",
              "targets: ratio <= 1.10 (goal 1.05; safe upload 1.05 against download + upload "
              "floors), CPU <= 5 %, gap <= 50 ms");
  for (std::size_t i = 0; i < measured.size() && i < floors.rows.size(); ++i) {
    const Figures& m = measured[i];
    const double target = floors.ratioTargets[i];
    const double ratio = m.wallSeconds / floors.rows[i].wallSeconds;
    const char* verdict = !m.ok                                   ? "FAILED"
                          : !Met(m, floors.rows[i], target)       ? "MISSED"
                          : ratio <= std::min(kRatioGoal, target) ? "met, goal met"
                                                                  : "met";
    std::printf(
        "  %-16s %9.1f %9.1f %7.3f %6.1f%% %9.1f  %s (ratio to target %.3f, CPU to target %.2f, "
        "gap to target %.2f)\n",
        names[i], m.wallSeconds * 1e3, floors.rows[i].wallSeconds * 1e3, ratio,
        m.cpuSeconds / m.wallSeconds * 100, m.longestGapMs, verdict, ratio / target,
        m.cpuSeconds / m.wallSeconds / kCPUTarget, m.longestGapMs / kGapTargetMs);
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // The window's uploads keep their backups in Qt's test folder, not the user's.
  QStandardPaths::setTestModeEnabled(true);
  const Floors floors = FloorFigures();
  if (floors.rows.size() != 3 ||
      !std::all_of(floors.rows.begin(), floors.rows.end(), [](const Figures& f) { return f.ok; })) {
    std::cerr << "transfer_bench: the protocol floor run failed\n";
    return 1;
  }
  std::printf("transfer_bench: JX module, %s\n", comm::kLineSettings);
  const std::vector<const char*> names(std::begin(kOperationNames), std::end(kOperationNames));

  bench::BenchHost host(kNotices);
  qtui::QtClock clock;
  std::vector<Figures> inProcess;
  bench::OnSimulatedModule(host, clock,
                           [&](comm::Link& link) { inProcess = RunAll(link, clock, host, true); });
  Report("In process (simulated port, program clock):", inProcess, floors, names);

  std::vector<Figures> overPty;
  bench::OverPseudoTerminal(host, [&](comm::Link& link, const std::string& device) {
    overPty = RunAll(link, clock, host, true);
    Report("Over a pseudo-terminal (QSerialPort, ventrel-sim on " + device + "):", overPty, floors,
           names);
  });
  bench::PrintFailures(host);

  DesktopHost desktopHost;
  const std::vector<Figures> desktop = DesktopFigures(desktopHost);
  Report("Through the main window (" + QApplication::platformName().toStdString() +
             "; the front table open during the upload, which is the safe upload):",
         desktop, DesktopFloors(floors), {kOperationNames[0], kOperationNames[2]});
  bench::PrintFailures(desktopHost.bench_);
  std::error_code ignored;
  std::filesystem::remove_all(BackupFolder(), ignored);
  std::filesystem::remove_all(qtui::BackupFolder(), ignored);

  const bool desktopMet = AllMet(desktop, DesktopFloors(floors));
  const bool met = AllMet(inProcess, floors) && desktopMet;
  std::printf("\nin-process targets %s; through the main window %s; over the pseudo-terminal %s\n",
              AllMet(inProcess, floors) ? "met" : "MISSED", desktopMet ? "met" : "MISSED",
              AllMet(overPty, floors) ? "met" : "MISSED");
  return met ? 0 : 1;
}
