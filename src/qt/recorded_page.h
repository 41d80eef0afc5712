// A printed page held in memory until it is complete: the text runs at their places in
// device pixels and the chart picture. Only a complete page is painted onto a printer.
#pragma once

#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QString>
#include <optional>
#include <vector>

class QPainter;

namespace qtui {

struct RecordedPage {
  struct TextRun {
    QFont font;
    QPointF baseline;
    QString text;
  };
  struct ChartPicture {
    QRect rect;
    QImage image;
  };

  std::vector<TextRun> runs;
  std::optional<ChartPicture> chart;

  // Paints the page with the painter's origin at the top left of the printable area.
  void Paint(QPainter& painter) const;
};

}  // namespace qtui
