#include "qt/table_chart.h"

#include <QLabel>
#include <QVBoxLayout>
#include <QtDataVisualization/Q3DInputHandler>
#include <QtDataVisualization/Q3DSurface>
#include <QtDataVisualization/Q3DTheme>
#include <QtDataVisualization/QCustom3DLabel>
#include <QtDataVisualization/QSurface3DSeries>
#include <QtDataVisualization/QSurfaceDataProxy>
#include <QtDataVisualization/QValue3DAxis>
#include <algorithm>

#include "qt/qt_text.h"
#include "qt/surface_setup.h"
#include "qt/twips.h"

namespace qtui {

namespace {

constexpr const char* kPlaceholderText = "3D view not available on this display";
// The value label a little larger than the axis labels; the chart's default is far smaller.
constexpr float kValueLabelScale = 2.0F;
// Part of the value axis the label floats above its point, so the surface hides none of it.
constexpr float kValueLabelLift = 0.08F;
constexpr double kTitleScale = 1.3;

}  // namespace

QLabel* TableChart::AddLineOverView(const char* name, QVBoxLayout& layout) {
  auto* line = new QLabel(this);
  line->setObjectName(QString::fromLatin1(name));
  line->setAlignment(Qt::AlignCenter);
  layout.addWidget(line);
  return line;
}

TableChart::TableChart(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Chart3D1"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* graph = NewSurfaceGraph();
  // Without a GL context adding a series would crash.
  if (graph->hasContext()) {
    graph_ = graph;
    SetUpSurfaceGraph(*graph_);
    series_ = NewSurfaceSeries();
    graph_->addSeries(series_);
    valueLabel_ = new QCustom3DLabel();
    valueLabel_->setFacingCamera(true);
    valueLabel_->setFont(graph_->activeTheme()->font());
    valueLabel_->setTextColor(Qt::black);
    valueLabel_->setBackgroundColor(Qt::white);
    valueLabel_->setBackgroundEnabled(true);
    valueLabel_->setBorderEnabled(true);
    valueLabel_->setScaling(QVector3D(kValueLabelScale, kValueLabelScale, kValueLabelScale));
    valueLabel_->setVisible(false);
    graph_->addCustomItem(valueLabel_);
    // The table's title over the 3D view, where it stays readable whatever the angle.
    title_ = AddLineOverView("lblChartTitle", *layout);
    QFont font = title_->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * kTitleScale);
    title_->setFont(font);
    valueLine_ = AddLineOverView("lblChartValue", *layout);
    // Its line is kept while hidden, so the 3D view does not jump as the cell moves.
    QSizePolicy keep = valueLine_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    valueLine_->setSizePolicy(keep);
    valueLine_->hide();
    container_ = QWidget::createWindowContainer(graph_, this);
    container_->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(container_, 1);
  } else {
    delete graph;
    placeholder_ = new QLabel(QString::fromLatin1(kPlaceholderText), this);
    placeholder_->setObjectName(QStringLiteral("chartPlaceholder"));
    placeholder_->setAlignment(Qt::AlignCenter);
    placeholder_->setWordWrap(true);
    placeholder_->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(placeholder_);
  }
  hide();
}

TableChart::~TableChart() = default;

void TableChart::ApplyTemplate(const tables::ChartTemplate& chartTemplate) {
  setToolTip(ToQString(chartTemplate.title));
  if (!graph_) return;
  title_->setText(ToQString(chartTemplate.title));
  ApplyChartTemplate(*graph_, *series_, chartTemplate);
}

void TableChart::SetBatchUpdating(bool on) {
  const bool ending = batched_ && !on;
  batched_ = on;
  if (ending) PushSurface();
}

void TableChart::LoadElevationGrid(const tables::ChartValues& values) {
  values_ = values;
  if (!batched_) PushSurface();
}

void TableChart::SetHeight(int row, int col, double height) {
  values_.At(row, col) = height;
  if (batched_ || !graph_) return;
  const float x = Position(values_.columnPositions, col);
  const float z = Position(values_.rowPositions, row);
  series_->dataProxy()->setItem(row - 1, col - 1,
                                QSurfaceDataItem(QVector3D(x, static_cast<float>(height), z)));
  PlaceValueLabel();
}

void TableChart::PushSurface() {
  if (!graph_) return;
  series_->dataProxy()->resetArray(SurfaceRows(values_, holeValue_, graph_->axisY()->min()));
  PlaceValueLabel();
}

double TableChart::SurfaceHeight(int row, int col) const {
  if (!graph_) return values_.At(row, col);
  const QSurfaceDataItem* item = series_->dataProxy()->itemAt(row - 1, col - 1);
  return item ? item->y() : 0.0;
}

QString TableChart::ValueLabelText() const { return labelText_; }

bool TableChart::ValueLabelShown() const { return labelVisible_; }

QString TableChart::ValueLine() const {
  return valueLine_ && !valueLine_->isHidden() ? valueLine_->text() : QString();
}

QImage TableChart::Render(const QSize& size) {
  if (!graph_) return grab().toImage();
  // A point picked on screen is no part of the printed table.
  series_->setSelectedPoint(QSurface3DSeries::invalidSelectionPosition());
  return graph_->renderToImage(0, size);
}

void TableChart::SetValueLabelVisible(bool visible) {
  labelVisible_ = visible;
  if (valueLabel_) valueLabel_->setVisible(visible);
  ShowValueLine();
}

void TableChart::AttachValueLabel(int row, int col) {
  values_.At(row, col);
  labelRow_ = row;
  labelCol_ = col;
  PlaceValueLabel();
  ShowValueLine();
}

void TableChart::SetValueLabelText(const std::string& text) {
  labelText_ = ToQString(text);
  if (valueLabel_) valueLabel_->setText(labelText_);
  ShowValueLine();
}

void TableChart::ShowValueLine() {
  if (!valueLine_) return;
  // Software OpenGL draws the label at its point without its text: the value is also
  // written over the 3D view, with the cell it belongs to.
  valueLine_->setVisible(labelVisible_ && values_.Contains(labelRow_, labelCol_));
  if (!valueLine_->isVisible()) return;
  valueLine_->setText(QStringLiteral("%1 RPM, %2 %: %3")
                          .arg(Position(values_.rowPositions, labelRow_))
                          .arg(Position(values_.columnPositions, labelCol_))
                          .arg(labelText_));
}

void TableChart::PlaceValueLabel() {
  if (!valueLabel_ || !values_.Contains(labelRow_, labelCol_)) return;
  // The chart leaves out items beyond its axes: the label stays within the value axis.
  const QValue3DAxis& axis = *graph_->axisY();
  const float height = static_cast<float>(values_.At(labelRow_, labelCol_)) +
                       (axis.max() - axis.min()) * kValueLabelLift;
  valueLabel_->setPosition(QVector3D(Position(values_.columnPositions, labelCol_),
                                     std::clamp(height, axis.min(), axis.max()),
                                     Position(values_.rowPositions, labelRow_)));
}

void TableChart::SetInteraction(tables::ChartInteraction which, bool on) {
  if (!graph_) return;
  if (which == tables::ChartInteraction::SelectPoint) {
    graph_->setSelectionMode(on ? QAbstract3DGraph::SelectionItem
                                : QAbstract3DGraph::SelectionNone);
    return;
  }
  if (auto* handler = qobject_cast<Q3DInputHandler*>(graph_->activeInputHandler())) {
    handler->setRotationEnabled(on);
    handler->setZoomEnabled(on);
  }
}

void TableChart::Move(int left, int top, int width, int height) {
  setGeometry(TwipsToPixelsX(*this, left), TwipsToPixelsY(*this, top), TwipsToPixelsX(*this, width),
              TwipsToPixelsY(*this, height));
}

}  // namespace qtui
