// The main window: the menus, the progress frame and the shell's own commands.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <string_view>

#include "app/main_window.h"
#include "app/menu_tree.h"
#include "app/session.h"
#include "qt/help_window.h"
#include "tables/table_window.h"

class QAction;
class QGroupBox;
class QMenu;
class QProgressBar;

namespace qtui {

class QtHost;
class TableChart;
class TableGrid;
class TransferCommands;
class LinkDevices;
class fraPortSelect;
class DesktopConventions;

class frmMain : public QMainWindow, public app::MainWindowView, public tables::TableWindow {
  Q_OBJECT

 public:
  // Without a host of its own the window uses Qt's dialogs.
  frmMain(app::Branding branding, std::filesystem::path programFolder, core::Host* host = nullptr);
  ~frmMain() override;

  void Form_Load();

  // Enables the menu command and runs body when it is chosen; failures go to the error prompt.
  void BindCommand(std::string_view name, const std::function<void()>& body);

  app::Session& session() { return session_; }
  QMenu* popUpEdit3D() const { return mnuPopUpEdit3D_; }
  QGroupBox* progressFrame() const { return fraProgress1_; }
  fraPortSelect* portFrame() const { return fraPortSelect_; }
  LinkDevices& linkDevices() { return *linkDevices_; }
  HelpWindow* helpWindow() const { return helpWindow_; }
  TableGrid* grid() const { return VSFlexGrid1_; }
  TableChart* chart() const { return Chart3D1_; }
  TransferCommands& transferCommands() { return *transferCommands_; }
  DesktopConventions& desktop() { return *desktop_; }

  // Runs a command's body so that no failure escapes into the event loop.
  void RunCommand(const std::function<void()>& body);

  void SetCaption(const std::string& caption) override;
  void SetRetardTableCommandVisible(bool visible) override;
  void SetApplicationTitle(const std::string& title) override;
  void SetPopUpPasteEnabled(bool enabled) override;
  void ShowPopUpEdit3D(int x, int y) override;
  // Form_Resize: places the table grid and chart in the client area.
  void FormResize() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The default and least size, within the screen's available area.
  void SizeForScreen();
  void BuildMenus();
  QMenu* BuildMenu(const app::MenuSpec& spec, QMenu* menu);

  void mnuExit_Click();
  void mnuHelpContents_Click();
  void mnuAbout_Click();

  std::unique_ptr<QtHost> ownHost_;
  core::Host& host_;
  app::Session session_;
  std::unique_ptr<LinkDevices> linkDevices_;
  fraPortSelect* fraPortSelect_ = nullptr;
  QGroupBox* fraProgress1_ = nullptr;
  QProgressBar* prgProgress1_ = nullptr;
  TableGrid* VSFlexGrid1_ = nullptr;
  TableChart* Chart3D1_ = nullptr;
  QMenu* mnuPopUpEdit3D_ = nullptr;
  QPointer<HelpWindow> helpWindow_;
  std::unique_ptr<TransferCommands> transferCommands_;
  DesktopConventions* desktop_ = nullptr;
};

}  // namespace qtui
