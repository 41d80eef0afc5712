#include "qt/qt_settings_store.h"

#include <QSettings>

#include "qt/qt_text.h"

namespace qtui {

namespace {
constexpr const char* kOrganisation = "Ventrel";

QString KeyPath(const std::string& section, const std::string& key) {
  return ToQString(section) + QLatin1Char('/') + ToQString(key);
}
}  // namespace

std::string QtSettingsStore::GetSetting(const std::string& application, const std::string& section,
                                        const std::string& key, const std::string& defaultValue) {
  const QSettings settings(QString::fromLatin1(kOrganisation), ToQString(application));
  return ToStdString(settings.value(KeyPath(section, key), ToQString(defaultValue)).toString());
}

void QtSettingsStore::SaveSetting(const std::string& application, const std::string& section,
                                  const std::string& key, const std::string& value) {
  QSettings settings(QString::fromLatin1(kOrganisation), ToQString(application));
  settings.setValue(KeyPath(section, key), ToQString(value));
}

}  // namespace qtui
