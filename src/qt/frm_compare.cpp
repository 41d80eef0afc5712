#include "qt/frm_compare.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "compare/comparison_report.h"
#include "compare/diverging_scale.h"
#include "compare/number_text.h"
#include "qt/qt_text.h"

namespace qtui {

namespace {

constexpr int kWidth = 900;
constexpr int kHeight = 640;
constexpr int kRowPadding = 6;
// The header lines of the report: which tune is which, and the summary.
constexpr std::size_t kSummaryLines = 3;
constexpr tables::Colour kMissingRow{210, 210, 210};
constexpr tables::Colour kDifferingRow{255, 243, 176};
constexpr const char* kDiffers = "differs";

QColor ToQColor(tables::Colour colour) { return QColor(colour.red, colour.green, colour.blue); }

QTableWidgetItem* Item(const std::string& text) {
  auto* item = new QTableWidgetItem(ToQString(text));
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  item->setTextAlignment(Qt::AlignCenter);
  return item;
}

QTableWidget* NewGrid(QWidget* parent, int rows, const QStringList& columns) {
  auto* grid = new QTableWidget(rows, static_cast<int>(columns.size()), parent);
  grid->setHorizontalHeaderLabels(columns);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  // Rows as low as the text allows, so a whole table shows at once.
  grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + kRowPadding);
  return grid;
}

// Every row of the tune that has it, blanks where the values agree.
void FillDifferences(QTableWidget& grid, const compare::TableComparison& table) {
  QStringList rpmLabels;
  for (const int rpm : table.rpm) rpmLabels.push_back(QString::number(rpm));
  grid.setVerticalHeaderLabels(rpmLabels);
  for (int row = 0; row < grid.rowCount(); ++row) {
    const int rpm = table.rpm[static_cast<std::size_t>(row)];
    const bool onlyFirst =
        std::count(table.rpmOnlyInFirst.begin(), table.rpmOnlyInFirst.end(), rpm);
    const bool onlySecond =
        std::count(table.rpmOnlyInSecond.begin(), table.rpmOnlyInSecond.end(), rpm);
    for (int col = 0; col < grid.columnCount(); ++col) {
      QTableWidgetItem* item = Item(onlyFirst || onlySecond ? "n/a" : "");
      if (onlyFirst || onlySecond) {
        item->setBackground(ToQColor(kMissingRow));
        item->setToolTip(onlyFirst ? QStringLiteral("Only the first tune has this row.")
                                   : QStringLiteral("Only the second tune has this row."));
      }
      grid.setItem(row, col, item);
    }
  }
  for (const compare::CellDifference& cell : table.cells) {
    const auto row = std::find(table.rpm.begin(), table.rpm.end(), cell.rpm) - table.rpm.begin();
    QTableWidgetItem* item = grid.item(static_cast<int>(row), cell.col - 1);
    item->setText(ToQString(compare::SignedDifference(cell.difference)));
    item->setBackground(ToQColor(compare::DifferenceColour(cell.difference, table.largest)));
    item->setForeground(Qt::black);
    item->setToolTip(ToQString("First: " + compare::TwoDecimals(cell.first) +
                               "   Second: " + compare::TwoDecimals(cell.second)));
  }
}

void AddRow(QTableWidget& grid, const std::string& name, const std::string& first,
            const std::string& second, const std::string& difference) {
  const int row = grid.rowCount();
  grid.insertRow(row);
  int col = 0;
  for (const std::string& text : {name, first, second, difference}) {
    QTableWidgetItem* item = Item(text);
    if (!difference.empty()) item->setBackground(ToQColor(kDifferingRow));
    grid.setItem(row, col++, item);
  }
}

}  // namespace

frmCompare::frmCompare(QWidget* parent, Commands commands)
    : QDialog(parent, Qt::Window),
      commands_(std::move(commands)),
      lblSummary_(new QLabel(this)),
      tabDifferences_(new QTabWidget(this)),
      grdParameters_(nullptr),
      cmdTakeCells_(new QPushButton(QStringLiteral("&Take Selected Cells Into Open Table"), this)) {
  setObjectName(QStringLiteral("frmCompare"));
  setWindowTitle(QStringLiteral("Tune Comparison"));
  lblSummary_->setObjectName(QStringLiteral("lblSummary"));
  lblSummary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  tabDifferences_->setObjectName(QStringLiteral("tabDifferences"));
  cmdTakeCells_->setObjectName(QStringLiteral("cmdTakeCells"));
  cmdTakeCells_->setToolTip(
      QStringLiteral("Gives the selected cells of the open table the second tune's values"));
  auto* cmdPrint = new QPushButton(QStringLiteral("&Print..."), this);
  cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
  auto* cmdSaveAsPdf = new QPushButton(QStringLiteral("Save As P&DF..."), this);
  cmdSaveAsPdf->setObjectName(QStringLiteral("cmdSaveAsPdf"));
  auto* cmdClose = new QPushButton(QStringLiteral("&Close"), this);
  cmdClose->setObjectName(QStringLiteral("cmdClose"));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdTakeCells_);
  buttons->addStretch();
  buttons->addWidget(cmdPrint);
  buttons->addWidget(cmdSaveAsPdf);
  buttons->addWidget(cmdClose);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblSummary_);
  layout->addWidget(tabDifferences_, 1);
  layout->addLayout(buttons);
  resize(kWidth, kHeight);

  connect(cmdTakeCells_, &QPushButton::clicked, this, [this] { TakeSelectedCells(); });
  connect(cmdPrint, &QPushButton::clicked, this, [this] { commands_.print(); });
  connect(cmdSaveAsPdf, &QPushButton::clicked, this, [this] { commands_.saveAsPdf(); });
  connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
  connect(tabDifferences_, &QTabWidget::currentChanged, this, [this] { UpdateTakeButton(); });
}

void frmCompare::ShowComparison(const compare::TuneComparison& comparison) {
  const int shownTab = tabDifferences_->currentIndex();
  while (tabDifferences_->count() > 0) {
    QWidget* page = tabDifferences_->widget(0);
    tabDifferences_->removeTab(0);
    delete page;
  }
  tableTabs_.clear();
  const std::vector<std::string> report = compare::ReportLines(comparison);
  QStringList summary;
  for (std::size_t i = 0; i < std::min(kSummaryLines, report.size()); ++i) {
    summary.push_back(ToQString(report[i]));
  }
  lblSummary_->setText(summary.join(QLatin1Char('\n')));
  for (const compare::TableComparison& table : comparison.tables) AddTableTab(table);
  FillParameters(comparison);
  if (shownTab >= 0 && shownTab < tabDifferences_->count()) {
    tabDifferences_->setCurrentIndex(shownTab);
  }
  UpdateTakeButton();
  show();
  raise();
  activateWindow();
}

QTableWidget* frmCompare::differences(tables::TableId table) const {
  for (const TableTab& tab : tableTabs_) {
    if (tab.table == table) return tab.grid;
  }
  return nullptr;
}

void frmCompare::AddTableTab(const compare::TableComparison& table) {
  QString title = ToQString(tables::TableName(table.table));
  if (table.inFirst != table.inSecond) {
    auto* only = new QLabel(table.inFirst ? QStringLiteral("Only the first tune has this table.")
                                          : QStringLiteral("Only the second tune has this table."),
                            tabDifferences_);
    only->setAlignment(Qt::AlignCenter);
    tabDifferences_->addTab(only, title);
    return;
  }
  QStringList columns;
  for (const std::string_view label : tables::kTpsLabels) columns.push_back(ToQString(label));
  QTableWidget* grid = NewGrid(tabDifferences_, static_cast<int>(table.rpm.size()), columns);
  grid->setObjectName(QStringLiteral("grdDifferences%1").arg(static_cast<int>(table.table)));
  FillDifferences(*grid, table);
  connect(grid, &QTableWidget::itemSelectionChanged, this, [this] { UpdateTakeButton(); });
  if (!table.cells.empty()) title += QStringLiteral(" (%1)").arg(table.cells.size());
  tabDifferences_->addTab(grid, title);
  tableTabs_.push_back({table.table, grid, table.rpm});
}

void frmCompare::FillParameters(const compare::TuneComparison& comparison) {
  grdParameters_ = NewGrid(tabDifferences_, 0,
                           {QStringLiteral("Item"), ToQString(comparison.firstName),
                            ToQString(comparison.secondName), QStringLiteral("Difference")});
  grdParameters_->setObjectName(QStringLiteral("grdParameters"));
  grdParameters_->verticalHeader()->hide();
  for (const compare::SettingComparison& setting : comparison.settings) {
    AddRow(*grdParameters_, setting.name, setting.first, setting.second,
           setting.Differs() ? kDiffers : "");
  }
  for (const compare::ParameterComparison& parameter : comparison.parameters) {
    std::string difference;
    if (parameter.Differs()) {
      difference = parameter.first && parameter.second
                       ? (*parameter.second > *parameter.first ? "+" : "") +
                             std::to_string(*parameter.second - *parameter.first)
                       : kDiffers;
    }
    AddRow(*grdParameters_, compare::ParameterName(parameter.number),
           compare::ParameterText(parameter.first), compare::ParameterText(parameter.second),
           difference);
  }
  for (const compare::ByteDifference& byte : comparison.otherBytes) {
    AddRow(*grdParameters_, compare::ByteLocation(byte.offset), std::to_string(byte.first),
           std::to_string(byte.second), kDiffers);
  }
  const int differing = comparison.DifferingParameters() + comparison.DifferingSettings() +
                        static_cast<int>(comparison.otherBytes.size());
  tabDifferences_->addTab(grdParameters_, differing > 0
                                              ? QStringLiteral("Parameters (%1)").arg(differing)
                                              : QStringLiteral("Parameters"));
}

const frmCompare::TableTab* frmCompare::CurrentTableTab() const {
  for (const TableTab& tab : tableTabs_) {
    if (tab.grid == tabDifferences_->currentWidget()) return &tab;
  }
  return nullptr;
}

void frmCompare::UpdateTakeButton() {
  const TableTab* tab = CurrentTableTab();
  cmdTakeCells_->setEnabled(tab && !tab->grid->selectedItems().isEmpty());
}

void frmCompare::TakeSelectedCells() {
  const TableTab* tab = CurrentTableTab();
  if (!tab) return;
  std::vector<app::TableCell> cells;
  for (const QTableWidgetItem* item : tab->grid->selectedItems()) {
    cells.push_back({tab->rpm[static_cast<std::size_t>(item->row())], item->column() + 1});
  }
  commands_.takeCells(tab->table, cells);
}

}  // namespace qtui
