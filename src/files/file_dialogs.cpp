#include "files/file_dialogs.h"

#include <filesystem>
#include <optional>

#include "core/error_prompt.h"
#include "core/failure.h"

namespace files {

namespace {

constexpr const char* kLineBreak = "\r\n";
constexpr const char* kFileOpenTitle = "File Open";
constexpr const char* kFileSaveTitle = "File Save";
constexpr const char* kReplaceExisting = "Replace existing file?";

enum class Dialog { Open, Save };

// Shows the dialog through the error prompt; "" when dismissed or when the prompt's
// Ignore skips it.
std::string ChoosePath(core::Host& host, Dialog dialog, const std::string& title,
                       const std::string& filter, const std::string& startFolder = {}) {
  std::optional<std::string> chosen;
  const core::FileDialogRequest request{title, filter, startFolder};
  const core::StepOutcome outcome = core::GuardedStep(host, [&] {
    chosen = dialog == Dialog::Open ? host.OpenFileDialog(request) : host.SaveFileDialog(request);
  });
  if (outcome == core::StepOutcome::Aborted) {
    if (dialog == Dialog::Open) {
      throw core::Error(core::kErrCommOrFileOpen, core::kSourceFileOpen, "Aborted File Open");
    }
    throw core::Error(core::kErrFileSave, core::kSourceFileSave, "Aborted File Save");
  }
  return chosen.value_or(std::string());
}

bool FileExists(const std::string& name) {
  std::error_code error;
  return std::filesystem::exists(name, error);
}

}  // namespace

std::string FileOpen(core::Host& host, const std::string& fileTitle, std::string& filter,
                     const std::string& notExistMessage, const std::string& startFolder) {
  if (filter.empty()) filter = kAllFilesFilter;
  for (;;) {
    std::string name = ChoosePath(host, Dialog::Open, fileTitle, filter, startFolder);
    if (name.empty() || FileExists(name)) return name;
    std::string text = name + kLineBreak + "File not found.";
    if (!notExistMessage.empty()) text += std::string(kLineBreak) + kLineBreak + notExistMessage;
    const core::Answer answer = host.MsgBox(
        text, kFileOpenTitle,
        notExistMessage.empty() ? core::Buttons::RetryCancel : core::Buttons::YesNoCancel,
        core::Icon::Exclamation);
    if (answer == core::Answer::Yes) return name;
    if (answer == core::Answer::Retry || answer == core::Answer::No) continue;
    throw core::Error(core::kErrCommOrFileOpen, core::kSourceFileOpen, "Canceled File Open");
  }
}

std::string FileSave(core::Host& host, const std::string& fileTitle, std::string& filter,
                     std::string& existMessage, const char* suffix) {
  if (filter.empty()) filter = kAllFilesFilter;
  for (;;) {
    std::string name = ChoosePath(host, Dialog::Save, fileTitle, filter);
    if (existMessage.empty()) existMessage = kReplaceExisting;
    if (name.empty()) return name;
    if (std::filesystem::path(name).extension().empty()) name += suffix;
    if (!FileExists(name)) return name;
    std::string question = name;
    question.append(kLineBreak).append("This file already exists.");
    question.append(kLineBreak).append(kLineBreak).append(existMessage);
    const core::Answer answer =
        host.MsgBox(question, kFileSaveTitle, core::Buttons::YesNoCancel, core::Icon::Exclamation);
    if (answer == core::Answer::Yes) return name;
    if (answer == core::Answer::No) continue;
    throw core::Error(core::kErrFileSave, core::kSourceFileSave, "Canceled File Save");
  }
}

}  // namespace files
