#include "qt/frm_main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenuBar>
#include <QProgressBar>
#include <QResizeEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>
#include <vector>

#include "app/file_commands.h"
#include "app/form_layout.h"
#include "app/menu_tree.h"
#include "core/error_prompt.h"
#include "qt/compare_commands.h"
#include "qt/desktop_conventions.h"
#include "qt/edit_params_binding.h"
#include "qt/fra_port_select.h"
#include "qt/help_window.h"
#include "qt/link_devices.h"
#include "qt/print_commands.h"
#include "qt/qt_host.h"
#include "qt/qt_text.h"
#include "qt/table_bindings.h"
#include "qt/table_chart.h"
#include "qt/table_grid.h"
#include "qt/transfer_commands.h"
#include "qt/twips.h"

namespace qtui {

namespace {

// Big enough for the whole 18-row table and all ten columns beside the chart; smaller
// screens get their available area.
constexpr int kDefaultWidth = 1280;
constexpr int kDefaultHeight = 860;
constexpr int kMinimumWidth = 800;
constexpr int kMinimumHeight = 560;
constexpr int kFrameAllowance = 16;

}  // namespace

frmMain::frmMain(app::Branding branding, std::filesystem::path programFolder, core::Host* host)
    : ownHost_(host ? nullptr : std::make_unique<QtHost>(this)),
      host_(host ? *host : *ownHost_),
      session_(host_, *this, std::move(branding), std::move(programFolder)) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QString::fromLatin1(core::kDesignCaption));
  setWindowIcon(QIcon(FromPath(session_.programFolder / app::kLogoFileName)));
  SizeForScreen();

  auto* central = new QWidget(this);
  fraProgress1_ = new QGroupBox(QStringLiteral("Programming"), central);
  fraProgress1_->setObjectName(QStringLiteral("fraProgress1"));
  prgProgress1_ = new QProgressBar(fraProgress1_);
  prgProgress1_->setObjectName(QStringLiteral("prgProgress1"));
  auto* progressLayout = new QVBoxLayout(fraProgress1_);
  progressLayout->addWidget(prgProgress1_);
  fraProgress1_->hide();
  linkDevices_ = std::make_unique<LinkDevices>(session_.link);
  session_.settings = &linkDevices_->settings();
  fraPortSelect_ = new fraPortSelect(
      session_.link, *session_.settings, host_, [this] { linkDevices_->UseSerialPort(); }, central);
  fraPortSelect_->hide();
  setCentralWidget(central);
  // The table controls are placed by Form_Resize, not by a layout; the frames go in the
  // strip it leaves free under the grid, in front of the table controls.
  VSFlexGrid1_ = new TableGrid(central);
  Chart3D1_ = new TableChart(central);
  for (QWidget* frame :
       {static_cast<QWidget*>(fraProgress1_), static_cast<QWidget*>(fraPortSelect_)}) {
    frame->installEventFilter(this);
  }
  session_.editor.Attach(*VSFlexGrid1_, *Chart3D1_, *this);
  if (ownHost_) ownHost_->AttachProgressFrame(fraProgress1_, prgProgress1_);

  BuildMenus();
  BindCommand(app::menu::kExit, [this] { mnuExit_Click(); });
  BindCommand(app::menu::kEditParams, [this] { EditParamsInMainWindow(session_, this); });
  BindCommand(app::menu::kPortSetup, [this] { fraPortSelect_->show(); });
  BindCommand(app::menu::kHelpContents, [this] { mnuHelpContents_Click(); });
  BindCommand(app::menu::kAbout, [this] { mnuAbout_Click(); });
  BindTableCommands(*this);
  BindPrintCommands(*this);
  transferCommands_ = std::make_unique<TransferCommands>(*this);
  desktop_ = new DesktopConventions(*this);
  new CompareCommands(*this);
  qApp->installEventFilter(this);
}

frmMain::~frmMain() {
  qApp->removeEventFilter(this);
  // It reads the session, which goes before the window's children do.
  delete desktop_;
  desktop_ = nullptr;
  session_.settings = nullptr;
  // The grid outlives the session's table editor by a moment; it reports to nobody then.
  VSFlexGrid1_->SetEventSink(nullptr);
}

void frmMain::BuildMenus() {
  for (const app::MenuSpec& spec : app::MainMenus()) {
    BuildMenu(spec, menuBar()->addMenu(ToQString(spec.caption)));
  }
  mnuPopUpEdit3D_ = BuildMenu(app::PopUpEdit3DMenu(), new QMenu(this));

  // A command is disabled until its body is bound to it.
  for (QAction* action : findChildren<QAction*>()) {
    if (action->isSeparator() || action->menu() || action->objectName().isEmpty()) continue;
    action->setEnabled(false);
  }
}

void frmMain::BindCommand(std::string_view name, const std::function<void()>& body) {
  QAction* action = findChild<QAction*>(ToQString(name));
  if (!action) throw std::logic_error("no menu command named " + std::string(name));
  action->setEnabled(true);
  connect(action, &QAction::triggered, this, [this, body] { RunCommand(body); });
}

QMenu* frmMain::BuildMenu(const app::MenuSpec& spec, QMenu* menu) {
  menu->setObjectName(ToQString(spec.name));
  menu->setTitle(ToQString(spec.caption));
  menu->setToolTipsVisible(true);
  for (const app::MenuItemSpec& item : spec.items) {
    QAction* action = item.caption == app::kSeparatorCaption
                          ? menu->addSeparator()
                          : menu->addAction(ToQString(item.caption));
    action->setObjectName(ToQString(item.name));
  }
  return menu;
}

void frmMain::Form_Load() { app::FormLoad(session_, *this); }

void frmMain::RunCommand(const std::function<void()>& body) {
  core::GuardedStep(host_, body);
  if (desktop_) desktop_->RefreshStatus();
}

void frmMain::SetCaption(const std::string& caption) {
  setWindowTitle(ToQString(caption));
  if (desktop_) desktop_->RefreshStatus();
}

void frmMain::SetRetardTableCommandVisible(bool visible) {
  if (auto* action = findChild<QAction*>(ToQString(app::menu::kEditRetardTbl))) {
    action->setVisible(visible);
  }
}

void frmMain::SetApplicationTitle(const std::string& title) {
  QCoreApplication::setApplicationName(ToQString(title));
}

void frmMain::SetPopUpPasteEnabled(bool enabled) {
  if (auto* action = mnuPopUpEdit3D_->findChild<QAction*>(ToQString(app::menu::kPopUpPaste3D))) {
    action->setEnabled(enabled);
  }
}

void frmMain::ShowPopUpEdit3D(int x, int y) {
  const QWidget& area = *VSFlexGrid1_->viewport();
  mnuPopUpEdit3D_->popup(
      area.mapToGlobal(QPoint(TwipsToPixelsX(area, x), TwipsToPixelsY(area, y))));
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  // A frame shown or hidden takes or gives back its strip under the grid.
  if ((event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) &&
      (watched == fraProgress1_ || watched == fraPortSelect_)) {
    RunCommand([this] { FormResize(); });
  }
  if (event->type() == QEvent::KeyPress) {
    auto* widget = qobject_cast<QWidget*>(watched);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (widget && widget->window() == this && key->key() == Qt::Key_Escape) {
      app::FormKeyPress(session_, app::kKeyEscape);
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void frmMain::closeEvent(QCloseEvent* event) {
  if (transferCommands_->HoldClose()) {
    event->ignore();
    return;
  }
  bool keepOpen = false;
  RunCommand([&] {
    keepOpen = app::FormQueryUnload(session_, [this] { return app::SaveFile(session_); });
  });
  // The port is closed whatever the answer; the next command opens it again.
  session_.link.ClosePort();
  if (keepOpen) {
    event->ignore();
    return;
  }
  // The windows of the program close with the main window.
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window != this && window->isVisible()) window->close();
  }
  event->accept();
}

void frmMain::SizeForScreen() {
  const QScreen* shown = screen();
  const QSize available =
      shown ? shown->availableGeometry().size() : QSize(kDefaultWidth, kDefaultHeight);
  // Room for the window's frame, which the system adds around this size.
  const QSize frame(kFrameAllowance, kFrameAllowance * 2);
  setMinimumSize(QSize(kMinimumWidth, kMinimumHeight).boundedTo(available - frame));
  resize(QSize(kDefaultWidth, kDefaultHeight).boundedTo(available - frame));
}

void frmMain::FormResize() {
  const QWidget& client = *centralWidget();
  // The visible frames, stacked at the bottom of the left half.
  std::vector<QWidget*> frames;
  int framesHeight = 0;
  int width = client.width() / 2;
  for (QWidget* frame :
       {static_cast<QWidget*>(fraProgress1_), static_cast<QWidget*>(fraPortSelect_)}) {
    if (frame->isHidden()) continue;
    frames.push_back(frame);
    framesHeight += frame->sizeHint().height();
    width = std::max(width, frame->minimumSizeHint().width());
  }
  app::LayoutTableControls(session_.editor.ActiveTableName, *VSFlexGrid1_, *Chart3D1_,
                           PixelsToTwipsX(client, client.width()),
                           PixelsToTwipsY(client, client.height()),
                           PixelsToTwipsY(client, framesHeight));
  int top = client.height() - framesHeight;
  for (QWidget* frame : frames) {
    const int height = frame->sizeHint().height();
    frame->setGeometry(0, top, std::min(width, client.width()), height);
    frame->raise();
    top += height;
  }
}

void frmMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  RunCommand([this] { FormResize(); });
  if (transferCommands_) RunCommand([this] { transferCommands_->FormResize(); });
}

void frmMain::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // Minimizing and restoring reach the resize handler too.
  if (event->type() == QEvent::WindowStateChange && transferCommands_) {
    RunCommand([this] { transferCommands_->FormResize(); });
  }
}

void frmMain::mnuExit_Click() { close(); }

void frmMain::mnuHelpContents_Click() {
  if (!helpWindow_) {
    helpWindow_ = new HelpWindow(FromPath(session_.programFolder / app::kHelpFileName), this);
  }
  helpWindow_->ShowContents();
}

void frmMain::mnuAbout_Click() { app::ShowAbout(host_, session_.branding); }

}  // namespace qtui
