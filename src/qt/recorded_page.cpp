#include "qt/recorded_page.h"

#include <QPainter>

namespace qtui {

void RecordedPage::Paint(QPainter& painter) const {
  if (chart) painter.drawImage(chart->rect, chart->image);
  for (const TextRun& run : runs) {
    painter.setFont(run.font);
    painter.drawText(run.baseline, run.text);
  }
}

}  // namespace qtui
