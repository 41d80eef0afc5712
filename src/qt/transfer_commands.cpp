#include "qt/transfer_commands.h"

#include <QAction>
#include <QMenu>

#include "app/main_window.h"
#include "qt/fra_port_select.h"
#include "qt/frm_main.h"
#include "qt/table_grid.h"
#include "transfer/download.h"
#include "transfer/upload.h"

namespace qtui {

namespace {

// Every command of these menus changes the image, the link, the files or the table.
constexpr const char* kHeldMenus[] = {"mnuFile", "mnuEdit", "mnuComm"};
constexpr std::chrono::milliseconds kStopAskingInterval{10};
constexpr const char* kStopDownload = "A download from the module is running. Stop it and exit?";
constexpr const char* kStopUpload =
    "An upload to the module is running. Stopping it leaves the module partly programmed "
    "until the data are uploaded again. Stop it and exit?";

}  // namespace

TransferCommands::TransferCommands(frmMain& window)
    : window_(window), activity_(window.session().link) {
  stopAsking_.setInterval(kStopAskingInterval);
  connect(&stopAsking_, &QTimer::timeout, this, [this] { window_.session().AbortFlag = true; });
  window.BindCommand("mnuDownload", [this] { mnuDownload_Click(); });
  window.BindCommand("mnuUpload", [this] { mnuUpload_Click(); });
}

void TransferCommands::mnuDownload_Click() {
  app::Session& s = window_.session();
  Run(kStopDownload, [&s] { transfer::Download(s.image, s.link, s.editor, s.window, s.host); });
}

void TransferCommands::mnuUpload_Click() {
  app::Session& s = window_.session();
  Run(kStopUpload, [&s] { transfer::Upload(s.image, s.link, s.host); });
}

void TransferCommands::Run(const char* stopQuestion, const std::function<void()>& transfer) {
  if (Running()) return;
  stopQuestion_ = stopQuestion;
  HoldCommands();
  try {
    activity_.Run(transfer, [this] { return window_.isMinimized(); });
  } catch (...) {
    EndTransfer();
    throw;
  }
  EndTransfer();
}

void TransferCommands::HoldCommands() {
  for (const char* name : kHeldMenus) {
    const auto* menu = window_.findChild<QMenu*>(QString::fromLatin1(name));
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
  if (!closeWhenStopped_) return;
  closeWhenStopped_ = false;
  window_.session().AbortFlag = false;
  QTimer::singleShot(0, &window_, [window = QPointer<frmMain>(&window_)] {
    if (window) window->close();
  });
}

void TransferCommands::FormResize() { activity_.FormResize(window_.isMinimized()); }

bool TransferCommands::HoldClose() {
  if (!Running()) return false;
  if (closeWhenStopped_) return true;
  const core::Answer answer = window_.session().host.MsgBox(
      stopQuestion_, app::kExitTitle, core::Buttons::YesNo, core::Icon::Exclamation);
  if (answer == core::Answer::Yes) {
    closeWhenStopped_ = true;
    window_.session().AbortFlag = true;
    stopAsking_.start();
  }
  return true;
}

}  // namespace qtui
