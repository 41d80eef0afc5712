// The main window's caption tells the user where the data in memory came from and
// which table is open; a stale or wrong caption invites saving over the wrong file.
#include "core/window_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class RecordingWindowView : public core::WindowView {
 public:
  void SetCaption(const std::string& caption) override { captions.push_back(caption); }
  void SetRetardTableCommandVisible(bool visible) override { retardVisible.push_back(visible); }

  std::string Caption() const { return captions.empty() ? std::string() : captions.back(); }

  std::vector<std::string> captions;
  std::vector<bool> retardVisible;
};

class WindowStateTest : public ::testing::Test {
 protected:
  RecordingWindowView view;
  core::WindowState window{view};
};

TEST_F(WindowStateTest, StartsWithTheDesignTitleAndNoDataSource) {
  EXPECT_EQ(window.WindowTitle, "Ventrel Version 5.0");
  EXPECT_EQ(window.DataSourceText, "");
  EXPECT_FALSE(window.RetardTableCommandVisible());
  EXPECT_TRUE(view.captions.empty());
}

TEST_F(WindowStateTest, StartUpCaptionIsTheCompanyLabelABlankAndTheTitle) {
  window.ShowStartupCaption("Marrowby");
  EXPECT_EQ(view.Caption(), "Marrowby Ventrel Version 5.0");
}

TEST_F(WindowStateTest, StartUpCaptionWithoutALabelIsTheTitleAlone) {
  window.ShowStartupCaption("");
  EXPECT_EQ(view.Caption(), "Ventrel Version 5.0");
}

TEST_F(WindowStateTest, DataSourceCaptionReplacesTheStartUpCaption) {
  window.ShowStartupCaption("Marrowby");
  window.SetDataSourceText("Downloaded Data");
  EXPECT_EQ(window.DataSourceText, "Downloaded Data");
  EXPECT_EQ(view.Caption(), "Ventrel Version 5.0 - Downloaded Data");
  EXPECT_EQ(window.Caption(), view.Caption());
}

TEST_F(WindowStateTest, OpenTableNameFollowsTheDataSourceUntilClosed) {
  window.SetDataSourceText("/home/rider/tune.dat");
  window.SetOpenTableName("Front Cylinder Fuel Trim Table");
  EXPECT_EQ(view.Caption(), "Ventrel Version 5.0 - /home/rider/tune.dat - Front Cylinder Fuel Trim Table");

  // A new data source while the table is open keeps the table in the caption.
  window.SetDataSourceText("Downloaded Data");
  EXPECT_EQ(view.Caption(), "Ventrel Version 5.0 - Downloaded Data - Front Cylinder Fuel Trim Table");

  window.ClearOpenTableName();
  EXPECT_EQ(view.Caption(), "Ventrel Version 5.0 - Downloaded Data");
  EXPECT_EQ(window.Caption(), view.Caption());
}

TEST_F(WindowStateTest, EveryChangeRebuildsTheCaptionOnTheWindow) {
  window.SetDataSourceText("Data Buffer Empty");
  window.SetOpenTableName("Ignition Retard Table");
  window.ClearOpenTableName();
  EXPECT_EQ(view.captions, (std::vector<std::string>{
                               "Ventrel Version 5.0 - Data Buffer Empty",
                               "Ventrel Version 5.0 - Data Buffer Empty - Ignition Retard Table",
                               "Ventrel Version 5.0 - Data Buffer Empty",
                           }));
}

TEST_F(WindowStateTest, RetardTableCommandVisibilityReachesTheWindow) {
  window.SetRetardTableCommandVisible(true);
  EXPECT_TRUE(window.RetardTableCommandVisible());
  window.SetRetardTableCommandVisible(false);
  EXPECT_FALSE(window.RetardTableCommandVisible());
  EXPECT_EQ(view.retardVisible, (std::vector<bool>{true, false}));
}

}  // namespace
