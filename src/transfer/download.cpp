#include "transfer/download.h"

#include <string>

#include "core/editions.h"
#include "core/regions.h"
#include "transfer/module_read.h"

namespace transfer {

namespace {

constexpr const char* kOverwrite = "Data buffer not empty. OK to overwrite?";
constexpr const char* kCompleted = "Download completed.";

void Say(core::Host& host, const char* text, core::Icon icon) {
  host.MsgBox(text, kDownloadTitle, core::Buttons::OK, icon);
}

// The module's data replace the image; whatever a table showed belonged to the old data.
void TakeReceivedData(const core::ModuleImage& received, core::ModuleImage& image,
                      tables::TableEditor& editor) {
  editor.HideForNewData();
  image.FLASHBuffer = received.FLASHBuffer;
  image.EEPROMBuffer = received.EEPROMBuffer;
  image.FLASHBufferEmpty = false;
  image.EEPROMBufferEmpty = false;
  image.MarkNotInFile();
}

void PrepareForEdition(core::ModuleImage& image, tables::TableEditor& editor,
                       core::WindowState& window) {
  PrepareDownloadedData(image);
  window.SetRetardTableCommandVisible(core::IsSecondGeneration(image.ModuleVersion));
  window.SetDataSourceText(kDownloadedData);
  editor.SetTableEditPermissionFor(image.ModuleVersion);
}

}  // namespace

Outcome Download(core::ModuleImage& image, comm::Link& link, tables::TableEditor& editor,
                 core::WindowState& window, core::Host& host) {
  if ((!image.FLASHBufferEmpty || !image.EEPROMBufferEmpty) &&
      host.MsgBox(kOverwrite, kDownloadTitle, core::Buttons::OKCancel, core::Icon::None) !=
          core::Answer::OK) {
    return Outcome::Cancelled;
  }
  host.Yield();
  // The data in memory keep their edition until the module's data replace them.
  const std::string dataEdition = image.ModuleVersion;
  core::ModuleImage received;
  const bool receivedAll = ReceiveModuleData(received, image, link, host, kDownloadTitle);
  link.ClosePort();
  if (!receivedAll) {
    image.ModuleVersion = dataEdition;
    return Outcome::Failed;
  }
  TakeReceivedData(received, image, editor);
  Say(host, kCompleted, core::Icon::Exclamation);
  PrepareForEdition(image, editor, window);
  return Outcome::Completed;
}

}  // namespace transfer
