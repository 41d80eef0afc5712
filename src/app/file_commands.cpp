#include "app/file_commands.h"

#include <algorithm>
#include <cctype>

#include "files/data_file_commands.h"
#include "files/file_dialogs.h"

namespace app {

namespace {

constexpr const char* kOneFileOnly =
    "Only one data file can be opened at a time. Drop or name a single .dat file.";

std::string Quoted(const std::filesystem::path& file) {
  std::string quoted(1, '"');
  quoted += file.string();
  quoted += '"';
  return quoted;
}

bool HasDataFileSuffix(const std::filesystem::path& file) {
  std::string suffix = file.extension().string();
  std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return suffix == files::kDataFileSuffix;
}

// Why the file cannot be opened as a data file, or "" when it can be tried.
std::string RefusalOf(const std::filesystem::path& file) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(file, error);
  if (!std::filesystem::exists(status)) {
    return "The file " + Quoted(file) + " does not exist. Check its name and folder.";
  }
  if (std::filesystem::is_directory(status)) {
    return Quoted(file) + " is a folder, not a data file. Open a .dat file from inside it.";
  }
  if (!HasDataFileSuffix(file)) {
    return Quoted(file) + " is not a Quillon data file: data files end in .dat.";
  }
  return {};
}

void Refuse(Session& session, const std::string& text, const char* title) {
  session.host.MsgBox(text, title, core::Buttons::OK, core::Icon::Exclamation);
}

bool OpenAt(Session& session, const std::filesystem::path& file) {
  // An entry still open in the grid is ended first, as the menus end it.
  if (!session.editor.EndOpenEntry()) return false;
  if (!files::OpenFile(session.image, session.editor, session.window, session.host,
                       file.string())) {
    return false;
  }
  session.recentFiles.Add(file);
  return true;
}

}  // namespace

void OpenFile(Session& session, const std::filesystem::path& startFolder) {
  // A key may run the command while an entry is open in the grid: it is ended first.
  if (!session.editor.EndOpenEntry()) return;
  if (const auto path = files::OpenFile(session.image, session.editor, session.window, session.host,
                                        files::StartFolder{startFolder.string()})) {
    session.recentFiles.Add(*path);
  }
}

bool SaveFile(Session& session) {
  const auto path = files::SaveFile(session.image, session.editor, session.window, session.host);
  if (path) session.recentFiles.Add(*path);
  return path.has_value();
}

void OpenRecentFile(Session& session, const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::exists(file, error)) {
    session.recentFiles.Remove(file);
    Refuse(session,
           "The file " + Quoted(file) +
               " can no longer be found: it has been moved, renamed or deleted. It is taken "
               "off the list of recent files.",
           kOpenRecentTitle);
    return;
  }
  OpenAt(session, file);
}

void OpenNamedFiles(Session& session, const std::vector<std::filesystem::path>& files) {
  if (files.empty()) return;
  if (files.size() > 1) {
    Refuse(session, kOneFileOnly, files::kOpenTitle);
    return;
  }
  if (const std::string refusal = RefusalOf(files.front()); !refusal.empty()) {
    Refuse(session, refusal, files::kOpenTitle);
    return;
  }
  OpenAt(session, files.front());
}

}  // namespace app
