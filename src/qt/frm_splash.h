// The splash window: the branding for four seconds while the configuration is read.
#pragma once

#include <QDialog>

#include "app/splash.h"

class QLabel;
class QFrame;
class QTimer;

namespace qtui {

class frmSplash : public QDialog, public app::SplashView {
  Q_OBJECT

 public:
  explicit frmSplash(QWidget* parent = nullptr);

  // Form_Load: reads the branding and styles the labels; failures go to the error prompt.
  void Form_Load(const std::filesystem::path& programFolder, app::Branding& branding,
                 core::Host& host);

  void SetCompanyLabel(const std::string& text, const std::string& fontName, bool bold,
                       bool italic) override;
  void SetCompanyLabelPointSize(double points) override;
  std::optional<std::string> ShowLogo(const std::filesystem::path& picture) override;
  void SetApplicationTitle(const std::string& title) override;

  QLabel* companyLabel() const { return lblCompanyName_; }
  QLabel* logo() const { return imgLogo_; }
  QTimer* unloadTimer() const { return tmrSplashUnload_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void tmrSplashUnload_Timer();

  QFrame* fraSplash_;
  QLabel* imgLogo_;
  QLabel* lblCompanyName_;
  QLabel* lblProductName_;
  QLabel* lblVersion_;
  QLabel* lblNotice_;
  QTimer* tmrSplashUnload_;
};

}  // namespace qtui
