// What frmParams2 and frmParams share: the edition and mode options, the two switches,
// the user data box and the buttons, and the hand-over of every user action to the
// dialogs' logic. Each dialog adds its own parameter boxes.
#pragma once

#include <QDialog>
#include <functional>
#include <map>

#include "core/host.h"
#include "params/edit_params_command.h"

class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qtui {

class ParamsDialogBase : public QDialog, public params::ParamsDialog {
  Q_OBJECT

 public:
  ~ParamsDialogBase() override;

  // Hands the controls' events to the presenter until DetachPresenter; ShowModal does
  // both around its modal run.
  void AttachPresenter(params::ParamsPresenter& presenter) { presenter_ = &presenter; }
  void DetachPresenter() { presenter_ = nullptr; }
  void ShowModal(params::ParamsPresenter& presenter) override;

  void CentreOnScreen() override;
  void SelectEdition(params::EditionOption option) override;
  void SetEditionEnabled(params::EditionOption option, bool enabled) override;
  void SelectMode(params::ModeOption option) override;
  void SetSwapModeEnabled(bool enabled) override;
  void SetSwapModeChecked(bool checked) override;
  void SetTrimEnableEnabled(bool enabled) override;
  void SetTrimEnableChecked(bool checked) override;
  void SetParamBoxEnabled(int number, bool enabled) override;
  void SetParamBoxText(int number, const std::string& text) override;
  std::string ParamBoxText(int number) const override;
  std::optional<int> FocusedParamBox() const override;
  void SetUserDataText(const std::string& text) override;
  std::string UserDataText() const override;
  void CloseDialog() override;

  QLineEdit* paramBox(int number) const;

 protected:
  ParamsDialogBase(core::Host& host, QWidget* parent);

  bool eventFilter(QObject* watched, QEvent* event) override;

  // The frame that holds the mode options, the switches and the parameter area.
  QGroupBox* parametersFrame() const { return fraBasicParams_; }
  // Adds txtParamN with its label lblN as a row of the grid.
  void AddParamBox(QGridLayout* grid, int number, const QString& caption);
  // Each box's tool tip names its group and range.
  void ShowParamToolTips(params::Generation generation);
  // Puts the parameter area under the switches, then the user data box and the
  // buttons, and sets the tab order; the last call of each dialog's constructor.
  void FinishLayout(QLayout* parameterArea);
  // Puts body into a scroll area when the dialog would be taller than the screen.
  void FitToScreen(QLayout& layout, QWidget* body);

 private:
  void BuildCommonControls();
  void ConnectControls();
  // Sends one user action to the presenter; a failure goes to the error prompt, never
  // into the event loop.
  void Handle(const std::function<void(params::ParamsPresenter&)>& action);
  void OnFocusChanged(QWidget* old, QWidget* now);

  core::Host& host_;
  params::ParamsPresenter* presenter_ = nullptr;
  QMetaObject::Connection focusWatch_;
  // How the focus last left a parameter box: by a click, the check's message takes the
  // rest of that click.
  Qt::FocusReason leftBy_ = Qt::OtherFocusReason;

  QGroupBox* fraVersion_ = nullptr;
  QRadioButton* optKQVersion_ = nullptr;
  QRadioButton* optVoskVersion_ = nullptr;
  QGroupBox* fraBasicParams_ = nullptr;
  QRadioButton* optBasicMode_ = nullptr;
  QRadioButton* optAdvancedMode_ = nullptr;
  QCheckBox* chkSwapMode_ = nullptr;
  QCheckBox* chkTrimEnable_ = nullptr;
  std::map<int, QLineEdit*> paramBoxes_;
  QLabel* lblUserData_ = nullptr;
  QLineEdit* txtUserData_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
  QPushButton* cmdRestoreDefaults_ = nullptr;
};

}  // namespace qtui
