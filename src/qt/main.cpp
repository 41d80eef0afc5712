// Main: the splash with the branding, then the main window.
#include <QApplication>
#include <QTimer>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "app/data_folder.h"
#include "app/file_commands.h"
#include "app/main_window.h"
#include "app/program_options.h"
#include "app/splash.h"
#include "qt/frm_main.h"
#include "qt/frm_splash.h"
#include "qt/link_devices.h"
#include "qt/qt_host.h"
#include "qt/qt_text.h"

namespace {

constexpr int kUsageError = 2;

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

bool DisplayAvailable() {
  return IsSet("QT_QPA_PLATFORM") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}

int Main(const app::ProgramOptions& options) {
  const std::filesystem::path programFolder =
      app::DataFolder(qtui::ToPath(QCoreApplication::applicationDirPath()));
  app::Branding branding;
  {
    qtui::frmSplash splash;
    qtui::QtHost splashHost(&splash);
    splash.Form_Load(programFolder, branding, splashHost);
    if (!options.noSplash) splash.exec();
  }
  qtui::frmMain window(std::move(branding), programFolder);
  window.Form_Load();
  if (options.target.device || options.target.simulated) window.linkDevices().Use(options.target);
  window.show();
  // Opened once the window is up, with the same questions and messages as Open File.
  if (options.dataFile) {
    QTimer::singleShot(0, &window, [&window, file = *options.dataFile] {
      window.RunCommand([&window, &file] { app::OpenNamedFiles(window.session(), {file}); });
    });
  }
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const app::ProgramOptions options = app::ParseProgramOptions(arguments);
  if (!options.error.empty()) {
    std::cerr << "ventrel: " << options.error << "\n" << app::ProgramUsage("ventrel");
    return kUsageError;
  }
  if (options.showHelp) {
    std::cout << app::ProgramUsage("ventrel");
    return EXIT_SUCCESS;
  }
  if (options.showVersion) {
    std::cout << app::kVersionText << "\n";
    return EXIT_SUCCESS;
  }
  if (!DisplayAvailable()) {
    std::cerr << "ventrel: no display available; run it as \"xvfb-run -a ventrel\", or use "
                 "ventrel-cli for work without windows.\n";
    return kUsageError;
  }
  try {
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Ventrel"));
    QCoreApplication::setApplicationName(QString::fromLatin1(app::kApplicationTitle));
    // Ties the window to the desktop entry: its icon in the task bar and window list.
    QGuiApplication::setDesktopFileName(QStringLiteral("ventrel"));
    return Main(options);
  } catch (const std::exception& e) {
    std::cerr << "ventrel: " << e.what() << "\n";
    return EXIT_FAILURE;
  }
}
