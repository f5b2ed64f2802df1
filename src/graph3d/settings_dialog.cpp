#include "graph3d/settings_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/common_dialogs.h"
#include "platform/dialog_controls.h"

namespace plotix {

TSettings3DDlg::TSettings3DDlg(TSettings3DObj& settings, QWidget* parent)
    : TOkCancelDlg(parent, QStringLiteral("3D Cartesian Graph Settings"), "graph3d.md#the-graph-settings-dialog"),
      BackColorSample(new TColorSampleButton),
      AllColorsButton(new QPushButton(QStringLiteral("All Line Colors..."))),
      AllFontsButton(new QPushButton(QStringLiteral("All Label Fonts..."))),
      settings_(settings) {
  auto* axes = new QHBoxLayout;
  for (int i = 0; i < 3; ++i) {
    const QString letter(QChar("XYZ"[i]));
    TAxisControls& c = Axes[std::size_t(i)];
    const TAxis3DSettings& a = settings.Axes[std::size_t(i)];
    c.ShowAxisLine = new QCheckBox(QStringLiteral("Show %1 Axis Line").arg(letter));
    c.LabelPlusEnd = new QCheckBox(QStringLiteral("Label \"+%1\" Axis").arg(letter));
    c.LabelMinusEnd = new QCheckBox(QStringLiteral("Label \"-%1\" Axis").arg(letter));
    c.ShowPlusSign = new QCheckBox(QStringLiteral("Show \"+\" Sign"));
    c.ShowMinusSign = new QCheckBox(QStringLiteral("Show \"-\" Sign"));
    c.LineColorSample = new TColorSampleButton;
    c.LineColorSample->setObjectName(letter + QStringLiteral("LineColorSample"));
    auto* colorButton = new QPushButton(QStringLiteral("Line Color..."));
    c.FontButton = new QPushButton(QStringLiteral("Label Font..."));
    c.FontButton->setObjectName(letter + QStringLiteral("FontButton"));
    c.FontText = new QLabel;

    auto* group = new QGroupBox(QStringLiteral("%1 Axis Settings").arg(letter));
    auto* grid = new QGridLayout(group);
    int row = 0;
    for (QCheckBox* box : {c.ShowAxisLine, c.LabelPlusEnd, c.LabelMinusEnd, c.ShowPlusSign, c.ShowMinusSign})
      grid->addWidget(box, row++, 0, 1, 2);
    grid->addWidget(colorButton, row, 0);
    grid->addWidget(c.LineColorSample, row++, 1, Qt::AlignLeft);
    grid->addWidget(c.FontButton, row, 0);
    grid->addWidget(c.FontText, row, 1);
    axes->addWidget(group);

    c.ShowAxisLine->setChecked(a.ShowAxisLine);
    c.LabelPlusEnd->setChecked(a.LabelPlusEnd);
    c.LabelMinusEnd->setChecked(a.LabelMinusEnd);
    c.ShowPlusSign->setChecked(a.ShowPlusSign);
    c.ShowMinusSign->setChecked(a.ShowMinusSign);
    c.LineColorSample->SetColor(a.LineColor);
    SetFont(c, a.LabelFont);

    connect(colorButton, &QPushButton::clicked, c.LineColorSample, &TColorSampleButton::Pick);
    connect(c.FontButton, &QPushButton::clicked, this, [this, &c] {
      TFontDesc font = c.Font;
      if (PickFont(this, font)) SetFont(c, font);
    });
  }

  BackColorSample->setObjectName(QStringLiteral("BackColorSample"));
  BackColorSample->SetColor(settings.BackColor);
  auto* backButton = new QPushButton(QStringLiteral("Background Color..."));
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(backButton);
  bottom->addWidget(BackColorSample);
  bottom->addSpacing(20);
  bottom->addWidget(AllColorsButton);
  bottom->addWidget(AllFontsButton);
  bottom->addStretch();
  bottom->addWidget(Buttons);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(axes);
  layout->addLayout(bottom);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(backButton, &QPushButton::clicked, BackColorSample, &TColorSampleButton::Pick);
  connect(AllColorsButton, &QPushButton::clicked, this, &TSettings3DDlg::AllLineColorsClick);
  connect(AllFontsButton, &QPushButton::clicked, this, &TSettings3DDlg::AllLabelFontsClick);
}

void TSettings3DDlg::SetFont(TAxisControls& c, const TFontDesc& font) {
  c.Font = font;
  c.FontText->setText(FontText(font));
}

void TSettings3DDlg::AllLineColorsClick() {
  TColor color = Axes[0].LineColorSample->Color();
  if (!PickColor(this, color)) return;
  for (TAxisControls& c : Axes) c.LineColorSample->SetColor(color);
}

void TSettings3DDlg::AllLabelFontsClick() {
  TFontDesc font = Axes[0].Font;
  if (!PickFont(this, font)) return;
  for (TAxisControls& c : Axes) SetFont(c, font);
}

void TSettings3DDlg::accept() {
  for (std::size_t i = 0; i < Axes.size(); ++i) {
    const TAxisControls& c = Axes[i];
    TAxis3DSettings& a = settings_.Axes[i];
    a.ShowAxisLine = c.ShowAxisLine->isChecked();
    a.LabelPlusEnd = c.LabelPlusEnd->isChecked();
    a.LabelMinusEnd = c.LabelMinusEnd->isChecked();
    a.ShowPlusSign = c.ShowPlusSign->isChecked();
    a.ShowMinusSign = c.ShowMinusSign->isChecked();
    a.LineColor = c.LineColorSample->Color();
    a.LabelFont = c.Font;
  }
  settings_.BackColor = BackColorSample->Color();
  QDialog::accept();
}

}  // namespace plotix
