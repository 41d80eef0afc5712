#include "files/data_file_commands.h"

#include <functional>
#include <optional>

#include "core/editions.h"
#include "core/error_prompt.h"
#include "core/regions.h"
#include "core/text.h"
#include "files/data_file.h"
#include "files/file_dialogs.h"

namespace files {

namespace {

constexpr const char* kOverwriteQuestion = "Data buffer not empty. OK to overwrite?";
constexpr const char* kShortFile = "Error - reached premature end-of-file";
constexpr const char* kSaveTitle = "Save Data File";
constexpr const char* kBufferEmpty = "Data buffer empty.";
constexpr const char* kOpenDialogTitle = "Open File";
constexpr const char* kSaveDialogTitle = "Save File";
constexpr std::size_t kCaptionFileNameCharacters = 40;
constexpr const char* kShortenedMark = "...";

// Start of the last n characters of UTF-8 text, or npos when it has n or fewer.
std::size_t LastCharactersStart(std::string_view text, std::size_t n) {
  std::size_t count = 0;
  for (std::size_t i = text.size(); i-- > 0;) {
    if (core::IsUtf8Continuation(text[i])) continue;
    if (++count == n) return i == 0 ? std::string_view::npos : i;
  }
  return std::string_view::npos;
}

}  // namespace

std::string DataSourceTextFor(std::string_view path) {
  const std::size_t separator = path.find_last_of("\\/");
  const std::string_view name =
      separator == std::string_view::npos ? path : path.substr(separator + 1);
  const std::size_t start = LastCharactersStart(name, kCaptionFileNameCharacters);
  if (start == std::string_view::npos) return std::string(name);
  return kShortenedMark + std::string(name.substr(start));
}

namespace {

bool MayReplace(const core::ModuleImage& image, core::Host& host) {
  return (image.FLASHBufferEmpty && image.EEPROMBufferEmpty) ||
         host.MsgBox(kOverwriteQuestion, kOpenTitle, core::Buttons::OKCancel, core::Icon::None) ==
             core::Answer::OK;
}

// Reads the chosen file (choose names it, or "" when the user chose none) and, once it has
// been read in full, makes it the data in memory.
bool ReadChosenFile(core::ModuleImage& image, tables::TableEditor& editor,
                    core::WindowState& window, core::Host& host,
                    const std::function<std::string()>& choose) {
  std::string path;
  bool read = false;
  std::optional<core::DataFileBytes> bytes;
  const core::ProcedureOutcome outcome = core::RunSteps(host, {
                                                                  [&] { path = choose(); },
                                                                  [&] {
                                                                    if (path.empty()) return;
                                                                    bytes = ReadDataFile(path);
                                                                    read = true;
                                                                  },
                                                              });
  if (outcome == core::ProcedureOutcome::Aborted || !read) return false;
  if (!bytes) {
    host.MsgBox(kShortFile, kOpenTitle, core::Buttons::OK, core::Icon::Exclamation);
    return false;
  }

  editor.HideForNewData();
  host.Yield();
  // The firmware ID is the last module's; the file has none.
  core::ModuleImage opened = ImageFromFile(*bytes);
  opened.FirmwareID = std::move(image.FirmwareID);
  image = std::move(opened);
  // Marked before the caption changes, so that whatever the window shows with it agrees.
  image.MarkInFile();
  window.SetDataSourceText(DataSourceTextFor(path));
  window.SetRetardTableCommandVisible(core::IsSecondGeneration(image.ModuleVersion));
  editor.SetTableEditPermissionFor(image.ModuleVersion);
  host.MsgBox("Loaded " + path + " to buffer. Ready for editing or upload.", kOpenTitle,
              core::Buttons::OK, core::Icon::None);
  return true;
}

}  // namespace

std::optional<std::string> OpenFile(core::ModuleImage& image, tables::TableEditor& editor,
                                    core::WindowState& window, core::Host& host,
                                    const StartFolder& startFolder) {
  if (!MayReplace(image, host)) return std::nullopt;
  std::string path;
  const bool opened = ReadChosenFile(image, editor, window, host, [&] {
    std::string filter = kDataFileFilter;
    path = FileOpen(host, kOpenDialogTitle, filter, "", startFolder.path);
    return path;
  });
  return opened ? std::optional<std::string>(path) : std::nullopt;
}

bool OpenFile(core::ModuleImage& image, tables::TableEditor& editor, core::WindowState& window,
              core::Host& host, const std::string& path) {
  return MayReplace(image, host) &&
         ReadChosenFile(image, editor, window, host, [&path] { return path; });
}

std::optional<std::string> SaveFile(core::ModuleImage& image, tables::TableEditor& editor,
                                    core::WindowState& window, core::Host& host) {
  // Cancel at the table's save question cancels the whole save.
  if (!editor.mnuCloseTbl_Click()) return std::nullopt;
  if (image.FLASHBufferEmpty || image.EEPROMBufferEmpty) {
    host.MsgBox(kBufferEmpty, kSaveTitle, core::Buttons::OK, core::Icon::Exclamation);
    return std::nullopt;
  }
  std::string path;
  bool written = false;
  core::RunSteps(host, {
                           [&] {
                             std::string filter = kDataFileFilter;
                             std::string existMessage;
                             path = FileSave(host, kSaveDialogTitle, filter, existMessage);
                           },
                           [&] {
                             if (path.empty()) return;
                             WriteDataFile(path, core::EncodeDataFile(image));
                             image.MarkInFile();
                             written = true;
                           },
                           [&] {
                             if (written) window.SetDataSourceText(DataSourceTextFor(path));
                           },
                       });
  return written ? std::optional<std::string>(path) : std::nullopt;
}

}  // namespace files
