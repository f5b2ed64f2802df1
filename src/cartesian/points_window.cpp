#include "cartesian/points_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

#include "cartesian/cartesian_window.h"
#include "expr/analysis.h"
#include "expr/math_const_edit.h"
#include "platform/help_service.h"

namespace plotix {

TPointsWindow* TPointsWindow::Open(TFunc2DWindow* graph) {
  QWidget* main = graph->window();
  TPointsWindow* points = main->findChild<TPointsWindow*>(QString(), Qt::FindDirectChildrenOnly);
  if (!points) {
    points = new TPointsWindow(main);
    // First beside the graphs, at the main window's right.
    points->resize(points->sizeHint().expandedTo(QSize(560, 440)));
    points->move(main->mapToGlobal(QPoint(std::max(0, main->width() - points->width() - 24), 96)));
  }
  points->SetGraph(graph);
  points->show();
  points->raise();
  points->activateWindow();
  return points;
}

void TPointsWindow::FollowGraph(TFuncGraphWindow* active) { SetGraph(qobject_cast<TFunc2DWindow*>(active)); }

TPointsWindow::TPointsWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool),
      EFunction(new QComboBox),
      EFrom(new TEditMathConst),
      ETo(new TEditMathConst),
      Rows(new QTableWidget(0, 3)),
      Note(new QLabel),
      BMark(new QPushButton(QStringLiteral("&Mark on Graph"))),
      BCopy(new QPushButton(QStringLiteral("&Copy"))) {
  setObjectName(QStringLiteral("PointsWindow"));
  setWindowTitle(QStringLiteral("Zeros, Extrema, Intersections"));
  for (TEditMathConst* field : {EFrom, ETo}) {
    field->Check().SetBoundField(field == EFrom ? "x From" : "x To", true);
    field->setPlaceholderText(QStringLiteral("visible"));
    field->setToolTip(QStringLiteral("Leave empty for the visible x range"));
  }
  Rows->setHorizontalHeaderLabels({QStringLiteral("Point"), QStringLiteral("x"), QStringLiteral("y")});
  Rows->horizontalHeader()->setStretchLastSection(true);
  Rows->verticalHeader()->hide();
  Rows->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Rows->setSelectionBehavior(QAbstractItemView::SelectRows);
  Rows->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 64);
  Note->setWordWrap(true);

  auto* choice = new QHBoxLayout;
  auto* functionLabel = new QLabel(QStringLiteral("&Function"));
  functionLabel->setBuddy(EFunction);
  choice->addWidget(functionLabel);
  choice->addWidget(EFunction, 1);
  auto* range = new QHBoxLayout;
  auto* fromLabel = new QLabel(QStringLiteral("x &From"));
  fromLabel->setBuddy(EFrom);
  auto* toLabel = new QLabel(QStringLiteral("&To"));
  toLabel->setBuddy(ETo);
  range->addWidget(fromLabel);
  range->addWidget(EFrom, 1);
  range->addWidget(toLabel);
  range->addWidget(ETo, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BMark);
  buttons->addWidget(BCopy);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(choice);
  layout->addLayout(range);
  layout->addWidget(Rows, 1);
  layout->addWidget(Note);
  layout->addLayout(buttons);

  connect(EFunction, &QComboBox::activated, this, &TPointsWindow::Refresh);
  for (TEditMathConst* field : {EFrom, ETo}) connect(field, &QLineEdit::editingFinished, this, &TPointsWindow::Refresh);
  connect(Rows, &QTableWidget::cellClicked, this, [this](int row, int) { CenterOn(row); });
  connect(BMark, &QPushButton::clicked, this, &TPointsWindow::MarkOnGraph);
  connect(BCopy, &QPushButton::clicked, this, &TPointsWindow::CopyRows);
  Rows->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Rows, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu menu;
    menu.addAction(QStringLiteral("&Copy"), this, &TPointsWindow::CopyRows);
    if (graph_) graph_->AddDigitsShownMenu(&menu);
    menu.exec(Rows->viewport()->mapToGlobal(at));
  });
  auto* copy = new QShortcut(QKeySequence::Copy, Rows);
  connect(copy, &QShortcut::activated, this, &TPointsWindow::CopyRows);
  auto* help = new QShortcut(QKeySequence::HelpContents, this);
  connect(help, &QShortcut::activated, this, [] { ShowHelp("analysis.md#zeros-extrema-intersections"); });
}

void TPointsWindow::closeEvent(QCloseEvent* event) {
  if (graph_) graph_->SetMarks({});
  QWidget::closeEvent(event);
}

void TPointsWindow::SetGraph(TFunc2DWindow* graph) {
  if (graph == graph_) return;
  disconnect(rendered_);
  disconnect(closing_);
  disconnect(settings_);
  if (graph_) graph_->SetMarks({});
  graph_ = graph;
  if (graph_) {
    // What the graph draws changed (a function, a parameter, the view): the points again,
    // but not for a centring of our own.
    rendered_ = connect(graph_, &TFuncGraphWindow::Rendered, this, [this] {
      if (centering_) {
        centering_ = false;
        return;
      }
      FillFunctions();
      Refresh();
    });
    closing_ = connect(graph_, &TFuncGraphWindow::Closing, this, [this] { SetGraph(nullptr); });
    settings_ = connect(graph_, &TFuncGraphWindow::ProgramSettingsChanged, this, &TPointsWindow::ShowRows);
  }
  FillFunctions();
  Refresh();
}

void TPointsWindow::FillFunctions() {
  const int kept = EFunction->currentIndex() >= 0 && EFunction->currentIndex() < int(functions_.size())
                       ? functions_[std::size_t(EFunction->currentIndex())]
                       : -1;
  functions_ = graph_ ? PointFunctions(graph_->Doc()) : std::vector<int>();
  EFunction->clear();
  for (const int i : functions_)
    EFunction->addItem(QString::fromStdString(graph_->Doc().Functions()[std::size_t(i)]->GetDescription()));
  const auto at = std::find(functions_.begin(), functions_.end(), kept);
  EFunction->setCurrentIndex(at == functions_.end() ? (functions_.empty() ? -1 : 0) : int(at - functions_.begin()));
}

bool TPointsWindow::Range(Extended& a, Extended& b) {
  const TMapping2D map(graph_->Doc().View(), graph_->BitmapWidth(), graph_->BitmapHeight());
  a = map.XOfCol(0);
  b = map.XOfCol(map.width - 1);
  for (TEditMathConst* field : {EFrom, ETo}) {
    if (!field->Validate()) {
      Note->setText(QString::fromStdString(field->ErrorText()));
      return false;
    }
    if (!field->IsEmpty()) (field == EFrom ? a : b) = field->Value();
  }
  if (a > b) {
    Note->setText(QStringLiteral("Error: x From must be <= x To"));
    return false;
  }
  return true;
}

void TPointsWindow::Refresh() {
  points_ = {};
  Note->clear();
  Extended a = 0, b = 0;
  const int choice = EFunction->currentIndex();
  if (!graph_ || choice < 0) {
    Note->setText(graph_ ? QStringLiteral("The graph has no y = f(x) function that can be drawn.")
                         : QStringLiteral("Activate a 2D Cartesian graph window."));
  } else if (Range(a, b)) {
    points_ = FindFunctionPoints(graph_->Doc(), functions_[std::size_t(choice)], a, b);
    if (points_.more)
      Note->setText(
          QStringLiteral("More than %1 points of one kind: the first ones are shown.").arg(kMaxAnalysisPoints));
    else if (points_.rows.empty())
      Note->setText(QStringLiteral("No zero, extremum or intersection in this range."));
  }
  ShowRows();
}

void TPointsWindow::ShowRows() {
  const int digits = graph_ ? graph_->Settings().digitsShown : kDefaultDigitsShown;
  Rows->setRowCount(int(points_.rows.size()));
  for (int r = 0; r < int(points_.rows.size()); ++r) {
    const TFunctionPoint& p = points_.rows[std::size_t(r)];
    Rows->setItem(r, 0, new QTableWidgetItem(QString::fromStdString(PointKindText(p))));
    Rows->setItem(r, 1, new QTableWidgetItem(QString::fromStdString(PointXText(p, digits))));
    Rows->setItem(r, 2, new QTableWidgetItem(QString::fromStdString(ReadoutText(p.y, digits))));
  }
  // The numbers' columns keep room for a number of the digits shown, with or without rows.
  Rows->resizeColumnsToContents();
  const int number = Rows->fontMetrics().horizontalAdvance(QString(digits + 7, QLatin1Char('0')));
  for (const int column : {1, 2}) Rows->setColumnWidth(column, std::max(Rows->columnWidth(column), number));
}

void TPointsWindow::CenterOn(int row) {
  if (!graph_ || row < 0 || row >= int(points_.rows.size())) return;
  const TFunctionPoint& p = points_.rows[std::size_t(row)];
  TView2D view = graph_->Doc().View();
  view.CenterX = ClampCenter(p.x * view.ZoomX);
  view.CenterY = ClampCenter(p.y * view.ZoomY);
  if (view == graph_->Doc().View()) return;
  centering_ = true;
  graph_->SetView(view);
}

void TPointsWindow::MarkOnGraph() {
  if (!graph_) return;
  std::vector<std::pair<Extended, Extended>> marks;
  for (const TFunctionPoint& p : points_.rows) {
    marks.emplace_back(p.x, p.y);
    if (p.kind == TFunctionPoint::ZeroInterval) marks.emplace_back(p.to, p.y);
  }
  graph_->SetMarks(std::move(marks));
}

void TPointsWindow::CopyRows() { QApplication::clipboard()->setText(QString::fromStdString(PointsText(points_))); }

}  // namespace plotix
