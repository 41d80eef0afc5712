// The "Data Port Setup" frame: the port list, the OK button, and what picking does.
#pragma once

#include <QGroupBox>
#include <functional>

#include "core/host.h"
#include "link/link.h"

class QComboBox;
class QPushButton;

namespace qtui {

class fraPortSelect : public QGroupBox {
  Q_OBJECT

 public:
  // chosen runs after the user has chosen a port.
  fraPortSelect(comm::Link& link, core::SettingsStore& settings, core::Host& host,
                std::function<void()> chosen, QWidget* parent);

  // Lists the ports again (adapters come and go) and shows the current choice.
  void Refresh();
  QComboBox* cboPort() const { return cboPort_; }
  QPushButton* cmdPortSelectOK() const { return cmdPortSelectOK_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void cboPort_Click(const QString& item);
  void cmdPortSelectOK_Click();

  comm::Link& link_;
  core::SettingsStore& settings_;
  core::Host& host_;
  std::function<void()> chosen_;
  QComboBox* cboPort_ = nullptr;
  QPushButton* cmdPortSelectOK_ = nullptr;
};

}  // namespace qtui
