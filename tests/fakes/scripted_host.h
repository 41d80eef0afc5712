// A Host for tests: records every message box and answers from a queue the test fills;
// a box the test did not expect fails the test and is answered with Cancel or Abort.
#pragma once

#include <deque>
#include <functional>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "core/host.h"

namespace fakes {

struct MessageBoxRecord {
  std::string text;
  std::string title;
  core::Buttons buttons;
  core::Icon icon;
  bool operator==(const MessageBoxRecord&) const = default;
};
void PrintTo(const MessageBoxRecord& box, std::ostream* out);

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
  void ExpectBoxes(std::initializer_list<core::Answer> answers) {
    answers_.insert(answers_.end(), answers);
  }
  // The answers for the next input box, open or save dialog; nothing means Cancel.
  void ExpectInput(std::optional<std::string> text) { inputs_.push_back(std::move(text)); }
  // Answers of input boxes that a refused command never showed.
  void ForgetExpectedInputs() { inputs_.clear(); }
  void ExpectFileDialog(std::optional<std::string> path) { paths_.push_back(std::move(path)); }

  core::Answer MsgBox(const std::string& text, const std::string& title, core::Buttons buttons,
                      core::Icon icon) override;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) override;
  std::optional<std::string> OpenFileDialog(const core::FileDialogRequest& request) override {
    return NextPath(request);
  }
  std::optional<std::string> SaveFileDialog(const core::FileDialogRequest& request) override {
    return NextPath(request);
  }

  void ShowProgress(const std::string& caption) override;
  void SetProgress(int percent) override;
  void HideProgress() override { progress.push_back({ProgressEvent::Kind::Hide, {}, 0}); }
  void Yield() override {
    ++yields;
    if (whileYielding) whileYielding(yields);
  }

  std::string ClipboardText() override { return clipboard; }
  void SetClipboardText(const std::string& text) override { clipboard = text; }

  // The texts of the message boxes shown so far, in order.
  std::vector<std::string> Texts() const;

  std::vector<MessageBoxRecord> boxes;
  std::vector<std::string> inputPrompts;
  std::vector<std::string> inputTitles;
  std::vector<core::FileDialogRequest> fileDialogs;
  std::vector<ProgressEvent> progress;
  std::string clipboard;
  int yields = 0;
  // When set, answers every message box instead of the queue.
  std::function<core::Answer(core::Buttons)> answerEvery;
  // Let a test act as the user meanwhile: while a message box is up (before it is
  // answered), at every yield (counted from 1) and at every progress step.
  std::function<void()> whileBoxIsUp;
  std::function<void(int yield)> whileYielding;
  std::function<void(const std::string& caption, int percent)> whileProgressing;

 private:
  std::optional<std::string> NextPath(const core::FileDialogRequest& request);

  std::deque<core::Answer> answers_;
  std::deque<std::optional<std::string>> inputs_;
  std::deque<std::optional<std::string>> paths_;
  std::string caption_;
};

}  // namespace fakes
