// The system's print queues (CUPS, or the server CUPS_SERVER names): their names, the
// default one, their state, their default page, and PDF files sent to them as jobs.
#pragma once

#include <QPageLayout>
#include <optional>
#include <string>
#include <vector>

#include "print/print_queue.h"

namespace qtui {

std::vector<std::string> PrintQueueNames();
// "" when the system has no default printer.
std::string DefaultPrintQueue();
print::QueueState PrintQueueState(const std::string& name);
// The queue's default paper and printable area, or nothing when it does not tell them.
std::optional<QPageLayout> PrintQueuePageLayout(const std::string& name);
// Sends the file as one job and returns its number. Throws std::runtime_error with the
// service's reason when the job is refused.
int SendPdfToQueue(const std::string& name, const std::string& pdfPath, const std::string& title);

}  // namespace qtui
