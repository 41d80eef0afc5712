// What the logic needs of the platform: dialogs, the progress frame, the event loop,
// the clipboard, time and the settings store. The desktop program, the command line
// and the tests each supply their own.
#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace core {

// AbortIgnore is the error prompt when repeating the failed step would not be safe.
// UploadCancel: "Upload" (answered OK) and "Cancel", Cancel the default.
enum class Buttons {
  OK,
  OKCancel,
  AbortRetryIgnore,
  AbortIgnore,
  YesNoCancel,
  YesNo,
  RetryCancel,
  UploadCancel
};
enum class Icon { None, Critical, Question, Exclamation, Information };
enum class Answer { OK, Cancel, Abort, Retry, Ignore, Yes, No };

struct FileDialogRequest {
  std::string title;
  // Pairs of description and pattern separated by "|": "Data Files (*.dat)|*.dat".
  std::string filter;
  std::string initialPath;
};

class Host {
 public:
  virtual ~Host() = default;

  // Texts are UTF-8; lines are separated by CR LF as the system writes them.
  virtual Answer MsgBox(const std::string& text, const std::string& title, Buttons buttons,
                        Icon icon) = 0;
  // The typed text, or nothing when the user cancels.
  virtual std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                              const std::string& defaultText) = 0;
  // The chosen path, or nothing when the user cancels.
  virtual std::optional<std::string> OpenFileDialog(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> SaveFileDialog(const FileDialogRequest& request) = 0;

  virtual void ShowProgress(const std::string& caption) = 0;
  virtual void SetProgress(int percent) = 0;
  virtual void HideProgress() = 0;

  // Lets the user interface handle what is pending (repaint, keys) and returns.
  virtual void Yield() = 0;

  virtual std::string ClipboardText() = 0;
  virtual void SetClipboardText(const std::string& text) = 0;
};

class Clock {
 public:
  using Duration = std::chrono::microseconds;
  virtual ~Clock() = default;
  // Monotonic time since an arbitrary start.
  virtual Duration Now() = 0;
  // Waits without spinning while the user interface stays alive.
  virtual void DelayTimer(Duration wait) = 0;
};

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::string GetSetting(const std::string& application, const std::string& section,
                                 const std::string& key, const std::string& defaultValue) = 0;
  virtual void SaveSetting(const std::string& application, const std::string& section,
                           const std::string& key, const std::string& value) = 0;
};

}  // namespace core
