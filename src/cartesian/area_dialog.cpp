#include "cartesian/area_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <functional>
#include <optional>

#include "cartesian/cartesian_window.h"
#include "cartesian/function_kinds.h"
#include "expr/integral.h"
#include "expr/math_const_edit.h"
#include "expr/number_format.h"
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
  functions_ = FunctionsOffering(graph.Doc(), &TFunctionOffers::analysis);
  for (const int i : functions_) EFunction->addItem(Description(i));
  FillBetween();
  Result->setTextInteractionFlags(Qt::TextSelectableByMouse);
  Result->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Result, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu menu;
    menu.addAction(QStringLiteral("&Copy"), this,
                   [this] { QApplication::clipboard()->setText(exact_.isEmpty() ? Result->text() : exact_); });
    graph_.AddDigitsShownMenu(&menu);
    menu.exec(Result->mapToGlobal(at));
  });
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
  // Another choice of functions is another area: the old one goes at once.
  connect(EFunction, &QComboBox::currentIndexChanged, this, [this] {
    FillBetween();
    Calculate();
  });
  connect(EBetween, &QComboBox::currentIndexChanged, this, &TAreaDlg::Calculate);
  connect(&graph, &TFuncGraphWindow::ProgramSettingsChanged, this, &TAreaDlg::Calculate);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  Calculate();
}

TAreaDlg::~TAreaDlg() { graph_.SetShade({}); }

QString TAreaDlg::Description(int function) const {
  return QString::fromStdString(graph_.Doc().Functions()[std::size_t(function)]->GetDescription());
}

void TAreaDlg::FillBetween() {
  const int kept = EBetween->currentData().isValid() ? EBetween->currentData().toInt() : -1;
  const int chosen = EFunction->currentIndex() >= 0 ? functions_[std::size_t(EFunction->currentIndex())] : -1;
  const QSignalBlocker quiet(EBetween);
  EBetween->clear();
  EBetween->addItem(QStringLiteral("the x axis"), -1);
  for (const int i : functions_)
    if (i != chosen) EBetween->addItem(Description(i), i);
  EBetween->setCurrentIndex(std::max(0, EBetween->findData(kept)));
}

void TAreaDlg::Calculate() {
  graph_.SetShade({});
  Result->clear();
  exact_.clear();
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
  const auto function = [&doc](int index) { return *doc.Functions()[std::size_t(index)]->FunctionOfX(); };
  const int between = EBetween->currentData().toInt();  // -1: the x axis
  TFunctionOfX f = function(functions_[std::size_t(EFunction->currentIndex())]);
  std::optional<TFunctionOfX> g;
  if (between >= 0) g = function(between);
  TFunctionOfX integrand = g ? f.Minus(*g) : f;
  const TIntegral i = IntegrateFunction(integrand, a, b);
  // On the screen to the digits shown; copied with every digit.
  const auto say = [this](const std::function<std::string(int)>& text) {
    Result->setText(QString::fromStdString(text(graph_.Settings().digitsShown)));
    exact_ = QString::fromStdString(text(kMaxDigitsShown));
  };
  switch (i.status) {
    case TIntegral::Undefined:
      say([&](int d) { return "Error: " + MathErrorText(i.errorCode, 0) + " at x = " + ReadoutText(i.where, d); });
      return;
    case TIntegral::Divergent:
      say([](int) { return std::string("Error: The Integral Diverges Or Converges Too Slowly"); });
      return;
    case TIntegral::Inaccurate:
    case TIntegral::Converged:
      // An estimate is worth its first digits only.
      say([&](int d) {
        return "Integral: " + ReadoutText(i.value, d) + "\nError estimate: " + ReadoutText(i.error, kMinDigitsShown) +
               (i.status == TIntegral::Inaccurate ? " (the accuracy asked was not reached)" : "");
      });
  }
  // The area on the graph: one column of the picture after the other, a piece ending where a
  // function has no value.
  const TMapping2D map(doc.View(), graph_.BitmapWidth(), graph_.BitmapHeight());
  std::vector<std::vector<TShadeColumn>> pieces(1);
  const auto add = [&](Extended x) {
    Extended top = 0, bottom = 0;
    if (f.Value(x, top) && (!g || g->Value(x, bottom))) {
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
