#include "files/data_file_commands.h"

#include <optional>

#include "core/editions.h"
#include "core/error_prompt.h"
#include "core/regions.h"
#include "core/text.h"
#include "files/data_file.h"
#include "files/file_dialogs.h"

namespace files {

namespace {

constexpr const char* kOpenTitle = "Open Data File";
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

void OpenFile(core::ModuleImage& image, tables::TableEditor& editor, core::WindowState& window,
              core::Host& host, const std::string& startFolder) {
  if (!(image.FLASHBufferEmpty && image.EEPROMBufferEmpty) &&
      host.MsgBox(kOverwriteQuestion, kOpenTitle, core::Buttons::OKCancel, core::Icon::None) !=
          core::Answer::OK) {
    return;
  }
  std::string path;
  bool read = false;
  std::optional<core::DataFileBytes> bytes;
  const core::ProcedureOutcome outcome =
      core::RunSteps(host, {
                               [&] {
                                 std::string filter = kDataFileFilter;
                                 path = FileOpen(host, kOpenDialogTitle, filter, "", startFolder);
                               },
                               [&] {
                                 if (path.empty()) return;
                                 bytes = ReadDataFile(path);
                                 read = true;
                               },
                           });
  if (outcome == core::ProcedureOutcome::Aborted || !read) return;
  if (!bytes) {
    host.MsgBox(kShortFile, kOpenTitle, core::Buttons::OK, core::Icon::Exclamation);
    return;
  }

  editor.HideForNewData();
  host.Yield();
  // The firmware ID is the last module's; the file has none.
  core::ModuleImage opened = ImageFromFile(*bytes);
  opened.FirmwareID = std::move(image.FirmwareID);
  image = std::move(opened);
  window.SetDataSourceText(DataSourceTextFor(path));
  window.SetRetardTableCommandVisible(core::IsSecondGeneration(image.ModuleVersion));
  editor.SetTableEditPermissionFor(image.ModuleVersion);
  image.MarkInFile();
  host.MsgBox("Loaded " + path + " to buffer. Ready for editing or upload.", kOpenTitle,
              core::Buttons::OK, core::Icon::None);
}

bool SaveFile(core::ModuleImage& image, tables::TableEditor& editor, core::WindowState& window,
              core::Host& host) {
  // Cancel at the table's save question cancels the whole save.
  if (!editor.mnuCloseTbl_Click()) return false;
  if (image.FLASHBufferEmpty || image.EEPROMBufferEmpty) {
    host.MsgBox(kBufferEmpty, kSaveTitle, core::Buttons::OK, core::Icon::Exclamation);
    return false;
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
  return written;
}

}  // namespace files
