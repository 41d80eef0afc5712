#include "qt/pdf_file_target.h"

#include <QLocale>
#include <QPainter>
#include <QSaveFile>
#include <stdexcept>

#include "qt/qt_text.h"

namespace qtui {

namespace {

constexpr int kPdfResolution = 1200;
// A quarter inch all round: what common printers cannot reach.
constexpr double kPrintableMarginMillimetres = 6.35;

QPageLayout LocalePageLayout() {
  const bool usLetter = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
  const double m = kPrintableMarginMillimetres;
  return QPageLayout(QPageSize(usLetter ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                     QMarginsF(m, m, m, m), QPageLayout::Millimeter);
}

std::runtime_error WriteFailure(const QString& path, const QString& reason) {
  return std::runtime_error("The PDF file " + ToStdString(path) + " could not be written (" +
                            ToStdString(reason) +
                            "). Choose another folder or file name, or free some disk space.");
}

}  // namespace

PdfFileTarget::PdfFileTarget(QString path, const QPageLayout& layout)
    : path_(std::move(path)), layoutDevice_(&unused_) {
  layoutDevice_.setResolution(kPdfResolution);
  layoutDevice_.setPageLayout(layout);
}

PdfFileTarget::PdfFileTarget(QString path) : PdfFileTarget(std::move(path), LocalePageLayout()) {}

void PdfFileTarget::SetPortraitOneCopy() {
  layoutDevice_.setPageOrientation(QPageLayout::Portrait);
}

void PdfFileTarget::Deliver(const RecordedPage& page) {
  std::vector<RecordedPage> pages = pages_;
  pages.push_back(page);
  Write(pages);
  pages_ = std::move(pages);
}

void PdfFileTarget::Write(const std::vector<RecordedPage>& pages) {
  QSaveFile file(path_);
  if (!file.open(QIODevice::WriteOnly)) throw WriteFailure(path_, file.errorString());
  {
    QPdfWriter writer(&file);
    writer.setResolution(layoutDevice_.resolution());
    writer.setPageLayout(layoutDevice_.pageLayout());
    writer.setCreator(QStringLiteral("Ventrel"));
    QPainter painter;
    if (!painter.begin(&writer)) throw WriteFailure(path_, QStringLiteral("no PDF page"));
    for (std::size_t i = 0; i < pages.size(); ++i) {
      if (i > 0) writer.newPage();
      pages[i].Paint(painter);
    }
    painter.end();
  }
  if (!file.commit()) throw WriteFailure(path_, file.errorString());
}

}  // namespace qtui
