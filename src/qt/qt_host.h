// The desktop program's Host: Qt message boxes, input box, file dialogs, the main
// window's progress frame, the event loop and the system clipboard.
#pragma once

#include <QElapsedTimer>
#include <QPointer>

#include "core/host.h"

class QWidget;
class QGroupBox;
class QProgressBar;

namespace qtui {

class QtHost : public core::Host {
 public:
  explicit QtHost(QWidget* owner) : owner_(owner) {}

  void AttachProgressFrame(QGroupBox* frame, QProgressBar* bar);

  core::Answer MsgBox(const std::string& text, const std::string& title, core::Buttons buttons,
                      core::Icon icon) override;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) override;
  std::optional<std::string> OpenFileDialog(const core::FileDialogRequest& request) override;
  std::optional<std::string> SaveFileDialog(const core::FileDialogRequest& request) override;

  void ShowProgress(const std::string& caption) override;
  void SetProgress(int percent) override;
  void HideProgress() override;
  void Yield() override;

  std::string ClipboardText() override;
  void SetClipboardText(const std::string& text) override;

 private:
  QPointer<QWidget> owner_;
  QPointer<QGroupBox> progressFrame_;
  QPointer<QProgressBar> progressBar_;
  // When the bar was last redrawn; it is redrawn a few times a second, not at every step.
  QElapsedTimer sinceBarShown_;
};

}  // namespace qtui
