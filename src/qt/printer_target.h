// Pages sent to the printer chosen in Print Setup, each page a print job of its own.
#pragma once

#include <QPrinter>

#include "qt/page_target.h"

namespace qtui {

class PrinterTarget : public PageTarget {
 public:
  explicit PrinterTarget(QPrinter& printer) : printer_(printer) {}

  // A print queue is installed and the printer is one of them.
  bool Ready() const override;
  QPagedPaintDevice& Device() override { return printer_; }
  void SetPortraitOneCopy() override;
  void Deliver(const RecordedPage& page) override;

 private:
  QPrinter& printer_;
};

}  // namespace qtui
