// The printouts' printer on Qt: a page is laid out in the chosen font on the target's
// device, held until it is ended, then sent whole; a killed page is simply dropped.
#pragma once

#include <QFont>
#include <QImage>
#include <QSize>
#include <functional>
#include <memory>

#include "print/print_surface.h"
#include "qt/page_target.h"
#include "qt/recorded_page.h"

namespace qtui {

// The table's 3D chart as a picture of the given size.
using ChartRenderer = std::function<QImage(const QSize& size)>;

class QtPrintSurface : public print::PrintSurface {
 public:
  // Without a renderer the chart cannot be drawn.
  explicit QtPrintSurface(PageTarget& target, ChartRenderer renderChart = {});
  ~QtPrintSurface() override;

  bool PrinterInstalled() override { return target_->Ready(); }
  void UsePdfFile(const std::string& path) override;

  std::vector<std::string> FontNames() override;
  void SetFont(const std::string& name, int points) override;
  void SetPortraitOneCopy() override { target_->SetPortraitOneCopy(); }
  void SetCurrentY(int twips) override;
  void PrintLine(const print::PrintLine& line) override;

  print::PageMetrics Metrics() override;
  bool CanDrawChart() override { return static_cast<bool>(renderChart_); }
  void DrawChart(const print::PixelRect& rect) override;

  void EndDoc() override;
  void KillDoc() override { page_ = {}; }

 private:
  PageTarget* target_;
  std::unique_ptr<PageTarget> ownTarget_;
  ChartRenderer renderChart_;
  QFont font_;
  // The top of the next line in device pixels.
  double currentY_ = 0;
  RecordedPage page_;
};

}  // namespace qtui
