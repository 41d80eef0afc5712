#include "qt/qt_host.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QGroupBox>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStringList>
#include <utility>
#include <vector>

#include "core/safest_answer.h"
#include "qt/dialog_folder.h"
#include "qt/qt_clock.h"
#include "qt/qt_text.h"

namespace qtui {

namespace {

constexpr int kProgressMaximum = 100;
constexpr qint64 kProgressRedrawMs = 100;

QMessageBox::StandardButtons ToQtButtons(core::Buttons buttons) {
  switch (buttons) {
    case core::Buttons::OK:
      return QMessageBox::Ok;
    case core::Buttons::OKCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case core::Buttons::AbortRetryIgnore:
      return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case core::Buttons::AbortIgnore:
      return QMessageBox::Abort | QMessageBox::Ignore;
    case core::Buttons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case core::Buttons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case core::Buttons::RetryCancel:
      return QMessageBox::Retry | QMessageBox::Cancel;
    case core::Buttons::UploadCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

QMessageBox::Icon ToQtIcon(core::Icon icon) {
  switch (icon) {
    case core::Icon::None:
      return QMessageBox::NoIcon;
    case core::Icon::Critical:
      return QMessageBox::Critical;
    case core::Icon::Question:
      return QMessageBox::Question;
    case core::Icon::Exclamation:
      return QMessageBox::Warning;
    case core::Icon::Information:
      return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

// Closing the box without a button counts as its safest answer.
core::Answer FromQtButton(int button, core::Buttons offered) {
  switch (button) {
    case QMessageBox::Ok:
      return core::Answer::OK;
    case QMessageBox::Cancel:
      return core::Answer::Cancel;
    case QMessageBox::Abort:
      return core::Answer::Abort;
    case QMessageBox::Retry:
      return core::Answer::Retry;
    case QMessageBox::Ignore:
      return core::Answer::Ignore;
    case QMessageBox::Yes:
      return core::Answer::Yes;
    case QMessageBox::No:
      return core::Answer::No;
    default:
      break;
  }
  return core::SafestAnswer(offered);
}

// "Data Files (*.dat)|*.dat|All Files (*.*)|*.*" becomes Qt's "A (*.a);;B (*.b)".
QString ToQtFilter(const std::string& filter) {
  const QStringList parts = ToQString(filter).split(QLatin1Char('|'));
  QStringList qtFilters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
    qtFilters << (description.contains(QLatin1Char('('))
                      ? description
                      : description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
  }
  return qtFilters.join(QStringLiteral(";;"));
}

// The error prompt's buttons stand as the user knows them, Abort, Retry, Ignore, each
// with its access key; the platform's button order would move Abort to the end. Abort,
// the first, is the default, and closing the box counts as Abort.
core::Answer ErrorPrompt(QMessageBox::Icon icon, const QString& title, const QString& text,
                         QWidget* owner) {
  QMessageBox box(icon, title, text, QMessageBox::NoButton, owner);
  const std::pair<const char*, core::Answer> kButtons[] = {{"&Abort", core::Answer::Abort},
                                                           {"&Retry", core::Answer::Retry},
                                                           {"&Ignore", core::Answer::Ignore}};
  std::vector<std::pair<QAbstractButton*, core::Answer>> answers;
  for (const auto& [caption, answer] : kButtons) {
    answers.emplace_back(box.addButton(QString::fromLatin1(caption), QMessageBox::ActionRole),
                         answer);
  }
  box.setDefaultButton(qobject_cast<QPushButton*>(answers.front().first));
  box.setEscapeButton(answers.front().first);
  box.exec();
  for (const auto& [button, answer] : answers) {
    if (box.clickedButton() == button) return answer;
  }
  return core::Answer::Abort;
}

// The next dialog starts where the user chose this file.
std::optional<std::string> ChosenPath(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  RememberDialogFolder(path);
  return ToStdString(path);
}

}  // namespace

void QtHost::AttachProgressFrame(QGroupBox* frame, QProgressBar* bar) {
  progressFrame_ = frame;
  progressBar_ = bar;
  // Opaque, so that each step of the bar repaints the frame alone, not the window and
  // the chart behind it.
  if (progressFrame_) progressFrame_->setAutoFillBackground(true);
  if (progressBar_) progressBar_->setRange(0, kProgressMaximum);
}

core::Answer QtHost::MsgBox(const std::string& text, const std::string& title,
                            core::Buttons buttons, core::Icon icon) {
  if (buttons == core::Buttons::AbortRetryIgnore) {
    return ErrorPrompt(ToQtIcon(icon), ToQString(title), ToDisplayText(text), owner_);
  }
  QMessageBox box(ToQtIcon(icon), ToQString(title), ToDisplayText(text), ToQtButtons(buttons),
                  owner_);
  if (buttons == core::Buttons::UploadCancel) {
    // Writing to the module is chosen by a click on Upload, never by Enter.
    box.button(QMessageBox::Ok)->setText(QStringLiteral("&Upload"));
    box.setDefaultButton(QMessageBox::Cancel);
  }
  return FromQtButton(box.exec(), buttons);
}

std::optional<std::string> QtHost::InputBox(const std::string& prompt, const std::string& title,
                                            const std::string& defaultText) {
  bool accepted = false;
  const QString text = QInputDialog::getText(owner_, ToQString(title), ToDisplayText(prompt),
                                             QLineEdit::Normal, ToQString(defaultText), &accepted);
  if (!accepted) return std::nullopt;
  return ToStdString(text);
}

std::optional<std::string> QtHost::OpenFileDialog(const core::FileDialogRequest& request) {
  return ChosenPath(QFileDialog::getOpenFileName(owner_, ToQString(request.title),
                                                 DialogStartPath(ToQString(request.initialPath)),
                                                 ToQtFilter(request.filter)));
}

std::optional<std::string> QtHost::SaveFileDialog(const core::FileDialogRequest& request) {
  // The commands ask about replacing a file themselves.
  return ChosenPath(QFileDialog::getSaveFileName(
      owner_, ToQString(request.title), DialogStartPath(ToQString(request.initialPath)),
      ToQtFilter(request.filter), nullptr, QFileDialog::DontConfirmOverwrite));
}

void QtHost::ShowProgress(const std::string& caption) {
  if (!progressFrame_) return;
  progressFrame_->setTitle(ToQString(caption));
  if (progressBar_) progressBar_->setValue(0);
  sinceBarShown_.start();
  progressFrame_->show();
  progressFrame_->repaint();
}

void QtHost::SetProgress(int percent) {
  if (!progressBar_ || percent == progressBar_->value()) return;
  // Each redraw of the frame costs about a millisecond on screen; the last step is always shown.
  const bool due = !sinceBarShown_.isValid() || sinceBarShown_.elapsed() >= kProgressRedrawMs;
  if (!due && percent != kProgressMaximum) return;
  progressBar_->setValue(percent);
  sinceBarShown_.start();
}

void QtHost::HideProgress() {
  if (progressFrame_) progressFrame_->hide();
}

void QtHost::Yield() { LetEventsRun(); }

std::string QtHost::ClipboardText() { return ToStdString(QApplication::clipboard()->text()); }

void QtHost::SetClipboardText(const std::string& text) {
  QApplication::clipboard()->setText(ToQString(text));
}

}  // namespace qtui
