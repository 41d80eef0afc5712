// One print document as the printer operations that make it, each a step of its own:
// the common error prompt can retry or skip a failing step, and an abort drops the
// document so that nothing half-printed reaches the printer.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/host.h"
#include "print/print_line.h"
#include "print/print_surface.h"

namespace print {

struct PageSetup {
  std::string font;
  int points = 0;
  int firstLineTwips = 0;
};

class PrintDocument {
 public:
  // name says in failure messages what was being printed ("the table page").
  PrintDocument(PrintSurface& surface, std::string name, const PageSetup& setup);

  void AddLine(PrintLine line);
  void AddLines(const std::vector<PrintLine>& lines);
  // A line read when its step runs, so that a failure to read it can be retried.
  void AddLine(std::function<PrintLine()> makeLine);
  void AddStep(std::function<void()> step);

  // Runs the steps through the error prompt, then ends the document. False when the
  // user aborted; the document is then dropped.
  bool Print(core::Host& host);
  // Without asking anyone: the first failure drops the document and is thrown on.
  void PrintUnattended();

 private:
  // The step, with failures saying which document they spoilt.
  std::function<void()> Described(std::function<void()> step) const;

  PrintSurface& surface_;
  std::string name_;
  std::vector<std::function<void()>> steps_;
};

}  // namespace print
