// Printouts sent to a PDF printer and read back with poppler's tools (scripts/setup
// installs poppler-utils).
#pragma once

#include <gtest/gtest.h>

#include <QPrinter>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "qt/frm_main.h"
#include "qt/print_commands.h"

namespace printtest {

// What the tool wrote on stdout; a failure to run it fails the test.
inline std::string RunPoppler(const QString& tool, const QStringList& arguments) {
  QProcess process;
  process.start(tool, arguments);
  if (!process.waitForFinished(30000) || process.exitCode() != 0) {
    ADD_FAILURE() << tool.toStdString() << " failed on " << arguments.join(' ').toStdString()
                  << ": " << process.readAllStandardError().toStdString()
                  << " (is poppler-utils installed? scripts/setup installs it)";
    return {};
  }
  return process.readAllStandardOutput().toStdString();
}

// The page text with each character at its column for characters of this width (points).
inline std::vector<std::string> FixedLines(const QString& pdf, double characterPoints) {
  const std::string text = RunPoppler(
      QStringLiteral("pdftotext"),
      {QStringLiteral("-fixed"), QString::number(characterPoints), pdf, QStringLiteral("-")});
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

inline int PageCount(const QString& pdf) {
  const std::string info = RunPoppler(QStringLiteral("pdfinfo"), {pdf});
  const std::size_t at = info.find("Pages:");
  return at == std::string::npos ? 0 : std::stoi(info.substr(at + 6));
}

// The line that contains text, or an empty text when none does.
inline std::string LineWith(const std::vector<std::string>& lines, const std::string& text) {
  for (const std::string& line : lines) {
    if (line.find(text) != std::string::npos) return line;
  }
  ADD_FAILURE() << "no line with \"" << text << "\"";
  return {};
}

// The window's printer, writing every later printout to this PDF file.
inline QPrinter& UsePdfPrinter(qtui::frmMain& window, const QString& pdf) {
  QPrinter& printer = window.findChild<qtui::PrintCommands*>()->printer();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  return printer;
}

}  // namespace printtest
