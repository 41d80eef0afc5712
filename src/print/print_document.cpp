#include "print/print_document.h"

#include <stdexcept>

#include "core/error_prompt.h"

namespace print {

PrintDocument::PrintDocument(PrintSurface& surface, std::string name, const PageSetup& setup)
    : surface_(surface), name_(std::move(name)) {
  AddStep([&surface, setup] {
    surface.SetFont(setup.font, setup.points);
    surface.SetPortraitOneCopy();
    surface.SetCurrentY(setup.firstLineTwips);
  });
}

void PrintDocument::AddLine(PrintLine line) {
  AddStep([&surface = surface_, line = std::move(line)] { surface.PrintLine(line); });
}

void PrintDocument::AddLines(const std::vector<PrintLine>& lines) {
  for (const PrintLine& line : lines) AddLine(line);
}

void PrintDocument::AddLine(std::function<PrintLine()> makeLine) {
  AddStep([&surface = surface_, makeLine = std::move(makeLine)] { surface.PrintLine(makeLine()); });
}

void PrintDocument::AddStep(std::function<void()> step) {
  steps_.push_back(Described(std::move(step)));
}

std::function<void()> PrintDocument::Described(std::function<void()> step) const {
  return [name = name_, step = std::move(step)] {
    try {
      step();
    } catch (const std::exception& e) {
      throw std::runtime_error("Printing " + name + " failed: " + e.what());
    }
  };
}

bool PrintDocument::Print(core::Host& host) {
  std::vector<std::function<void()>> steps = steps_;
  steps.push_back(Described([this] { surface_.EndDoc(); }));
  for (const auto& step : steps) {
    if (core::GuardedStep(host, step) == core::StepOutcome::Aborted) {
      surface_.KillDoc();
      return false;
    }
  }
  return true;
}

void PrintDocument::PrintUnattended() {
  try {
    for (const auto& step : steps_) step();
    Described([this] { surface_.EndDoc(); })();
  } catch (...) {
    surface_.KillDoc();
    throw;
  }
}

}  // namespace print
