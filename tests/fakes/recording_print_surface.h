// A printer that records each document as plain text lines, and that can be told to
// fail, to have no printer installed, or to be unable to draw the chart.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "print/print_surface.h"

namespace fakes {

class RecordingPrintSurface : public print::PrintSurface {
 public:
  struct Document {
    std::string font;
    int points = 0;
    bool portraitOneCopy = false;
    int firstLineTwips = -1;
    // Rendered from column 1, so every line starts with 9 blanks.
    std::vector<std::string> lines;
    std::optional<print::PixelRect> chart;
  };

  bool PrinterInstalled() override { return printerInstalled; }
  void UsePdfFile(const std::string& path) override { pdfFile = path; }

  std::vector<std::string> FontNames() override { return fonts; }
  void SetFont(const std::string& name, int points) override {
    page.font = name;
    page.points = points;
  }
  void SetPortraitOneCopy() override { page.portraitOneCopy = true; }
  void SetCurrentY(int twips) override { page.firstLineTwips = twips; }
  void PrintLine(const print::PrintLine& line) override {
    if (++lineCalls == failOnLineCall && failures-- > 0) {
      --lineCalls;
      throw std::runtime_error("paper jam");
    }
    page.lines.push_back(print::RenderLine(line, 1));
  }

  print::PageMetrics Metrics() override { return metrics; }
  bool CanDrawChart() override { return canDrawChart; }
  void DrawChart(const print::PixelRect& rect) override { page.chart = rect; }

  void EndDoc() override {
    documents.push_back(page);
    page = {};
  }
  void KillDoc() override {
    page = {};
    ++killed;
  }

  bool printerInstalled = true;
  bool canDrawChart = true;
  std::vector<std::string> fonts = {"DejaVu Sans", "Courier New"};
  // A letter page at 1200 pixels per inch, less a quarter inch all round.
  print::PageMetrics metrics{11520, 15120, 1.2, 1.2};
  // The PrintLine call (from 1) that fails, and how many times it fails before it works.
  int failOnLineCall = 0;
  int failures = 1;

  std::optional<std::string> pdfFile;
  std::vector<Document> documents;
  Document page;
  int lineCalls = 0;
  int killed = 0;
};

}  // namespace fakes
