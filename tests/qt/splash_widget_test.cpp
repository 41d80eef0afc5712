#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <filesystem>
#include <fstream>

#include "fakes/scripted_host.h"
#include "qt/frm_splash.h"

namespace {

namespace fs = std::filesystem;

class SplashTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("ventrel_splash_" + std::to_string(::getpid()));
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  void WriteConfig(const std::string& text) {
    std::ofstream(folder_ / "Ventrel.cfg", std::ios::binary) << text;
  }

  fs::path folder_;
  fakes::ScriptedHost host_;
  qtui::frmSplash splash_;
  app::Branding branding_;
};

TEST_F(SplashTest, StylesTheCompanyLabelFromTheFile) {
  WriteConfig("!comment\nAcme\nDejaVu Sans\n30\nItalic\nnull\n!\nAcme\n!\n");
  splash_.Form_Load(folder_, branding_, host_);
  const QLabel* label = splash_.companyLabel();
  EXPECT_EQ(label->text().toStdString(), "Acme");
  EXPECT_EQ(label->font().family().toStdString(), "DejaVu Sans");
  EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 30);
  EXPECT_TRUE(label->font().italic());
  EXPECT_FALSE(label->font().bold());
  EXPECT_TRUE(splash_.logo()->pixmap().isNull());
}

TEST_F(SplashTest, PictureThatIsNotAnImageIsReportedWithItsLine) {
  std::ofstream(folder_ / "logo.gif") << "this is not a picture";
  WriteConfig("Acme\nArial\n30\nbold\nlogo.gif\n!\nAcme\n");
  host_.ExpectBox(core::Answer::Ignore);
  splash_.Form_Load(folder_, branding_, host_);
  ASSERT_EQ(host_.boxes.size(), 1u);
  EXPECT_NE(host_.boxes[0].text.find("Ventrel.cfg, line 5: the logo picture"), std::string::npos);
  EXPECT_NE(host_.boxes[0].text.find("is not a picture"), std::string::npos);
  EXPECT_EQ(QCoreApplication::applicationName().toStdString(), "Ventrel");
}

TEST_F(SplashTest, BuiltInLogoMissingFromTheProgramFolderIsReported) {
  host_.ExpectBox(core::Answer::Abort);
  splash_.Form_Load(folder_, branding_, host_);
  ASSERT_EQ(host_.boxes.size(), 1u);
  EXPECT_EQ(host_.boxes[0].text.rfind("The logo picture", 0), 0u);
  EXPECT_NE(host_.boxes[0].text.find("is missing"), std::string::npos);
  EXPECT_EQ(splash_.companyLabel()->text().toStdString(), "Marrowby");
}

}  // namespace
