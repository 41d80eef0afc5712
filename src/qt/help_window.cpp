#include "qt/help_window.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace qtui {

namespace {
constexpr int kWidth = 760;
constexpr int kHeight = 640;
}  // namespace

HelpWindow::HelpWindow(const QString& helpFile, QWidget* parent)
    : QWidget(parent, Qt::Window), helpFile_(helpFile), browser_(new QTextBrowser(this)) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("Ventrel Help"));
  browser_->setOpenExternalLinks(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(kWidth, kHeight);
}

void HelpWindow::ShowContents() {
  if (QFileInfo(helpFile_).isFile()) {
    browser_->setSource(QUrl::fromLocalFile(helpFile_));
  } else {
    browser_->setPlainText(QStringLiteral("The help file %1 was not found. Reinstall Ventrel to "
                                          "restore it.")
                               .arg(helpFile_));
  }
  show();
  raise();
  activateWindow();
}

}  // namespace qtui
