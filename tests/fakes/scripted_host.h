// A Host for tests: records every message box and answers from a queue the test fills;
// a box the test did not expect fails the test and is answered with Cancel or Abort.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/host.h"

namespace fakes {

struct MessageBoxRecord {
  std::string text;
  std::string title;
  core::Buttons buttons;
  core::Icon icon;
};

struct ProgressEvent {
  enum class Kind { Show, Set, Hide } kind;
  std::string caption;
  int percent = 0;
};

class ScriptedHost : public core::Host {
 public:
  ~ScriptedHost() override;

  // The answer for the next message box.
  void ExpectBox(core::Answer answer) { answers_.push_back(answer); }
  // The answers for the next input box, open or save dialog; nothing means Cancel.
  void ExpectInput(std::optional<std::string> text) { inputs_.push_back(std::move(text)); }
  // Answers of input boxes that a refused command never showed.
  void ForgetExpectedInputs() { inputs_.clear(); }
  void ExpectFileDialog(std::optional<std::string> path) { paths_.push_back(std::move(path)); }

  core::Answer MsgBox(const std::string& text, const std::string& title, core::Buttons buttons,
                      core::Icon icon) override;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) override;
  std::optional<std::string> OpenFileDialog(const core::FileDialogRequest& request) override;
  std::optional<std::string> SaveFileDialog(const core::FileDialogRequest& request) override;

  void ShowProgress(const std::string& caption) override;
  void SetProgress(int percent) override;
  void HideProgress() override;
  void Yield() override { ++yields; }

  std::string ClipboardText() override { return clipboard; }
  void SetClipboardText(const std::string& text) override { clipboard = text; }

  std::vector<MessageBoxRecord> boxes;
  std::vector<std::string> inputPrompts;
  std::vector<std::string> inputTitles;
  std::vector<core::FileDialogRequest> fileDialogs;
  std::vector<ProgressEvent> progress;
  std::string clipboard;
  int yields = 0;
  // When set, answers every message box instead of the queue.
  std::function<core::Answer(core::Buttons)> answerEvery;

 private:
  std::optional<std::string> NextPath(const core::FileDialogRequest& request);

  std::deque<core::Answer> answers_;
  std::deque<std::optional<std::string>> inputs_;
  std::deque<std::optional<std::string>> paths_;
};

}  // namespace fakes
