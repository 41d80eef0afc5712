// The main window's caption tells the user where the data in memory came from and
// which table is open; a stale or wrong caption invites saving over the wrong file.
#include "core/window_state.h"
#include "fakes/recording_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The branded caption, and a table's closing, are the start-up's and the table editor's tests.
TEST(WindowState, EveryChangeRebuildsTheCaptionAndANewSourceKeepsTheOpenTable) {
  fakes::RecordingView view;
  core::WindowState window(view);
  window.ShowStartupCaption("");
  window.SetDataSourceText("/home/rider/tune.dat");
  window.SetOpenTableName("Ignition Retard Table");
  window.SetDataSourceText("Downloaded Data");
  EXPECT_EQ(view.captions, (std::vector<std::string>{
                               "Ventrel Version 5.0",
                               "Ventrel Version 5.0 - /home/rider/tune.dat",
                               "Ventrel Version 5.0 - /home/rider/tune.dat - Ignition Retard Table",
                               "Ventrel Version 5.0 - Downloaded Data - Ignition Retard Table",
                           }));
}

}  // namespace
