// What the printouts need of the printer: its fonts, the page set-up, lines of text at
// character columns, the page size, the chart drawn onto the page, and the end of the
// document. Each page is a document of its own.
#pragma once

#include <string>
#include <vector>

#include "print/print_line.h"

namespace print {

// The printable area in twips (1/1440 inch) and the size of one printer pixel in twips.
struct PageMetrics {
  double widthTwips = 0;
  double heightTwips = 0;
  double twipsPerPixelX = 1;
  double twipsPerPixelY = 1;
};

// A rectangle of the printable area in printer pixels.
struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PixelRect&) const = default;
};

class PrintSurface {
 public:
  virtual ~PrintSurface() = default;

  // False when there is no printer to print on (no print queue installed).
  virtual bool PrinterInstalled() = 0;
  // The pages of this printout go into a PDF file of the same layout instead.
  virtual void UsePdfFile(const std::string& path) = 0;

  virtual std::vector<std::string> FontNames() = 0;
  // The first call of a page starts its document.
  virtual void SetFont(const std::string& name, int points) = 0;
  virtual void SetPortraitOneCopy() = 0;
  // Where the next line is printed, in twips below the top of the printable area.
  virtual void SetCurrentY(int twips) = 0;
  // Prints the pieces at their columns and moves down one line.
  virtual void PrintLine(const print::PrintLine& line) = 0;

  virtual PageMetrics Metrics() = 0;
  // False where the chart cannot be drawn (no OpenGL on this display).
  virtual bool CanDrawChart() = 0;
  // Draws the table's 3D chart so that it fills the rectangle.
  virtual void DrawChart(const PixelRect& rect) = 0;

  // Sends the page to the printer.
  virtual void EndDoc() = 0;
  // Drops the page begun so far: nothing of it reaches the printer.
  virtual void KillDoc() = 0;
};

}  // namespace print
