// Pages written into a PDF file, in the order they are ended: the file is replaced as a
// whole after each page, so a failed write leaves the file as it was.
#pragma once

#include <QBuffer>
#include <QPageLayout>
#include <QPdfWriter>
#include <QString>
#include <vector>

#include "qt/page_target.h"

namespace qtui {

class PdfFileTarget : public PageTarget {
 public:
  // The layout of the page, as the chosen printer would print it.
  PdfFileTarget(QString path, const QPageLayout& layout);
  // A4 or Letter by the user's locale, with the printable area of a common printer.
  explicit PdfFileTarget(QString path);

  bool Ready() const override { return true; }
  QPagedPaintDevice& Device() override { return layoutDevice_; }
  void SetPortraitOneCopy() override;
  void Deliver(const RecordedPage& page) override;

 private:
  void Write(const std::vector<RecordedPage>& pages);

  QString path_;
  // Never written: it gives the pages their resolution, printable area and font metrics.
  QBuffer unused_;
  QPdfWriter layoutDevice_;
  std::vector<RecordedPage> pages_;
};

}  // namespace qtui
