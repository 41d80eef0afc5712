#include "app/status_texts.h"

#include "app/main_window.h"
#include "link/port_setup.h"
#include "print/page_conventions.h"

namespace app {

namespace {

std::string PortText(const comm::Link& link) {
  const std::string item = comm::PortItem(link);
  const std::string device = link.PortDevice();
  return "Port " + (item == device ? device : item + " (" + device + ")");
}

}  // namespace

StatusTexts StatusTextsFor(const Session& session, bool simulatedModule) {
  const core::ModuleImage& image = session.image;
  StatusTexts texts;
  texts.port = simulatedModule ? kSimulatedModuleText : PortText(session.link);
  if (image.FLASHBufferEmpty && image.EEPROMBufferEmpty) {
    texts.edition = kNoDataText;
    return texts;
  }
  texts.edition = print::EditionHeading(image.ModuleVersion);
  if (texts.edition.empty()) texts.edition = kUnknownEditionText;
  texts.source = session.window.DataSourceText;
  if (HasUnsavedData(session)) texts.changes = kUnsavedChangesText;
  return texts;
}

}  // namespace app
