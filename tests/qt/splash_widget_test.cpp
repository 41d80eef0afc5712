// The splash window's Qt side: the company label styled from the file, and a picture
// that Qt cannot read. What the file holds is checked with the branding.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QTimer>

#include "fakes/scripted_host.h"
#include "fakes/temp_folder.h"
#include "qt/frm_splash.h"

namespace {

class SplashTest : public testing::Test {
 protected:
  fakes::TempFolder folder_;
  fakes::ScriptedHost host_;
  qtui::frmSplash splash_;
  app::Branding branding_;
};

TEST_F(SplashTest, StylesTheCompanyLabelFromTheFileAndCountsItsTimeFromTheShowing) {
  folder_.Write("Ventrel.cfg", "!comment\nAcme\nDejaVu Sans\n30\nItalic\nnull\n!\nAcme\n!\n");
  splash_.Form_Load(folder_.path(), branding_, host_);
  // However long the loading took (an error prompt answered late), the four seconds start
  // when the splash is shown.
  EXPECT_FALSE(splash_.unloadTimer()->isActive());
  splash_.show();
  EXPECT_TRUE(splash_.unloadTimer()->isActive());
  EXPECT_EQ(splash_.unloadTimer()->interval(), 4000);
  const QLabel* label = splash_.companyLabel();
  EXPECT_EQ(label->text().toStdString(), "Acme");
  EXPECT_EQ(label->font().family().toStdString(), "DejaVu Sans");
  EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 30);
  EXPECT_TRUE(label->font().italic());
  EXPECT_FALSE(label->font().bold());
  EXPECT_TRUE(splash_.logo()->pixmap().isNull());
}

TEST_F(SplashTest, LogoThatCannotBeShownIsReportedAndStartUpGoesOn) {
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
  folder_.Write("logo.gif", "this is not a picture");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault);
    if (c.config) folder_.Write("Ventrel.cfg", c.config);
    fakes::ScriptedHost host;
    host.ExpectBox(core::Answer::Ignore);
    qtui::frmSplash splash;
    app::Branding branding;
    splash.Form_Load(folder_.path(), branding, host);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_NE(host.boxes[0].text.find(c.where), std::string::npos) << host.boxes[0].text;
    EXPECT_NE(host.boxes[0].text.find(c.reason), std::string::npos) << host.boxes[0].text;
    EXPECT_EQ(QCoreApplication::applicationName().toStdString(), "Ventrel");
  }
}

}  // namespace
