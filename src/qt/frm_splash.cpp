#include "qt/frm_splash.h"

#include <QApplication>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "app/main_window.h"
#include "core/version.h"
#include "qt/qt_text.h"

namespace qtui {

namespace {

constexpr const char* kDesignFont = "Arial";
constexpr double kCompanyPoints = 48;
constexpr double kProductPoints = 20.4;
constexpr double kVersionPoints = 12;
constexpr double kNoticePoints = 8.4;
constexpr int kMargin = 24;

QFont DesignFont(double points, bool bold, bool italic = false) {
  QFont font(QString::fromLatin1(kDesignFont));
  font.setPointSizeF(points);
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

QLabel* MakeLabel(const QString& text, const QFont& font, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setFont(font);
  return label;
}

}  // namespace

frmSplash::frmSplash(QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("frmSplash"));
  setModal(true);

  fraSplash_ = new QFrame(this);
  fraSplash_->setObjectName(QStringLiteral("fraSplash"));
  fraSplash_->setFrameShape(QFrame::Box);

  imgLogo_ = new QLabel(fraSplash_);
  imgLogo_->setObjectName(QStringLiteral("imgLogo"));
  lblCompanyName_ =
      MakeLabel(QStringLiteral("Marrowby"), DesignFont(kCompanyPoints, true, true), fraSplash_);
  lblCompanyName_->setObjectName(QStringLiteral("lblCompanyName"));
  lblProductName_ =
      MakeLabel(QStringLiteral("Ventrel"), DesignFont(kProductPoints, true), fraSplash_);
  lblProductName_->setObjectName(QStringLiteral("lblProductName"));
  lblVersion_ = MakeLabel(QStringLiteral("Version " VENTREL_VERSION),
                          DesignFont(kVersionPoints, true), fraSplash_);
  lblVersion_->setObjectName(QStringLiteral("lblVersion"));
  lblNotice_ = MakeLabel(QString::fromLatin1(app::kRightsNotice), DesignFont(kNoticePoints, false),
                         fraSplash_);
  lblNotice_->setObjectName(QStringLiteral("lblNotice"));

  auto* grid = new QGridLayout(fraSplash_);
  grid->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  grid->setHorizontalSpacing(kMargin);
  grid->addWidget(imgLogo_, 0, 0, 3, 1, Qt::AlignCenter);
  grid->addWidget(lblCompanyName_, 0, 1);
  grid->addWidget(lblProductName_, 1, 1);
  grid->addWidget(lblVersion_, 2, 1);
  grid->addWidget(lblNotice_, 3, 0, 1, 2);

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(fraSplash_);

  tmrSplashUnload_ = new QTimer(this);
  tmrSplashUnload_->setObjectName(QStringLiteral("tmrSplashUnload"));
  tmrSplashUnload_->setSingleShot(true);
  tmrSplashUnload_->setInterval(app::kSplashMilliseconds);
  connect(tmrSplashUnload_, &QTimer::timeout, this, &frmSplash::tmrSplashUnload_Timer);
}

void frmSplash::Form_Load(const std::filesystem::path& programFolder, app::Branding& branding,
                          core::Host& host) {
  app::LoadSplash(programFolder, branding, *this, host);
}

void frmSplash::SetCompanyLabel(const std::string& text, const std::string& fontName, bool bold,
                                bool italic) {
  QFont font = lblCompanyName_->font();
  if (!fontName.empty()) font.setFamily(ToQString(fontName));
  font.setBold(bold);
  font.setItalic(italic);
  lblCompanyName_->setFont(font);
  lblCompanyName_->setText(ToQString(text));
}

void frmSplash::SetCompanyLabelPointSize(double points) {
  QFont font = lblCompanyName_->font();
  font.setPointSizeF(points);
  lblCompanyName_->setFont(font);
}

std::optional<std::string> frmSplash::ShowLogo(const std::filesystem::path& picture) {
  const QString path = FromPath(picture);
  if (!QFileInfo(path).isFile()) return std::string("is missing");
  QImageReader reader(path);
  const QImage image = reader.read();
  if (image.isNull()) return "is not a picture (" + ToStdString(reader.errorString()) + ")";
  imgLogo_->setPixmap(QPixmap::fromImage(image));
  return std::nullopt;
}

void frmSplash::SetApplicationTitle(const std::string& title) {
  QCoreApplication::setApplicationName(ToQString(title));
}

void frmSplash::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Counted from the showing: an error prompt answered slowly while the branding was read
  // must not use up the splash's time, nor leave it open for good.
  tmrSplashUnload_->start();
}

void frmSplash::mousePressEvent(QMouseEvent* event) {
  event->accept();
  accept();
}

void frmSplash::tmrSplashUnload_Timer() { accept(); }

}  // namespace qtui
