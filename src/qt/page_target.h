// Where the pages of a printout go: a print queue or a PDF file.
#pragma once

#include <string>
#include <vector>

#include "qt/recorded_page.h"

class QPagedPaintDevice;

namespace qtui {

class PageTarget {
 public:
  virtual ~PageTarget() = default;

  // False when there is nothing to print on.
  virtual bool Ready() const = 0;
  // The device pages are laid out for: its resolution, printable area and fonts.
  virtual QPagedPaintDevice& Device() = 0;
  virtual void SetPortraitOneCopy() = 0;
  // Sends one complete page as a document of its own; throws, having sent nothing,
  // when it cannot.
  virtual void Deliver(const RecordedPage& page) = 0;
  // What the user is told of the pages sent so far (the print jobs); nothing for a file.
  virtual std::vector<std::string> Receipts() const { return {}; }
};

}  // namespace qtui
