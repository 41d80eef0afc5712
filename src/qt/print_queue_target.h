// Pages sent to a print queue of the system, each page a job of its own, as the PDF file
// the queue prints; a queue that would not print the job now is told, not sent to.
#pragma once

#include <string>
#include <vector>

#include "qt/page_target.h"
#include "qt/pdf_file_target.h"

namespace qtui {

class PrintQueueTarget : public PageTarget {
 public:
  // advice is added to every refusal ("Choose another printer with Print Setup.").
  PrintQueueTarget(std::string queue, const QPageLayout& layout, std::string title,
                   std::string advice);

  bool Ready() const override { return !queue_.empty(); }
  QPagedPaintDevice& Device() override { return layout_.Device(); }
  void SetPortraitOneCopy() override { layout_.SetPortraitOneCopy(); }
  void Deliver(const RecordedPage& page) override;
  std::vector<std::string> Receipts() const override { return receipts_; }

 private:
  std::string queue_;
  // Lays the pages out and never writes.
  PdfFileTarget layout_;
  std::string title_;
  std::string advice_;
  std::vector<std::string> receipts_;
};

}  // namespace qtui
