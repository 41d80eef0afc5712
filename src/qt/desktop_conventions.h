// What users expect of a desktop program, in the main window: the standard keys of the
// common commands, Open Recent, a status bar, the window's size and place kept between
// runs, and data files dropped on the window.
#pragma once

#include <QObject>

class QLabel;
class QMenu;
class QMimeData;

namespace qtui {

class frmMain;

class DesktopConventions : public QObject {
  Q_OBJECT

 public:
  // Loads the user's recent files and the window's remembered size and place.
  explicit DesktopConventions(frmMain& window);

  // Reads the status bar's texts from the session again.
  void RefreshStatus();
  QMenu* recentMenu() const { return recentMenu_; }
  // The list's items, as the menu shows them when it opens.
  void RebuildRecentMenu();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BindShortcuts();
  void BuildStatusBar();
  void RestoreGeometry();
  void StoreGeometry();
  bool Droppable(const QMimeData& data) const;
  void Drop(const QMimeData& data);

  frmMain& window_;
  QMenu* recentMenu_ = nullptr;
  QLabel* edition_ = nullptr;
  QLabel* source_ = nullptr;
  QLabel* port_ = nullptr;
  QLabel* changes_ = nullptr;
};

}  // namespace qtui
