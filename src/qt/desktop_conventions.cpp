#include "qt/desktop_conventions.h"

#include <QAction>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

#include "app/file_commands.h"
#include "app/shortcuts.h"
#include "app/status_texts.h"
#include "app/window_geometry.h"
#include "qt/frm_main.h"
#include "qt/grid_model.h"
#include "qt/link_devices.h"
#include "qt/qt_text.h"
#include "qt/table_grid.h"
#include "qt/transfer_commands.h"

namespace qtui {

namespace {

// Room between the fields, so that the edition, the file and the port read apart.
constexpr int kStatusFieldMargin = 8;

QLabel* StatusField(QStatusBar& bar, const char* name) {
  auto* label = new QLabel(&bar);
  label->setObjectName(QString::fromLatin1(name));
  label->setContentsMargins(kStatusFieldMargin, 0, kStatusFieldMargin, 0);
  bar.addPermanentWidget(label);
  return label;
}

void Show(QLabel& label, const std::string& text) {
  label.setText(ToQString(text));
  label.setVisible(!text.empty());
}

std::vector<std::filesystem::path> LocalFiles(const QMimeData& data) {
  std::vector<std::filesystem::path> files;
  for (const QUrl& url : data.urls()) {
    if (url.isLocalFile()) files.push_back(ToPath(url.toLocalFile()));
  }
  return files;
}

}  // namespace

DesktopConventions::DesktopConventions(frmMain& window) : QObject(&window), window_(window) {
  app::Session& session = window.session();
  if (session.settings) session.recentFiles = app::RecentFiles(*session.settings);
  BindShortcuts();
  auto* openRecent = window.findChild<QAction*>(ToQString(app::menu::kOpenRecent));
  recentMenu_ = new QMenu(&window);
  recentMenu_->setObjectName(QStringLiteral("mnuOpenRecentList"));
  openRecent->setMenu(recentMenu_);
  // Built as it opens: never while one of its items runs.
  connect(recentMenu_, &QMenu::aboutToShow, this, &DesktopConventions::RebuildRecentMenu);
  BuildStatusBar();
  RestoreGeometry();
  window.setAcceptDrops(true);
  window.installEventFilter(this);
  // Cell edits change whether there are unsaved changes.
  connect(window.grid()->gridModel(), &GridModel::dataChanged, this, [this] { RefreshStatus(); });
}

void DesktopConventions::BindShortcuts() {
  for (const app::CommandShortcut& shortcut : app::kCommandShortcuts) {
    auto* action = window_.findChild<QAction*>(ToQString(shortcut.command));
    action->setShortcut(QKeySequence::fromString(ToQString(shortcut.keys)));
  }
}

void DesktopConventions::BuildStatusBar() {
  QStatusBar& bar = *window_.statusBar();
  edition_ = StatusField(bar, "lblStatusEdition");
  source_ = StatusField(bar, "lblStatusSource");
  port_ = StatusField(bar, "lblStatusPort");
  changes_ = StatusField(bar, "lblStatusChanges");
  RefreshStatus();
}

void DesktopConventions::RefreshStatus() {
  const app::StatusTexts texts =
      app::StatusTextsFor(window_.session(), window_.linkDevices().simulatedModule() != nullptr);
  Show(*edition_, texts.edition);
  Show(*source_, texts.source);
  Show(*port_, texts.port);
  Show(*changes_, texts.changes);
  recentMenu_->menuAction()->setEnabled(!window_.session().recentFiles.Files().empty() &&
                                        !window_.transferCommands().Running());
}

void DesktopConventions::RebuildRecentMenu() {
  const std::vector<std::filesystem::path>& files = window_.session().recentFiles.Files();
  recentMenu_->clear();
  for (std::size_t i = 0; i < files.size(); ++i) {
    QAction* item = recentMenu_->addAction(ToQString(app::RecentFileCaption(i, files[i])));
    item->setStatusTip(FromPath(files[i]));
    connect(item, &QAction::triggered, this, [this, file = files[i]] {
      window_.RunCommand([this, file] { app::OpenRecentFile(window_.session(), file); });
    });
  }
}

void DesktopConventions::RestoreGeometry() {
  std::vector<app::WindowRect> areas;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect area = screen->availableGeometry();
    areas.push_back({area.x(), area.y(), area.width(), area.height()});
  }
  app::Session& session = window_.session();
  if (!session.settings) return;
  const std::optional<app::WindowGeometry> geometry = app::RestoredGeometry(
      *session.settings, areas, window_.minimumWidth(), window_.minimumHeight());
  if (!geometry) return;
  const app::WindowRect& r = geometry->normal;
  window_.setGeometry(r.x, r.y, r.width, r.height);
  if (geometry->maximized) window_.setWindowState(window_.windowState() | Qt::WindowMaximized);
}

void DesktopConventions::StoreGeometry() {
  if (!window_.session().settings) return;
  const QRect normal = window_.normalGeometry();
  app::StoreGeometry(
      *window_.session().settings,
      {{normal.x(), normal.y(), normal.width(), normal.height()}, window_.isMaximized()});
}

bool DesktopConventions::Droppable(const QMimeData& data) const {
  // Files from this machine only; nothing is opened while a transfer runs.
  return !LocalFiles(data).empty() && !window_.transferCommands().Running();
}

void DesktopConventions::Drop(const QMimeData& data) {
  // Opened once the drop has ended, so the program it came from is not kept waiting while
  // a question is on screen.
  QTimer::singleShot(0, this, [this, files = LocalFiles(data)] {
    if (window_.transferCommands().Running()) return;
    window_.RunCommand([this, files] { app::OpenNamedFiles(window_.session(), files); });
  });
}

bool DesktopConventions::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &window_) return false;
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (Droppable(*drag->mimeData())) {
        drag->acceptProposedAction();
      } else {
        drag->ignore();
      }
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (!Droppable(*drop->mimeData())) return false;
      drop->acceptProposedAction();
      Drop(*drop->mimeData());
      return true;
    }
    case QEvent::Show:
      RefreshStatus();
      break;
    case QEvent::Close:
      StoreGeometry();
      break;
    default:
      break;
  }
  return false;
}

}  // namespace qtui
