// Download and Upload in the main window. While one runs, every command that could
// change the image, the link, the files or the table is disabled (Esc and repainting go
// on), a close request first asks to stop it, and the port is reconfigured after a resize
// only once it has ended.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <vector>

#include "transfer/transfer_activity.h"

class QAction;
class QWidget;

namespace qtui {

class frmMain;

class TransferCommands : public QObject {
  Q_OBJECT

 public:
  // Binds mnuDownload, mnuUpload and the backup commands.
  explicit TransferCommands(frmMain& window);

  bool Running() const { return activity_.Running(); }

  void mnuDownload_Click();
  void mnuUpload_Click();
  void mnuOpenBackup_Click();
  void mnuBackUpBeforeUpload_Click();
  // Runs a command that reads the module without writing to it, as a download runs.
  void RunModuleRead(const std::function<void()>& read);

  // The serial side of Form_Resize, after a resize or a change of the window's state.
  void FormResize();

  // The close request while a transfer runs: asks whether to stop it, and if so closes
  // the window once it has stopped. True when the window stays open for now.
  bool HoldClose();

 private:
  QAction* BackUpAction() const;
  void Run(transfer::TransferKind kind, const std::function<void()>& transfer);
  void HoldCommands();
  void ReleaseCommands();
  void EndTransfer();

  frmMain& window_;
  transfer::TransferActivity activity_;
  // Keeps a stop the user asked for asked.
  QTimer stopAsking_;
  std::vector<QPointer<QAction>> heldActions_;
  std::vector<QPointer<QWidget>> heldWidgets_;
};

}  // namespace qtui
