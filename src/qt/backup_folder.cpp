#include "qt/backup_folder.h"

#include <QStandardPaths>

#include "qt/qt_text.h"

namespace qtui {

namespace {

constexpr const char* kBackupsUnderDataLocation = "Ventrel/backups";

}  // namespace

std::filesystem::path BackupFolder() {
  return ToPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)) /
         kBackupsUnderDataLocation;
}

}  // namespace qtui
