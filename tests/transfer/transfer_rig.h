// A download or upload against the simulated module on the fake clock: the link rig with
// the image, the window state and the table editor over a fake grid and chart.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/window_state.h"
#include "fakes/fake_chart.h"
#include "fakes/fake_grid.h"
#include "fakes/recording_view.h"
#include "link/link_rig.h"
#include "sim/editions.h"
#include "tables/table_editor.h"

namespace transfertest {

using linktest::RegionsOf;
using linktest::WithFaults;

// Data of the given edition in memory, taken from a module with these memories and then
// changed by delta in every low byte, by 3 * delta in every high byte and EEPROM byte.
inline core::ModuleImage HeldData(const sim::Memories& memories, const char* edition,
                                  int delta = 0) {
  core::ModuleImage image = RegionsOf(memories);
  for (std::size_t w = core::kFLASHRegionFirstWord; w <= core::kFLASHRegionLastWord; ++w) {
    core::FLASHWord& word = image.FLASHBuffer[w];
    word = {static_cast<comm::Byte>(word.HiByte + 3 * delta),
            static_cast<comm::Byte>(word.LoByte + delta)};
  }
  for (std::size_t i = core::kEEPROMRegionFirstByte; i <= core::kEEPROMRegionLastByte; ++i) {
    image.EEPROMBuffer[i] = static_cast<comm::Byte>(image.EEPROMBuffer[i] + 3 * delta);
  }
  image.FLASHBufferEmpty = false;
  image.EEPROMBufferEmpty = false;
  image.FirmwareID = "old module";
  image.ModuleVersion = edition;
  return image;
}

struct TransferRig : linktest::LinkRig {
  explicit TransferRig(sim::Edition edition = sim::Edition::JX, sim::Faults faults = {})
      : LinkRig(edition, std::move(faults)) {
    editor.Attach(grid, chart, tableWindow);
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
  std::size_t CommandsSent(comm::Byte command) const {
    return static_cast<std::size_t>(
        std::count(port.written().begin(), port.written().end(), command));
  }

  core::ModuleImage image;
  fakes::RecordingView view;
  core::WindowState window{view};
  fakes::FakeGrid grid;
  fakes::FakeChart chart;
  fakes::FakeTableWindow tableWindow;
  tables::TableEditor editor{image, window, host, {}};
};

}  // namespace transfertest
