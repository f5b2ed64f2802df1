#include "cartesian/area_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "cartesian/cartesian_window.h"
#include "cartesian/function_points.h"
#include "expr/integral.h"
#include "expr/math_const_edit.h"
#include "platform/dialog_controls.h"

namespace plotix {

TAreaDlg::TAreaDlg(TFunc2DWindow& graph, QWidget* parent)
    : QDialog(parent),
      EFunction(new QComboBox),
      EBetween(new QComboBox),
      EFrom(new TEditMathConst),
      ETo(new TEditMathConst),
      Result(new QLabel),
      BCalculate(new QPushButton(QStringLiteral("C&alculate"))),
      graph_(graph) {
  setWindowTitle(QStringLiteral("Area"));
  EFrom->Check().SetBoundField("From", false);
  ETo->Check().SetBoundField("To", false);
  EFrom->setText(QStringLiteral("0"));
  ETo->setText(QStringLiteral("1"));
  EBetween->addItem(QStringLiteral("the x axis"));
  functions_ = PointFunctions(graph.Doc());
  for (const int i : functions_) {
    const QString text = QString::fromStdString(graph.Doc().Functions()[std::size_t(i)]->GetDescription());
    EFunction->addItem(text);
    EBetween->addItem(text);
  }
  Result->setTextInteractionFlags(Qt::TextSelectableByMouse);
  Result->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 56);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Function"), EFunction);
  form->addRow(QStringLiteral("&Between it and"), EBetween);
  auto* bounds = new QHBoxLayout;
  bounds->addWidget(EFrom, 1);
  bounds->addWidget(new QLabel(QStringLiteral("<= X <=")));
  bounds->addWidget(ETo, 1);
  auto* boundsLabel = new QLabel(QStringLiteral("F&rom, To"));
  boundsLabel->setBuddy(EFrom);
  form->addRow(boundsLabel, bounds);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  buttons->addButton(BCalculate, QDialogButtonBox::ActionRole);
  AddHelpButton(this, buttons, "analysis.md#area");
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(Result);
  layout->addWidget(buttons);
  BCalculate->setDefault(true);
  connect(BCalculate, &QPushButton::clicked, this, &TAreaDlg::Calculate);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  Calculate();
}

TAreaDlg::~TAreaDlg() { graph_.SetShade({}); }

void TAreaDlg::Calculate() {
  graph_.SetShade({});
  Result->clear();
  if (functions_.empty()) {
    Result->setText(QStringLiteral("The graph has no y = f(x) function that can be drawn."));
    return;
  }
  for (TEditMathConst* field : {EFrom, ETo})
    if (!field->Validate()) {
      Result->setText(QString::fromStdString(field->ErrorText()));
      return;
    }
  const Extended a = EFrom->Value(), b = ETo->Value();
  if (a > b) {
    Result->setText(QStringLiteral("Error: From must be <= To"));
    return;
  }
  const TGraph2DDoc& doc = graph_.Doc();
  TFunctionOfX f = FunctionOfX(doc, functions_[std::size_t(EFunction->currentIndex())]);
  const int between = EBetween->currentIndex();
  TFunctionOfX g = between > 0 ? FunctionOfX(doc, functions_[std::size_t(between - 1)]) : TFunctionOfX({}, {}, 0);
  const auto value = [&](Extended x, Extended& y, int& error) {
    Extended lower = 0;
    if (!f.Value(x, y)) return (error = f.ErrorCode()), false;
    if (between > 0 && !g.Value(x, lower)) return (error = g.ErrorCode()), false;
    y -= lower;
    return true;
  };
  const TIntegral i = Integrate(value, a, b);
  switch (i.status) {
    case TIntegral::Undefined:
      Result->setText(
          QString::fromStdString("Error: " + MathErrorText(i.errorCode, 0) + " at x = " + PointNumber(i.where)));
      return;
    case TIntegral::Divergent:
      Result->setText(QStringLiteral("Error: The Integral Diverges Or Converges Too Slowly"));
      return;
    case TIntegral::Inaccurate:
    case TIntegral::Converged:
      Result->setText(
          QString::fromStdString("Integral: " + PointNumber(i.value) + "\nError estimate: " + PointNumber(i.error) +
                                 (i.status == TIntegral::Inaccurate ? " (the accuracy asked was not reached)" : "")));
  }
  // The area on the graph: one column of the picture after the other, a piece ending where a
  // function has no value.
  const TMapping2D map(doc.View(), graph_.BitmapWidth(), graph_.BitmapHeight());
  std::vector<std::vector<TShadeColumn>> pieces(1);
  const auto add = [&](Extended x) {
    Extended top = 0, bottom = 0;
    if (f.Value(x, top) && (between == 0 || g.Value(x, bottom))) {
      pieces.back().push_back({x, top, bottom});
    } else if (!pieces.back().empty()) {
      pieces.emplace_back();
    }
  };
  add(a);
  for (int col = 0; col < map.width; ++col)
    if (const Extended x = map.XOfCol(col); x > a && x < b) add(x);
  add(b);
  graph_.SetShade(std::move(pieces));
}

}  // namespace plotix
