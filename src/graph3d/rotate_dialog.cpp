#include "graph3d/rotate_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "expr/math_const_edit.h"
#include "graph3d/function_dialog.h"
#include "platform/common_dialogs.h"
#include "platform/dialog_controls.h"
#include "platform/message_box.h"

namespace plotix {

TAddRotateDlg::TAddRotateDlg(TFuncRotateObj& func, bool addMode, QWidget* parent)
    : TOkCancelDlg(parent,
                   addMode ? QStringLiteral("Add 2D Function Rotated Into 3D")
                           : QStringLiteral("Modify 2D Function Rotated Into 3D"),
                   "graph3d.md#add-2d-function-rotated-into-3d-and-modify-2d-function-rotated-into-3d"),
      EUserFuncStr(new QLineEdit),
      ELoBound(new TEditMathConst),
      EHiBound(new TEditMathConst),
      EAxis(new QButtonGroup(this)),
      LineGroup(new QGroupBox(QStringLiteral("Specified Rotation Line"))),
      ECircleDetail(new QSpinBox),
      ELineDetail(new QSpinBox),
      Style(new TPlotStyleRow(false)),
      ERoundDown(new QRadioButton(QStringLiteral("Round Down"))),
      EDontDraw(new QRadioButton(QStringLiteral("Don't Draw"))),
      func_(func),
      scratch_(func.Func) {
  // Circles limit the detail along the lines, lines the detail along the circles.
  ECircles = WireLinesField(ELineDetail);
  ELines = WireLinesField(ECircleDetail);

  Set3DValueField(ELoBound, "Lower Bound");
  Set3DValueField(EHiBound, "Upper Bound");
  EUserFuncStr->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 40);
  auto* functionGroup = new QGroupBox(QStringLiteral("Enter the 2D Function to be Rotated Here"));
  auto* functionGrid = new QGridLayout(functionGroup);
  auto* caption = new QLabel(QStringLiteral("Y= f(x) ="));
  caption->setBuddy(EUserFuncStr);
  functionGrid->addWidget(caption, 0, 0);
  functionGrid->addWidget(EUserFuncStr, 0, 1, 1, 3);
  functionGrid->addWidget(new QLabel(QStringLiteral("Lower Bound")), 1, 1);
  functionGrid->addWidget(new QLabel(QStringLiteral("Upper Bound")), 1, 3);
  functionGrid->addWidget(ELoBound, 2, 1);
  functionGrid->addWidget(new QLabel(QStringLiteral("<= X <=")), 2, 2);
  functionGrid->addWidget(EHiBound, 2, 3);

  auto* axisGroup = new QGroupBox(QStringLiteral("Axis of Rotation"));
  auto* axisLayout = new QVBoxLayout(axisGroup);
  const char* const axisNames[] = {"X Axis", "Y Axis", "Specified Line"};
  for (int id = raXAxis; id <= raLine; ++id) {
    auto* button = new QRadioButton(QString::fromLatin1(axisNames[id]));
    EAxis->addButton(button, id);
    axisLayout->addWidget(button);
  }

  auto* lineGrid = new QGridLayout(LineGroup);
  const char* const pointNames[] = {"Point #1 X", "Point #1 Y", "Point #2 X", "Point #2 Y"};
  lineGrid->addWidget(new QLabel(QStringLiteral("X")), 0, 1);
  lineGrid->addWidget(new QLabel(QStringLiteral("Y")), 0, 2);
  for (int i = 0; i < 4; ++i) {
    auto* field = new TEditMathConst;
    Set3DValueField(field, pointNames[i]);
    field->setText(QString::fromStdString(func.PointTexts[std::size_t(i)]));
    if (i % 2 == 0)
      lineGrid->addWidget(new QLabel(i == 0 ? QStringLiteral("Point #1") : QStringLiteral("Point #2")), 1 + i / 2, 0);
    lineGrid->addWidget(field, 1 + i / 2, 1 + i % 2);
    EPoints[std::size_t(i)] = field;
  }

  auto* appearance = new QGroupBox(QStringLiteral("Function Appearance"));
  auto* appearanceGrid = new QGridLayout(appearance);
  appearanceGrid->addWidget(new QLabel(QStringLiteral("Circles")), 0, 0);
  appearanceGrid->addWidget(ECircles, 0, 1);
  appearanceGrid->addWidget(new QLabel(QStringLiteral("Detail")), 0, 2);
  appearanceGrid->addWidget(ECircleDetail, 0, 3);
  appearanceGrid->addWidget(new QLabel(QStringLiteral("Lines")), 1, 0);
  appearanceGrid->addWidget(ELines, 1, 1);
  appearanceGrid->addWidget(new QLabel(QStringLiteral("Detail")), 1, 2);
  appearanceGrid->addWidget(ELineDetail, 1, 3);
  appearanceGrid->addWidget(Style, 2, 0, 1, 4);

  auto* beyond = new QGroupBox(QStringLiteral("Values > 700"));
  auto* beyondLayout = new QVBoxLayout(beyond);
  beyondLayout->addWidget(ERoundDown);
  beyondLayout->addWidget(EDontDraw);

  auto* middle = new QHBoxLayout;
  middle->addWidget(axisGroup);
  middle->addWidget(LineGroup, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(appearance, 1);
  bottom->addWidget(beyond);

  LayOut({functionGroup, middle, bottom});

  connect(EAxis, &QButtonGroup::idToggled, this, [this] { LineGroup->setEnabled(EAxis->checkedId() == raLine); });

  EUserFuncStr->setText(QString::fromStdString(func.Func.Expression()));
  ELoBound->setText(QString::fromStdString(func.LoText));
  EHiBound->setText(QString::fromStdString(func.HiText));
  EAxis->button(func.Axis <= raLine ? int(func.Axis) : int(raXAxis))->setChecked(true);
  LineGroup->setEnabled(EAxis->checkedId() == raLine);
  ECircles->setValue(func.Circles);
  ELines->setValue(func.Lines);
  ECircleDetail->setValue(func.CircleDetail);
  ELineDetail->setValue(func.LineDetail);
  LimitDetail(ELines, ECircleDetail);
  LimitDetail(ECircles, ELineDetail);
  Style->SetStyle(func.Style);
  (func.RoundDown ? ERoundDown : EDontDraw)->setChecked(true);

  FocusField(EUserFuncStr);
}

bool TAddRotateDlg::Validate() {
  if (!ELoBound->ValidateOrComplain() || !EHiBound->ValidateOrComplain()) return false;
  // The line's points count only while the line is chosen; otherwise they stay as they were.
  if (EAxis->checkedId() == raLine)
    for (TEditMathConst* field : EPoints)
      if (!field->ValidateOrComplain()) return false;
  return BoundsInOrder(ELoBound, EHiBound) && CompileDefinition(scratch_, EUserFuncStr);
}

void TAddRotateDlg::accept() {
  if (!Validate()) return;
  LimitDetail(ELines, ECircleDetail);
  LimitDetail(ECircles, ELineDetail);
  func_.Func = scratch_;
  func_.LoText = ELoBound->text().toStdString();
  func_.Lo = ELoBound->Value();
  func_.HiText = EHiBound->text().toStdString();
  func_.Hi = EHiBound->Value();
  func_.Axis = std::uint8_t(EAxis->checkedId());
  if (func_.Axis == raLine) {
    for (std::size_t i = 0; i < EPoints.size(); ++i) {
      func_.PointTexts[i] = EPoints[i]->text().toStdString();
      func_.Points[i] = EPoints[i]->Value();
    }
  }
  func_.Circles = ECircles->value();
  func_.CircleDetail = ECircleDetail->value();
  func_.Lines = ELines->value();
  func_.LineDetail = ELineDetail->value();
  func_.Style = Style->Style();
  func_.RoundDown = ERoundDown->isChecked();
  QDialog::accept();
}

}  // namespace plotix
