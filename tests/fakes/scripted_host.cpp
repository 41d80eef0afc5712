#include "fakes/scripted_host.h"

#include <gtest/gtest.h>

#include "core/safest_answer.h"

namespace fakes {

void PrintTo(const MessageBoxRecord& box, std::ostream* out) {
  *out << '{' << testing::PrintToString(box.text) << ", " << testing::PrintToString(box.title)
       << ", buttons " << static_cast<int>(box.buttons) << ", icon " << static_cast<int>(box.icon)
       << '}';
}

ScriptedHost::~ScriptedHost() {
  EXPECT_TRUE(answers_.empty()) << answers_.size() << " expected message box(es) never shown";
  EXPECT_TRUE(inputs_.empty()) << inputs_.size() << " expected input box(es) never shown";
  EXPECT_TRUE(paths_.empty()) << paths_.size() << " expected file dialog(s) never shown";
}

core::Answer ScriptedHost::MsgBox(const std::string& text, const std::string& title,
                                  core::Buttons buttons, core::Icon icon) {
  if (whileBoxIsUp) whileBoxIsUp();
  boxes.push_back({text, title, buttons, icon});
  if (answerEvery) return answerEvery(buttons);
  if (answers_.empty()) {
    ADD_FAILURE() << "unexpected message box \"" << title << "\": " << text;
    return core::SafestAnswer(buttons);
  }
  const core::Answer answer = answers_.front();
  answers_.pop_front();
  const bool retryOffered =
      buttons == core::Buttons::AbortRetryIgnore || buttons == core::Buttons::RetryCancel;
  if (answer == core::Answer::Retry && !retryOffered) {
    ADD_FAILURE() << "Retry answered to a box that does not offer it: " << text;
  }
  return answer;
}

std::optional<std::string> ScriptedHost::InputBox(const std::string& prompt,
                                                  const std::string& title,
                                                  const std::string& /*defaultText*/) {
  inputPrompts.push_back(prompt);
  inputTitles.push_back(title);
  if (inputs_.empty()) {
    ADD_FAILURE() << "unexpected input box \"" << title << "\": " << prompt;
    return std::nullopt;
  }
  auto text = inputs_.front();
  inputs_.pop_front();
  return text;
}

std::optional<std::string> ScriptedHost::NextPath(const core::FileDialogRequest& request) {
  fileDialogs.push_back(request);
  if (paths_.empty()) {
    ADD_FAILURE() << "unexpected file dialog \"" << request.title << "\"";
    return std::nullopt;
  }
  auto path = paths_.front();
  paths_.pop_front();
  return path;
}

void ScriptedHost::ShowProgress(const std::string& caption) {
  progress.push_back({ProgressEvent::Kind::Show, caption, 0});
  caption_ = caption;
}

void ScriptedHost::SetProgress(int percent) {
  progress.push_back({ProgressEvent::Kind::Set, {}, percent});
  if (whileProgressing) whileProgressing(caption_, percent);
}

std::vector<std::string> ScriptedHost::Texts() const {
  std::vector<std::string> texts;
  for (const MessageBoxRecord& box : boxes) texts.push_back(box.text);
  return texts;
}

}  // namespace fakes
