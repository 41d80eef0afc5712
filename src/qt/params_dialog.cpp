#include "qt/params_dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QValidator>
#include <algorithm>

#include "core/eeprom_map.h"
#include "core/error_prompt.h"
#include "params/parameter_check.h"
#include "params/parameter_map.h"
#include "params/user_data.h"
#include "qt/qt_text.h"

namespace qtui {

namespace {

// Wide enough for "-20" and " 200" with room to spare.
constexpr const char* kParamBoxSample = "-00000";
constexpr int kParamBoxPadding = 16;
// What the window manager's title bar takes of the screen's height.
constexpr int kTitleBarAllowance = 32;

// Refuses, as they are typed or pasted, characters the one-byte field cannot hold.
class UserDataValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& /*position*/) const override {
    for (const QChar c : input) {
      if (!params::IsUserDataCharacter(c.unicode())) return Invalid;
    }
    return Acceptable;
  }
};

QRadioButton* MakeOption(const char* name, const char* caption, QWidget* parent) {
  auto* option = new QRadioButton(QString::fromLatin1(caption), parent);
  option->setObjectName(QString::fromLatin1(name));
  return option;
}

QCheckBox* MakeCheckBox(const char* name, const char* caption, QWidget* parent) {
  auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

QPushButton* MakeButton(const char* name, const char* caption, QWidget* parent) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

}  // namespace

ParamsDialogBase::ParamsDialogBase(core::Host& host, QWidget* parent)
    : QDialog(parent), host_(host) {
  setWindowTitle(QString::fromLatin1(params::kParamsDialogCaption));
  BuildCommonControls();
  ConnectControls();
}

ParamsDialogBase::~ParamsDialogBase() {
  // Child widgets lose the focus while they are destroyed; nothing may be checked then.
  disconnect(focusWatch_);
  presenter_ = nullptr;
}

void ParamsDialogBase::BuildCommonControls() {
  // Design state: KQ and basic mode selected, both switches clear.
  fraVersion_ = new QGroupBox(QStringLiteral("Quillon  Version"), this);
  fraVersion_->setObjectName(QStringLiteral("fraVersion"));
  optKQVersion_ = MakeOption("optKQVersion", "KQ Version", fraVersion_);
  optVoskVersion_ = MakeOption("optVoskVersion", "Vosk Version", fraVersion_);
  optKQVersion_->setChecked(true);
  auto* versionLayout = new QHBoxLayout(fraVersion_);
  versionLayout->addWidget(optKQVersion_);
  versionLayout->addWidget(optVoskVersion_);
  versionLayout->addStretch(1);
  auto* versionGroup = new QButtonGroup(this);
  versionGroup->addButton(optKQVersion_);
  versionGroup->addButton(optVoskVersion_);

  fraBasicParams_ = new QGroupBox(QStringLiteral("Quillon  Parameters"), this);
  fraBasicParams_->setObjectName(QStringLiteral("fraBasicParams"));
  optBasicMode_ = MakeOption("optBasicMode", "Basic Mode", fraBasicParams_);
  optAdvancedMode_ = MakeOption("optAdvancedMode", "Advanced Mode", fraBasicParams_);
  optBasicMode_->setChecked(true);
  auto* modeGroup = new QButtonGroup(this);
  modeGroup->addButton(optBasicMode_);
  modeGroup->addButton(optAdvancedMode_);
  chkSwapMode_ = MakeCheckBox("chkSwapMode", "Injector Swap on Enrichment Mode", fraBasicParams_);
  chkTrimEnable_ =
      MakeCheckBox("chkTrimEnable", "Enable Manual Trim in Advanced Mode", fraBasicParams_);
}

void ParamsDialogBase::AddParamBox(QGridLayout* grid, int number, const QString& caption) {
  auto* label = new QLabel(caption, grid->parentWidget());
  label->setObjectName(QStringLiteral("lbl%1").arg(number));
  auto* box = new QLineEdit(grid->parentWidget());
  box->setObjectName(QStringLiteral("txtParam%1").arg(number));
  box->setFixedWidth(box->fontMetrics().horizontalAdvance(QString::fromLatin1(kParamBoxSample)) +
                     kParamBoxPadding);
  box->setAlignment(Qt::AlignRight);
  label->setBuddy(box);
  box->installEventFilter(this);
  const int row = grid->rowCount();
  grid->addWidget(label, row, 0, Qt::AlignLeft | Qt::AlignVCenter);
  grid->addWidget(box, row, 1);
  paramBoxes_[number] = box;
}

void ParamsDialogBase::ShowParamToolTips(params::Generation generation) {
  for (const params::ParameterBox& box : params::ParameterBoxes(generation)) {
    if (const auto at = paramBoxes_.find(box.number); at != paramBoxes_.end()) {
      at->second->setToolTip(QString::fromStdString(params::ParameterToolTip(generation, box)));
    }
  }
}

void ParamsDialogBase::FinishLayout(QLayout* parameterArea) {
  auto* modeRow = new QHBoxLayout;
  modeRow->addWidget(optBasicMode_);
  modeRow->addWidget(optAdvancedMode_);
  modeRow->addStretch(1);
  auto* parametersLayout = new QVBoxLayout(fraBasicParams_);
  parametersLayout->addLayout(modeRow);
  parametersLayout->addWidget(chkSwapMode_);
  parametersLayout->addWidget(chkTrimEnable_);
  parametersLayout->addLayout(parameterArea);

  lblUserData_ = new QLabel(QStringLiteral("User Data"), this);
  lblUserData_->setObjectName(QStringLiteral("lblUserData"));
  txtUserData_ = new QLineEdit(this);
  txtUserData_->setObjectName(QStringLiteral("txtUserData"));
  txtUserData_->setMaxLength(static_cast<int>(core::kUserDataLength));
  txtUserData_->setValidator(new UserDataValidator(txtUserData_));
  txtUserData_->setMinimumWidth(txtUserData_->fontMetrics().horizontalAdvance(
      QString(static_cast<int>(core::kUserDataLength), QLatin1Char('M'))));
  lblUserData_->setBuddy(txtUserData_);
  auto* userDataRow = new QHBoxLayout;
  userDataRow->addWidget(lblUserData_);
  userDataRow->addWidget(txtUserData_, 1);

  cmdRestoreDefaults_ = MakeButton("cmdRestoreDefaults", "Restore Defaults", this);
  cmdOK_ = MakeButton("cmdOK", "OK", this);
  cmdCancel_ = MakeButton("cmdCancel", "Cancel", this);
  cmdOK_->setDefault(true);
  auto* buttonRow = new QHBoxLayout;
  buttonRow->addWidget(cmdRestoreDefaults_);
  buttonRow->addStretch(1);
  buttonRow->addWidget(cmdOK_);
  buttonRow->addWidget(cmdCancel_);

  auto* body = new QWidget(this);
  auto* bodyLayout = new QVBoxLayout(body);
  bodyLayout->setContentsMargins(0, 0, 0, 0);
  bodyLayout->addWidget(fraVersion_);
  bodyLayout->addWidget(fraBasicParams_);
  bodyLayout->addLayout(userDataRow);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(body);
  layout->addLayout(buttonRow);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  FitToScreen(*layout, body);

  std::vector<QWidget*> order{optKQVersion_,    optVoskVersion_, optBasicMode_,
                              optAdvancedMode_, chkSwapMode_,    chkTrimEnable_};
  for (const auto& [number, box] : paramBoxes_) order.push_back(box);
  order.insert(order.end(), {txtUserData_, cmdRestoreDefaults_, cmdOK_, cmdCancel_});
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);

  connect(cmdRestoreDefaults_, &QPushButton::clicked, this,
          [this] { Handle([](auto& p) { p.cmdRestoreDefaults_Click(); }); });
  connect(cmdOK_, &QPushButton::clicked, this,
          [this] { Handle([](auto& p) { p.cmdOK_Click(); }); });
  connect(cmdCancel_, &QPushButton::clicked, this,
          [this] { Handle([](auto& p) { p.cmdCancel_Click(); }); });
}

void ParamsDialogBase::FitToScreen(QLayout& layout, QWidget* body) {
  // Large scale factors on small screens: the parameters scroll, the buttons stay in view.
  const QScreen* shown = screen();
  if (!shown) return;
  const int excess =
      layout.sizeHint().height() - (shown->availableGeometry().height() - kTitleBarAllowance);
  if (excess <= 0) return;
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName(QStringLiteral("scrParameters"));
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  const QSize wanted = body->sizeHint();
  layout.replaceWidget(body, scroll);
  scroll->setWidget(body);
  scroll->setWidgetResizable(true);
  scroll->setFixedSize(wanted.width() + scroll->verticalScrollBar()->sizeHint().width(),
                       std::max(0, wanted.height() - excess));
}

void ParamsDialogBase::ConnectControls() {
  // clicked comes only from the user: setting a control from the logic runs no handler.
  connect(optKQVersion_, &QRadioButton::clicked, this,
          [this] { Handle([](auto& p) { p.optKQVersion_Click(); }); });
  connect(optBasicMode_, &QRadioButton::clicked, this,
          [this] { Handle([](auto& p) { p.optBasicMode_Click(); }); });
  connect(optAdvancedMode_, &QRadioButton::clicked, this,
          [this] { Handle([](auto& p) { p.optAdvancedMode_Click(); }); });
  connect(chkSwapMode_, &QCheckBox::clicked, this,
          [this](bool checked) { Handle([checked](auto& p) { p.chkSwapMode_Click(checked); }); });
  connect(chkTrimEnable_, &QCheckBox::clicked, this,
          [this](bool checked) { Handle([checked](auto& p) { p.chkTrimEnable_Click(checked); }); });
  focusWatch_ = connect(qApp, &QApplication::focusChanged, this, &ParamsDialogBase::OnFocusChanged);
}

void ParamsDialogBase::Handle(const std::function<void(params::ParamsPresenter&)>& action) {
  if (!presenter_) return;
  params::ParamsPresenter& presenter = *presenter_;
  core::GuardedStep(host_, [&] { action(presenter); });
}

void ParamsDialogBase::OnFocusChanged(QWidget* old, QWidget* now) {
  // A box is checked when the focus moves on to another control of this dialog, not
  // when a message box or another window takes it, and not on the way to Cancel.
  if (!old || !now || now->window() != this || now == cmdCancel_) return;
  const auto left = std::find_if(paramBoxes_.begin(), paramBoxes_.end(),
                                 [old](const auto& entry) { return entry.second == old; });
  if (left == paramBoxes_.end()) return;
  // A click on a button moves the focus on its press; a range message shown then takes
  // the release, and with it the click.
  QPointer<QAbstractButton> clicked =
      leftBy_ == Qt::MouseFocusReason ? qobject_cast<QAbstractButton*>(now) : nullptr;
  bool told = false;
  const int number = left->first;
  Handle([number, &told](auto& p) { told = p.txtParam_Validate(number); });
  if (!told || !clicked) return;
  // Once the press has reached the button, the command the user clicked runs with the
  // corrected box; a button still held is clicked by its own release.
  QTimer::singleShot(0, clicked, [clicked] {
    if (QGuiApplication::mouseButtons() & Qt::LeftButton) return;
    clicked->setDown(false);
    if (clicked->isEnabled()) clicked->click();
  });
}

bool ParamsDialogBase::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) leftBy_ = static_cast<QFocusEvent*>(event)->reason();
  return QDialog::eventFilter(watched, event);
}

void ParamsDialogBase::ShowModal(params::ParamsPresenter& presenter) {
  AttachPresenter(presenter);
  exec();
  DetachPresenter();
}

void ParamsDialogBase::CentreOnScreen() {
  adjustSize();
  const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
  const QScreen* onScreen = owner ? owner->screen() : screen();
  if (!onScreen) return;
  QRect frame = frameGeometry();
  frame.moveCenter(onScreen->availableGeometry().center());
  move(frame.topLeft());
}

void ParamsDialogBase::SelectEdition(params::EditionOption option) {
  (option == params::EditionOption::KQ ? optKQVersion_ : optVoskVersion_)->setChecked(true);
}

void ParamsDialogBase::SetEditionEnabled(params::EditionOption option, bool enabled) {
  (option == params::EditionOption::KQ ? optKQVersion_ : optVoskVersion_)->setEnabled(enabled);
}

void ParamsDialogBase::SelectMode(params::ModeOption option) {
  (option == params::ModeOption::Basic ? optBasicMode_ : optAdvancedMode_)->setChecked(true);
}

void ParamsDialogBase::SetSwapModeEnabled(bool enabled) { chkSwapMode_->setEnabled(enabled); }

void ParamsDialogBase::SetSwapModeChecked(bool checked) { chkSwapMode_->setChecked(checked); }

void ParamsDialogBase::SetTrimEnableEnabled(bool enabled) { chkTrimEnable_->setEnabled(enabled); }

void ParamsDialogBase::SetTrimEnableChecked(bool checked) { chkTrimEnable_->setChecked(checked); }

QLineEdit* ParamsDialogBase::paramBox(int number) const {
  const auto found = paramBoxes_.find(number);
  if (found == paramBoxes_.end()) {
    throw std::out_of_range("this dialog has no box for parameter " + std::to_string(number));
  }
  return found->second;
}

void ParamsDialogBase::SetParamBoxEnabled(int number, bool enabled) {
  paramBox(number)->setEnabled(enabled);
}

void ParamsDialogBase::SetParamBoxText(int number, const std::string& text) {
  paramBox(number)->setText(ToQString(text));
}

std::string ParamsDialogBase::ParamBoxText(int number) const {
  return ToStdString(paramBox(number)->text());
}

std::optional<int> ParamsDialogBase::FocusedParamBox() const {
  const QWidget* focused = focusWidget();
  for (const auto& [number, box] : paramBoxes_) {
    if (box == focused) return number;
  }
  return std::nullopt;
}

void ParamsDialogBase::SetUserDataText(const std::string& text) {
  txtUserData_->setText(ToQString(text));
}

std::string ParamsDialogBase::UserDataText() const { return ToStdString(txtUserData_->text()); }

void ParamsDialogBase::CloseDialog() { close(); }

}  // namespace qtui
