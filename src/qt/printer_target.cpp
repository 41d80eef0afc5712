#include "qt/printer_target.h"

#include <QPainter>
#include <QPrinterInfo>
#include <stdexcept>

#include "qt/qt_text.h"

namespace qtui {

bool PrinterTarget::Ready() const {
  return printer_.outputFormat() == QPrinter::NativeFormat && printer_.isValid() &&
         !QPrinterInfo::availablePrinters().isEmpty();
}

void PrinterTarget::SetPortraitOneCopy() {
  printer_.setPageOrientation(QPageLayout::Portrait);
  printer_.setCopyCount(1);
}

void PrinterTarget::Deliver(const RecordedPage& page) {
  QPainter painter;
  if (!painter.begin(&printer_)) {
    throw std::runtime_error("The printer " + ToStdString(printer_.printerName()) +
                             " could not start the print job. Check that it is switched on and "
                             "connected, or choose another printer with Print Setup.");
  }
  page.Paint(painter);
  if (!painter.end()) {
    throw std::runtime_error("The printer " + ToStdString(printer_.printerName()) +
                             " did not take the print job. Check its queue, or choose another "
                             "printer with Print Setup.");
  }
}

}  // namespace qtui
