// Conversions between the logic's UTF-8 texts and Qt's strings.
#pragma once

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

namespace qtui {

inline QString ToQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// For display: the system writes CR LF between lines.
inline QString ToDisplayText(const std::string& utf8) {
  return QString::fromUtf8(utf8).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

inline std::string ToStdString(const QString& text) { return text.toUtf8().toStdString(); }

inline std::filesystem::path ToPath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

inline QString FromPath(const std::filesystem::path& path) {
  return QString::fromStdU16String(path.u16string());
}

}  // namespace qtui
