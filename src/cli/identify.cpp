#include "cli/identify.h"

#include <QCoreApplication>
#include <algorithm>
#include <iostream>
#include <memory>
#include <optional>

#include "cli/command.h"
#include "core/editions.h"
#include "link/link.h"
#include "link/port_setup.h"
#include "qt/qt_clock.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_settings_store.h"
#include "sim/simulated_port.h"

namespace cli {

namespace {

constexpr int kReSyncAttempts = 5;
constexpr const char* kNoLink = "Cannot establish RS-232 link. Check cable and module power.";
constexpr const char* kIDReadFailed = "Firmware ID read failed.";
constexpr const char* kInvalidID = "Invalid firmware ID.";

// Answers every box without a person: the error prompt with Abort, the line-error box
// with Cancel. What the boxes said is printed once the command has ended.
class BatchHost : public core::Host {
 public:
  core::Answer MsgBox(const std::string& text, const std::string& /*title*/, core::Buttons buttons,
                      core::Icon /*icon*/) override {
    messages.push_back(text);
    switch (buttons) {
      case core::Buttons::AbortRetryIgnore:
        return core::Answer::Abort;
      case core::Buttons::OK:
        return core::Answer::OK;
      default:
        return core::Answer::Cancel;
    }
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

  std::vector<std::string> messages;
};

struct Target {
  std::optional<std::string> device;
  std::optional<sim::Edition> simulated;
};

constexpr const char* kUsage =
    "usage: ventrel-cli identify [--port DEVICE | --simulate[=EDITION]]\n"
    "  EDITION: vosk, kq, ql2-vosk, ql2-kq or jx (default jx); without either option the\n"
    "  port chosen in the desktop program's Port Setup is used.\n";

std::optional<Target> ParseTarget(const std::vector<std::string>& arguments, std::string& error) {
  Target target;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--port" && i + 1 < arguments.size()) {
      target.device = arguments[++i];
    } else if (argument.rfind("--port=", 0) == 0) {
      target.device = argument.substr(7);
    } else if (argument == "--simulate") {
      target.simulated = sim::Edition::JX;
    } else if (argument.rfind("--simulate=", 0) == 0) {
      target.simulated = sim::ParseEdition(argument.substr(11));
      if (!target.simulated) {
        error = "unknown edition \"" + argument.substr(11) + "\"";
        return std::nullopt;
      }
    } else {
      error = "unexpected argument \"" + argument + "\"";
      return std::nullopt;
    }
  }
  if (target.device && target.simulated) {
    error = "give either --port or --simulate, not both";
    return std::nullopt;
  }
  return target;
}

int Fail(const BatchHost& host, const std::string& message) {
  // A failure that repeats on every attempt is told once.
  std::vector<std::string> told;
  for (const std::string& said : host.messages) {
    if (std::find(told.begin(), told.end(), said) != told.end()) continue;
    told.push_back(said);
    std::cerr << "ventrel-cli identify: " << said << "\n";
  }
  std::cerr << "ventrel-cli identify: " << message << "\n";
  return kExitFailed;
}

}  // namespace

int RunIdentify(const std::vector<std::string>& arguments) {
  std::string error;
  const std::optional<Target> target = ParseTarget(arguments, error);
  if (!target) {
    std::cerr << "ventrel-cli identify: " << error << "\n" << kUsage;
    return kExitUsage;
  }
  int argc = 1;
  char name[] = "ventrel-cli";
  char* argv[] = {name, nullptr};
  const QCoreApplication application(argc, argv);

  BatchHost host;
  bool abortFlag = false;
  qtui::QtClock clock;
  comm::Link link(host, abortFlag);
  std::unique_ptr<sim::QuillonModule> module;
  std::unique_ptr<comm::SerialPort> port;
  if (target->simulated) {
    module = std::make_unique<sim::QuillonModule>(*target->simulated);
    port = std::make_unique<sim::SimulatedPort>(*module, clock);
  } else {
    port = std::make_unique<qtui::QtSerialPort>(clock);
  }
  link.Attach(*port, clock);
  if (target->device) {
    link.CommPortPath = *target->device;
  } else if (!target->simulated) {
    qtui::QtSettingsStore settings;
    comm::LoadPortChoice(link, settings);
  }

  bool linked = false;
  for (int attempt = 0; attempt < kReSyncAttempts && !linked; ++attempt) linked = link.ReSync();
  if (!linked) {
    link.ClosePort();
    return Fail(host, kNoLink);
  }
  const std::int16_t status = link.ReadStatus();
  if (!link.CommOK) return Fail(host, "Status read failed.");
  core::ModuleImage image;
  link.ReadFirmwareID(image);
  if (!link.CommOK) return Fail(host, kIDReadFailed);

  std::cout << "Firmware ID: " << image.FirmwareID << "\n"
            << "Edition: " << image.ModuleVersion << "\n"
            << "Engine started: " << ((status & comm::kStatusEngineStarted) != 0 ? "yes" : "no")
            << "\n";
  if (image.FirmwareID.empty() || image.ModuleVersion == core::kVersionUnknown) {
    return Fail(host, kInvalidID);
  }
  return kExitOK;
}

}  // namespace cli
