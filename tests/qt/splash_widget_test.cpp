// The splash window's Qt side: a picture that Qt cannot show, and its time counted from
// the showing. What the file holds, a logo file that is missing and how the label is
// styled are the splash loading's tests.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTimer>

#include "fakes/scripted_host.h"
#include "fakes/temp_folder.h"
#include "qt/frm_splash.h"

namespace {

TEST(SplashTest, LogoThatIsNoPictureIsReportedAndTheFourSecondsStartWhenShown) {
  fakes::TempFolder folder;
  folder.Write("logo.gif", "this is not a picture");
  folder.Write("Ventrel.cfg", "Acme\nArial\n30\nbold\nlogo.gif\n!\nAcme\n");
  fakes::ScriptedHost host;
  host.ExpectBox(core::Answer::Ignore);
  qtui::frmSplash splash;
  app::Branding branding;
  splash.Form_Load(folder.path(), branding, host);
  ASSERT_EQ(host.boxes.size(), 1u);
  const std::string& text = host.boxes[0].text;
  EXPECT_NE(text.find("Ventrel.cfg, line 5: the logo picture"), std::string::npos) << text;
  EXPECT_NE(text.find("is not a picture"), std::string::npos) << text;
  EXPECT_TRUE(splash.logo()->pixmap().isNull());
  // However late the prompt was answered, the splash shows its full four seconds.
  EXPECT_FALSE(splash.unloadTimer()->isActive());
  splash.show();
  EXPECT_TRUE(splash.unloadTimer()->isActive());
  EXPECT_EQ(splash.unloadTimer()->interval(), 4000);
}

}  // namespace
