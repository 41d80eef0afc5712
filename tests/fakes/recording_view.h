// A main window for the window state that records every caption it is given and whether
// the Ignition Retard Table command shows; tests that do not look at it use it as a null
// window.
#pragma once

#include <string>
#include <vector>

#include "core/window_state.h"

namespace fakes {

class RecordingView : public core::WindowView {
 public:
  void SetCaption(const std::string& caption) override { captions.push_back(caption); }
  void SetRetardTableCommandVisible(bool visible) override { retardVisible = visible; }

  std::vector<std::string> captions;
  bool retardVisible = false;
};

}  // namespace fakes
