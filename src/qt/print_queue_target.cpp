#include "qt/print_queue_target.h"

#include <QTemporaryDir>
#include <stdexcept>

#include "print/print_queue.h"
#include "qt/print_queues.h"
#include "qt/qt_text.h"

namespace qtui {

PrintQueueTarget::PrintQueueTarget(std::string queue, const QPageLayout& layout, std::string title,
                                   std::string advice)
    : queue_(std::move(queue)),
      layout_(QString(), layout),
      title_(std::move(title)),
      advice_(std::move(advice)) {}

void PrintQueueTarget::Deliver(const RecordedPage& page) {
  if (const auto refusal = print::QueueRefusal(PrintQueueState(queue_))) {
    throw std::runtime_error(*refusal + " " + advice_);
  }
  const QTemporaryDir folder;
  if (!folder.isValid()) {
    throw std::runtime_error("No temporary file could be made for the print job (" +
                             ToStdString(folder.errorString()) + ").");
  }
  const QString file = folder.filePath(QStringLiteral("page.pdf"));
  PdfFileTarget(file, layout_.Device().pageLayout()).Deliver(page);
  const int job = SendPdfToQueue(queue_, ToStdString(file), title_);
  receipts_.push_back(print::JobSentText(queue_, job));
}

}  // namespace qtui
