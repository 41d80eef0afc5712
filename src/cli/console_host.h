// The sub-commands' Host: nobody is there to answer, so every box gets its safest answer
// (the error prompt Abort, the line-error box Cancel, a notice OK) and what it said is
// printed on stderr. Progress goes to stderr too: a bar on a terminal, a line per tenth
// otherwise. While it lives, the first Ctrl-C asks the running loop to stop, as Esc does
// in the window; a second one ends the program at once.
#pragma once

#include <string>

#include "core/host.h"

namespace cli {

class ConsoleHost : public core::Host {
 public:
  // command names the sub-command in every line; abortFlag is the link's AbortFlag.
  ConsoleHost(std::string command, bool& abortFlag);
  ~ConsoleHost() override;
  ConsoleHost(const ConsoleHost&) = delete;
  ConsoleHost& operator=(const ConsoleHost&) = delete;

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

  std::string ClipboardText() override { return {}; }
  void SetClipboardText(const std::string&) override {}

  // Prints a line of the command's own on stderr.
  void Say(const std::string& text);

 private:
  void EndBar();

  std::string command_;
  bool& abortFlag_;
  const bool terminal_;
  std::string caption_;
  int shownPercent_ = -1;
  bool barOpen_ = false;
  bool stopAnnounced_ = false;
};

}  // namespace cli
