#include "qt/transfer_commands.h"

#include <QAction>
#include <QMenu>

#include <system_error>

#include "app/file_commands.h"
#include "app/main_window.h"
#include "app/menu_tree.h"
#include "app/upload_command.h"
#include "qt/backup_folder.h"
#include "qt/fra_port_select.h"
#include "qt/frm_main.h"
#include "qt/qt_text.h"
#include "qt/table_grid.h"
#include "transfer/download.h"
#include "transfer/upload.h"

namespace qtui {

namespace {

constexpr std::chrono::milliseconds kStopAskingInterval{10};

}  // namespace

TransferCommands::TransferCommands(frmMain& window)
    : window_(window), activity_(window.session().link, window.session().AbortFlag) {
  stopAsking_.setInterval(kStopAskingInterval);
  connect(&stopAsking_, &QTimer::timeout, this, [this] { activity_.KeepStopping(); });
  window.BindCommand(app::menu::kDownload, [this] { mnuDownload_Click(); });
  window.BindCommand(app::menu::kUpload, [this] { mnuUpload_Click(); });
  window.BindCommand(app::menu::kOpenBackup, [this] { mnuOpenBackup_Click(); });
  window.BindCommand(app::menu::kBackUpBeforeUpload, [this] { mnuBackUpBeforeUpload_Click(); });
  if (QAction* backUp = BackUpAction()) {
    backUp->setCheckable(true);
    backUp->setChecked(app::BackUpBeforeUpload(window.session().settings));
  }
}

QAction* TransferCommands::BackUpAction() const {
  return window_.findChild<QAction*>(ToQString(app::menu::kBackUpBeforeUpload));
}

void TransferCommands::mnuDownload_Click() {
  app::Session& s = window_.session();
  Run(transfer::TransferKind::Download,
      [&s] { transfer::Download(s.image, s.link, s.editor, s.window, s.host); });
}

void TransferCommands::mnuUpload_Click() {
  app::Session& s = window_.session();
  Run(transfer::TransferKind::Upload, [&s] { app::UploadFromWindow(s, BackupFolder()); });
}

void TransferCommands::mnuOpenBackup_Click() {
  app::Session& s = window_.session();
  const std::filesystem::path folder = BackupFolder();
  // Made, so that the dialog can start in it even before the first backup.
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  app::OpenFile(s, folder);
}

void TransferCommands::mnuBackUpBeforeUpload_Click() {
  // The menu has already ticked or cleared the item.
  if (const QAction* backUp = BackUpAction()) {
    app::SetBackUpBeforeUpload(window_.session().settings, backUp->isChecked());
  }
}

void TransferCommands::RunModuleRead(const std::function<void()>& read) {
  Run(transfer::TransferKind::Download, read);
}

void TransferCommands::Run(transfer::TransferKind kind, const std::function<void()>& transfer) {
  if (Running()) return;
  HoldCommands();
  try {
    activity_.Run(kind, transfer, [this] { return window_.isMinimized(); });
  } catch (...) {
    EndTransfer();
    throw;
  }
  EndTransfer();
}

void TransferCommands::HoldCommands() {
  for (const std::string_view name : app::kMenusHeldDuringTransfer) {
    const auto* menu = window_.findChild<QMenu*>(ToQString(name));
    if (!menu) continue;
    for (QAction* action : menu->actions()) {
      if (action->isSeparator() || !action->isEnabled()) continue;
      action->setEnabled(false);
      heldActions_.emplace_back(action);
    }
  }
  // The port frame can change the port, the grid the table.
  for (QWidget* widget :
       {static_cast<QWidget*>(window_.portFrame()), static_cast<QWidget*>(window_.grid())}) {
    if (!widget || !widget->isEnabled()) continue;
    widget->setEnabled(false);
    heldWidgets_.emplace_back(widget);
  }
}

void TransferCommands::ReleaseCommands() {
  for (const QPointer<QAction>& action : heldActions_) {
    if (action) action->setEnabled(true);
  }
  for (const QPointer<QWidget>& widget : heldWidgets_) {
    if (widget) widget->setEnabled(true);
  }
  heldActions_.clear();
  heldWidgets_.clear();
}

void TransferCommands::EndTransfer() {
  ReleaseCommands();
  stopAsking_.stop();
  if (!activity_.TakeCloseWhenStopped()) return;
  QTimer::singleShot(0, &window_, [window = QPointer<frmMain>(&window_)] {
    if (window) window->close();
  });
}

void TransferCommands::FormResize() { activity_.FormResize(window_.isMinimized()); }

bool TransferCommands::HoldClose() {
  const bool held = activity_.HoldClose(window_.session().host, app::kExitTitle);
  if (held) stopAsking_.start();
  return held;
}

}  // namespace qtui
