// The main window started as the program starts it, on a scripted host, for widget tests.
#pragma once

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "app/recent_files.h"
#include "app/window_geometry.h"
#include "fakes/scripted_host.h"
#include "files/base_tune.h"
#include "qt/frm_main.h"

namespace qttest {

// Each message shown as a real modal box as well, answered as scripted, so the focus and
// the mouse leave the window and come back as they do for the user.
template <typename Base = fakes::ScriptedHost>
class ModalBoxHost : public Base {
 public:
  core::Answer MsgBox(const std::string& text, const std::string& title, core::Buttons buttons,
                      core::Icon icon) override {
    const core::Answer answer = Base::MsgBox(text, title, buttons, icon);
    QMessageBox box(QMessageBox::Warning, QString::fromStdString(title),
                    QString::fromStdString(text), QMessageBox::Ok, QApplication::activeWindow());
    QTimer::singleShot(0, &box, [&box] {
      // A button held when the box came up is released over the box.
      if (QGuiApplication::mouseButtons() & Qt::LeftButton) {
        QTest::mouseRelease(&box, Qt::LeftButton);
      }
      box.accept();
    });
    box.exec();
    return answer;
  }
};

// The program folder defaults to the test binaries' folder, which holds the chart
// templates, the logo and the help page. Form_Load moves into it; the rig moves back.
template <typename Host = fakes::ScriptedHost>
struct WindowRig {
  explicit WindowRig(
      app::Branding branding = app::BuiltInBranding(),
      std::filesystem::path programFolder = QCoreApplication::applicationDirPath().toStdString())
      : window(std::move(branding), std::move(programFolder), &host) {
    window.Form_Load();
  }
  ~WindowRig() { std::filesystem::current_path(saved); }
  WindowRig(const WindowRig&) = delete;
  WindowRig& operator=(const WindowRig&) = delete;

  QAction* Item(const char* name) { return window.findChild<QAction*>(QString::fromLatin1(name)); }
  void Trigger(const char* name) { Item(name)->trigger(); }
  // An example tune of the edition in memory, as a download or an open would leave it.
  void Load(const char* edition) {
    window.session().image = files::BaseTune(edition);
    window.session().editor.SetTableEditPermissionFor(edition);
  }

  // Each window starts without recent files or a remembered geometry; what a test stores
  // otherwise (the port choice) it may read back in a window of its own.
  static bool ForgetStoredSettings() {
    QSettings settings(QStringLiteral("Ventrel"), QStringLiteral("Ventrel"));
    settings.remove(QString::fromLatin1(app::kRecentFilesSection));
    settings.remove(QString::fromLatin1(app::kWindowSection));
    return true;
  }

  std::filesystem::path saved = std::filesystem::current_path();
  bool forgotten = ForgetStoredSettings();
  Host host;
  qtui::frmMain window;
};

}  // namespace qttest
