#include "qt/qt_print_surface.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <algorithm>
#include <stdexcept>

#include "qt/pdf_file_target.h"
#include "qt/qt_text.h"

namespace qtui {

namespace {

constexpr double kTwipsPerInch = 1440;
// The chart is drawn as a picture at most this many pixels wide or high and scaled to its
// rectangle: a full page at printer resolution would take hundreds of megabytes.
constexpr int kLongestChartPicture = 2000;

QSize ChartPictureSize(const QSize& onPage) {
  const int longest = std::max(onPage.width(), onPage.height());
  if (longest <= kLongestChartPicture) return onPage;
  const double scale = static_cast<double>(kLongestChartPicture) / longest;
  return QSize(std::max(1, static_cast<int>(onPage.width() * scale)),
               std::max(1, static_cast<int>(onPage.height() * scale)));
}

}  // namespace

QtPrintSurface::QtPrintSurface(PageTarget& target, ChartRenderer renderChart)
    : target_(&target), renderChart_(std::move(renderChart)) {}

QtPrintSurface::~QtPrintSurface() = default;

void QtPrintSurface::UsePdfFile(const std::string& path) {
  ownTarget_ = std::make_unique<PdfFileTarget>(ToQString(path), target_->Device().pageLayout());
  target_ = ownTarget_.get();
}

std::vector<std::string> QtPrintSurface::FontNames() {
  std::vector<std::string> names;
  for (const QString& family : QFontDatabase::families()) names.push_back(ToStdString(family));
  return names;
}

void QtPrintSurface::SetFont(const std::string& name, int points) {
  font_ = QFont(ToQString(name), points);
  // Where the family is missing, a fixed-pitch font keeps the columns.
  font_.setStyleHint(QFont::TypeWriter);
  font_.setFixedPitch(true);
}

void QtPrintSurface::SetCurrentY(int twips) {
  currentY_ = twips * target_->Device().logicalDpiY() / kTwipsPerInch;
}

void QtPrintSurface::PrintLine(const print::PrintLine& line) {
  const QFontMetricsF metrics(font_, &target_->Device());
  const double column = metrics.horizontalAdvance(QLatin1Char('0'));
  for (const print::TextPiece& piece : line) {
    page_.runs.push_back({font_, QPointF((piece.column - 1) * column, currentY_ + metrics.ascent()),
                          ToQString(piece.text)});
  }
  currentY_ += metrics.lineSpacing();
}

print::PageMetrics QtPrintSurface::Metrics() {
  const QPagedPaintDevice& device = target_->Device();
  const double twipsPerPixelX = kTwipsPerInch / device.logicalDpiX();
  const double twipsPerPixelY = kTwipsPerInch / device.logicalDpiY();
  return {device.width() * twipsPerPixelX, device.height() * twipsPerPixelY, twipsPerPixelX,
          twipsPerPixelY};
}

void QtPrintSurface::DrawChart(const print::PixelRect& rect) {
  if (!renderChart_) throw std::runtime_error("The 3D chart cannot be drawn on this display.");
  const QRect onPage(rect.left, rect.top, rect.width, rect.height);
  if (onPage.isEmpty())
    throw std::runtime_error("The page has no room below the heading for the chart.");
  QImage picture = renderChart_(ChartPictureSize(onPage.size()));
  if (picture.isNull()) throw std::runtime_error("The 3D chart could not be drawn as a picture.");
  page_.chart = RecordedPage::ChartPicture{onPage, std::move(picture)};
}

void QtPrintSurface::EndDoc() {
  target_->Deliver(page_);
  page_ = {};
}

}  // namespace qtui
