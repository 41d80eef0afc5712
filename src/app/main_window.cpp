#include "app/main_window.h"

#include "app/splash.h"
#include "core/error_prompt.h"
#include "core/failure.h"
#include "link/port_setup.h"

namespace app {

namespace {

constexpr const char* kLineEnd = "\r\n";

void EnterProgramFolder(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::current_path(folder, error);
  if (error) {
    throw core::Error(core::kErrCommOrFileOpen, core::kSourceFileOpen,
                      "Cannot work in the program folder " + folder.string() + ": " +
                          error.message() + ". Reinstall Ventrel or start it from its own folder.");
  }
}

// The stored port, selected as if picked (which stores it again), and the line settings.
void SetUpPort(Session& session) {
  if (session.settings) {
    comm::LoadPortChoice(session.link, *session.settings);
    comm::SelectPort(session.link, *session.settings, session.host, comm::PortItem(session.link));
  }
  session.link.ConfigurePort(comm::kLoadInBufferSize);
}

}  // namespace

void FormLoad(Session& session, MainWindowView& view) {
  core::RunSteps(session.host, {
                                   [&] { session.host.HideProgress(); },
                                   [&] {
                                     view.SetApplicationTitle(kApplicationTitle);
                                     EnterProgramFolder(session.programFolder);
                                   },
                                   [&] { session.AbortFlag = false; },
                                   [&] { SetUpPort(session); },
                                   [&] { session.link.CommErrorCount = 0; },
                                   [&] {
                                     session.image.ClearFLASHBuffer();
                                     session.image.ClearEEPROMBuffer();
                                   },
                                   [&] {
                                     session.window.WindowTitle = core::kDesignCaption;
                                     session.window.ShowStartupCaption(
                                         Item(session.branding.CompanyLines, kCompanyShortLabel));
                                   },
                                   [&] {
                                     session.window.DataSourceText.clear();
                                     session.editor.ActiveTableName.clear();
                                     session.editor.CopyBuffer.clear();
                                   },
                                   [&] { view.SetPopUpPasteEnabled(false); },
                                   [&] { session.link.PageSize = comm::kDefaultPageSize; },
                                   [&] { session.window.SetRetardTableCommandVisible(false); },
                               });
}

bool FormKeyPress(Session& session, int keyAscii) {
  if (keyAscii != kKeyEscape) return false;
  session.AbortFlag = true;
  session.editor.HideValueLabel();
  return true;
}

bool HasUnsavedData(const Session& session) {
  return session.image.HasUnsavedData() || session.editor.TableEdited();
}

bool FormQueryUnload(Session& session, const std::function<bool()>& saveFile) {
  if (!session.editor.EndOpenEntry()) return true;
  if (!HasUnsavedData(session)) return false;
  switch (session.host.MsgBox(kSaveBeforeExit, kExitTitle, core::Buttons::YesNoCancel,
                              core::Icon::Exclamation)) {
    case core::Answer::Yes:
      return !saveFile();
    case core::Answer::No:
      return false;
    default:
      return true;
  }
}

std::string AboutText(const Branding& branding) {
  const std::string label = Item(branding.CompanyLines, kCompanyShortLabel);
  std::string text = (label.empty() ? std::string() : label + " ") + kVersionText + kLineEnd;
  text += std::string(kRightsNotice) + kLineEnd + kLineEnd;
  for (std::size_t i = kCompanyShortLabel + 1; i <= branding.CompanyLines.size(); ++i) {
    text += branding.CompanyLines[i - 1] + kLineEnd;
  }
  return text;
}

void ShowAbout(core::Host& host, const Branding& branding) {
  host.MsgBox(AboutText(branding), kAboutTitle, core::Buttons::OK, core::Icon::Information);
}

}  // namespace app
