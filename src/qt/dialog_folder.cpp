#include "qt/dialog_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "app/splash.h"

namespace qtui {

namespace {

constexpr const char* kOrganisation = "Ventrel";
constexpr const char* kLastFolderKey = "Files/LastFolder";

QSettings UserSettings() {
  return QSettings(QString::fromLatin1(kOrganisation), QString::fromLatin1(app::kApplicationTitle));
}

}  // namespace

QString DialogStartPath(const QString& initialPath) {
  QString folder = UserSettings().value(QString::fromLatin1(kLastFolderKey)).toString();
  // A folder since removed or unplugged is no place to start.
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
    folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  }
  if (initialPath.isEmpty()) return folder;
  if (QFileInfo(initialPath).isAbsolute()) return initialPath;
  return QDir(folder).filePath(initialPath);
}

void RememberDialogFolder(const QString& chosenFile) {
  UserSettings().setValue(QString::fromLatin1(kLastFolderKey),
                          QFileInfo(chosenFile).absolutePath());
}

}  // namespace qtui
