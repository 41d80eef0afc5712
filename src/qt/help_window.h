// The help window: the HTML help beside the program, opened at its contents.
#pragma once

#include <QWidget>

class QTextBrowser;

namespace qtui {

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  HelpWindow(const QString& helpFile, QWidget* parent);

  void ShowContents();
  QTextBrowser* browser() const { return browser_; }

 private:
  QString helpFile_;
  QTextBrowser* browser_;
};

}  // namespace qtui
