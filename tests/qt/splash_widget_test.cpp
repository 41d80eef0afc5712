// The splash window's Qt side: a picture that Qt cannot show, and its time counted from
// the showing. What the file holds and how the label is styled are the splash loading's
// tests.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTimer>

#include "fakes/scripted_host.h"
#include "fakes/temp_folder.h"
#include "qt/frm_splash.h"

namespace {

TEST(SplashTest, LogoThatCannotBeShownIsReportedAndTheFourSecondsStartWhenShown) {
  struct Case {
    const char* fault;
    const char* config;  // none: the built-in branding (runs before any file is written)
    const char* where;
    const char* reason;
  };
  const Case cases[] = {
      {"built-in logo missing from the program folder", nullptr, "The logo picture", "is missing"},
      {"not an image", "Acme\nArial\n30\nbold\nlogo.gif\n!\nAcme\n",
       "Ventrel.cfg, line 5: the logo picture", "is not a picture"}};
  fakes::TempFolder folder;
  folder.Write("logo.gif", "this is not a picture");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault);
    if (c.config) folder.Write("Ventrel.cfg", c.config);
    fakes::ScriptedHost host;
    host.ExpectBox(core::Answer::Ignore);
    qtui::frmSplash splash;
    app::Branding branding;
    splash.Form_Load(folder.path(), branding, host);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_NE(host.boxes[0].text.find(c.where), std::string::npos) << host.boxes[0].text;
    EXPECT_NE(host.boxes[0].text.find(c.reason), std::string::npos) << host.boxes[0].text;
    EXPECT_TRUE(splash.logo()->pixmap().isNull());
    // However late the prompt was answered, the splash shows its full four seconds.
    EXPECT_FALSE(splash.unloadTimer()->isActive());
    splash.show();
    EXPECT_TRUE(splash.unloadTimer()->isActive());
    EXPECT_EQ(splash.unloadTimer()->interval(), 4000);
  }
}

}  // namespace
