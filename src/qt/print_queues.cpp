#include "qt/print_queues.h"

#include <cups/cups.h>

#include <QSizeF>
#include <memory>
#include <stdexcept>

namespace qtui {

namespace {

// Printer states of the printing protocol.
constexpr int kPrinterStopped = 5;
constexpr double kHundredthsPerMillimetre = 100;

struct Dest {
  cups_dest_t* dest = nullptr;
  ~Dest() {
    if (dest) cupsFreeDests(1, dest);
  }
};

std::string Option(const cups_dest_t& dest, const char* name) {
  const char* value = cupsGetOption(name, dest.num_options, dest.options);
  return value ? value : "";
}

}  // namespace

std::vector<std::string> PrintQueueNames() {
  cups_dest_t* dests = nullptr;
  const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) {
    if (!dests[i].instance) names.emplace_back(dests[i].name);
  }
  cupsFreeDests(count, dests);
  return names;
}

std::string DefaultPrintQueue() {
  const Dest found{cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr)};
  return found.dest ? found.dest->name : "";
}

print::QueueState PrintQueueState(const std::string& name) {
  print::QueueState state;
  state.name = name;
  if (name.empty()) return state;
  const Dest found{cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.c_str(), nullptr)};
  if (!found.dest) return state;
  state.exists = true;
  state.acceptingJobs = Option(*found.dest, "printer-is-accepting-jobs") != "false";
  state.stopped = Option(*found.dest, "printer-state") == std::to_string(kPrinterStopped);
  state.reasons = Option(*found.dest, "printer-state-reasons");
  return state;
}

std::optional<QPageLayout> PrintQueuePageLayout(const std::string& name) {
  const Dest found{cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.c_str(), nullptr)};
  if (!found.dest) return std::nullopt;
  cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, found.dest);
  if (!info) return std::nullopt;
  cups_size_t size{};
  const bool known = cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, found.dest, info, 0, &size) != 0;
  cupsFreeDestInfo(info);
  if (!known || size.width <= 0 || size.length <= 0) return std::nullopt;
  const auto mm = [](int hundredths) { return hundredths / kHundredthsPerMillimetre; };
  return QPageLayout(QPageSize(QSizeF(mm(size.width), mm(size.length)), QPageSize::Millimeter),
                     QPageLayout::Portrait,
                     QMarginsF(mm(size.left), mm(size.top), mm(size.right), mm(size.bottom)),
                     QPageLayout::Millimeter);
}

int SendPdfToQueue(const std::string& name, const std::string& pdfPath, const std::string& title) {
  cups_option_t* options = nullptr;
  const int count = cupsAddOption("copies", "1", 0, &options);
  const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, name.c_str(), pdfPath.c_str(), title.c_str(),
                                 count, options);
  cupsFreeOptions(count, options);
  if (job == 0) {
    throw std::runtime_error("The printer \"" + name +
                             "\" refused the print job: " + cupsLastErrorString() + ".");
  }
  return job;
}

}  // namespace qtui
