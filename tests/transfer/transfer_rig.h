// A download or upload against the simulated module on the fake clock: the image, the
// window state, the table editor over a fake grid and chart, and a scripted host.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/regions.h"
#include "core/window_state.h"
#include "fakes/fake_chart.h"
#include "fakes/fake_grid.h"
#include "link/link_rig.h"
#include "sim/editions.h"
#include "tables/table_editor.h"

namespace transfertest {

using linktest::WithFaults;

class RecordingView : public core::WindowView {
 public:
  void SetCaption(const std::string& caption) override { captions.push_back(caption); }
  void SetRetardTableCommandVisible(bool visible) override { retardVisible = visible; }
  std::vector<std::string> captions;
  bool retardVisible = false;
};

// The image as a module with these memories would give it, before any preparation.
inline core::ModuleImage RegionsOf(const sim::Memories& memories) {
  core::ModuleImage image;
  for (std::size_t w = core::kFLASHRegionFirstWord; w <= core::kFLASHRegionLastWord; ++w) {
    image.FLASHBuffer[w] = {memories.flash[2 * w + 1], memories.flash[2 * w]};
  }
  for (std::size_t i = core::kEEPROMRegionFirstByte; i <= core::kEEPROMRegionLastByte; ++i) {
    image.EEPROMBuffer[i] = memories.eeprom[i];
  }
  return image;
}

// True when the module's transferred regions hold exactly the image's.
inline bool ModuleHolds(sim::QuillonModule& module, const core::ModuleImage& image) {
  const core::ModuleImage held = RegionsOf(module.memories());
  for (std::size_t w = core::kFLASHRegionFirstWord; w <= core::kFLASHRegionLastWord; ++w) {
    if (!(held.FLASHBuffer[w] == image.FLASHBuffer[w])) return false;
  }
  for (std::size_t i = core::kEEPROMRegionFirstByte; i <= core::kEEPROMRegionLastByte; ++i) {
    if (held.EEPROMBuffer[i] != image.EEPROMBuffer[i]) return false;
  }
  return true;
}

// Also lets a test act while a loop shows its progress (Esc in a loop that does not yield).
class TransferHost : public linktest::YieldingHost {
 public:
  std::function<void(const std::string& caption, int percent)> whileProgressing;
  void ShowProgress(const std::string& caption) override {
    YieldingHost::ShowProgress(caption);
    caption_ = caption;
  }
  void SetProgress(int percent) override {
    YieldingHost::SetProgress(percent);
    if (whileProgressing) whileProgressing(caption_, percent);
  }

 private:
  std::string caption_;
};

struct TransferRig {
  explicit TransferRig(sim::Edition edition = sim::Edition::JX, sim::Faults faults = {})
      : module(edition, std::move(faults)) {
    link.Attach(port, clock);
    editor.Attach(grid, chart, tableWindow);
    window.DataSourceText = "before.dat";
  }

  // Answers the boxes that will show these texts: the time-out prompts from
  // promptAnswers in order, every other box with OK.
  void ExpectBoxes(const std::vector<std::string>& texts,
                   const std::vector<core::Answer>& promptAnswers) {
    std::size_t prompt = 0;
    for (const std::string& text : texts) {
      const bool isPrompt = text.starts_with("RS-232 timeout");
      host.ExpectBox(isPrompt && prompt < promptAnswers.size() ? promptAnswers[prompt++]
                                                               : core::Answer::OK);
    }
  }

  // The texts of the boxes shown so far.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& box : host.boxes) texts.push_back(box.text);
    return texts;
  }
  std::size_t CommandsSent(comm::Byte command) const {
    std::size_t count = 0;
    for (const comm::Byte b : port.written()) count += b == command ? 1 : 0;
    return count;
  }

  fakes::FakeClock clock;
  TransferHost host;
  bool AbortFlag = false;
  sim::QuillonModule module;
  sim::SimulatedPort port{module, clock};
  comm::Link link{host, AbortFlag};
  core::ModuleImage image;
  RecordingView view;
  core::WindowState window{view};
  fakes::FakeGrid grid;
  fakes::FakeChart chart;
  fakes::FakeTableWindow tableWindow;
  tables::TableEditor editor{image, window, host, {}};
};

}  // namespace transfertest
