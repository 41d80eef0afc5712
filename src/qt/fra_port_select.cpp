#include "qt/fra_port_select.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPortInfo>

#include "link/port_setup.h"
#include "qt/qt_text.h"

namespace qtui {

namespace {

std::vector<std::string> DetectedDevices() {
  std::vector<std::string> devices;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    devices.push_back(ToStdString(info.systemLocation()));
  }
  return devices;
}

}  // namespace

fraPortSelect::fraPortSelect(comm::Link& link, core::SettingsStore& settings, core::Host& host,
                             std::function<void()> chosen, QWidget* parent)
    : QGroupBox(QStringLiteral("Data Port Setup"), parent),
      link_(link),
      settings_(settings),
      host_(host),
      chosen_(std::move(chosen)) {
  setObjectName(QStringLiteral("fraPortSelect"));
  auto* lblPort = new QLabel(QStringLiteral("Port"), this);
  lblPort->setObjectName(QStringLiteral("lblPort"));
  cboPort_ = new QComboBox(this);
  cboPort_->setObjectName(QStringLiteral("cboPort"));
  // Any device path can be typed, e.g. a pseudo-terminal, which is never listed.
  cboPort_->setEditable(true);
  cboPort_->setInsertPolicy(QComboBox::NoInsert);
  cboPort_->setMinimumContentsLength(16);
  cboPort_->setToolTip(QStringLiteral("Pick a port, or type a device path and press Enter"));
  lblPort->setBuddy(cboPort_);
  cmdPortSelectOK_ = new QPushButton(QStringLiteral("OK"), this);
  cmdPortSelectOK_->setObjectName(QStringLiteral("cmdPortSelectOK"));
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(lblPort);
  layout->addWidget(cboPort_, 1);
  layout->addWidget(cmdPortSelectOK_);

  connect(cboPort_, &QComboBox::activated, this,
          [this](int index) { cboPort_Click(cboPort_->itemText(index)); });
  connect(cboPort_->lineEdit(), &QLineEdit::returnPressed, this, [this] {
    // A listed item is taken by the combo box's own activation.
    if (cboPort_->findText(cboPort_->currentText()) < 0) cboPort_Click(cboPort_->currentText());
  });
  connect(cmdPortSelectOK_, &QPushButton::clicked, this, [this] { cmdPortSelectOK_Click(); });
  Refresh();
}

void fraPortSelect::Refresh() {
  const QSignalBlocker blocker(cboPort_);
  cboPort_->clear();
  for (const std::string& item : comm::PortList(DetectedDevices())) {
    cboPort_->addItem(ToQString(item));
  }
  const QString current = ToQString(comm::PortItem(link_));
  const int index = cboPort_->findText(current);
  if (index >= 0) {
    cboPort_->setCurrentIndex(index);
  } else {
    cboPort_->setEditText(current);
  }
}

void fraPortSelect::showEvent(QShowEvent* event) {
  Refresh();
  QGroupBox::showEvent(event);
}

void fraPortSelect::cboPort_Click(const QString& item) {
  if (!comm::SelectPort(link_, settings_, host_, ToStdString(item.trimmed()))) {
    Refresh();
    return;
  }
  if (chosen_) chosen_();
}

void fraPortSelect::cmdPortSelectOK_Click() {
  // Text typed but not yet confirmed with Enter is taken as the choice.
  const QString typed = cboPort_->currentText().trimmed();
  if (!typed.isEmpty() && typed != ToQString(comm::PortItem(link_))) {
    if (!comm::SelectPort(link_, settings_, host_, ToStdString(typed))) {
      Refresh();
      return;
    }
    if (chosen_) chosen_();
  }
  hide();
}

}  // namespace qtui
