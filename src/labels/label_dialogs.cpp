#include "labels/label_dialogs.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>
#include <utility>

#include "labels/font_controls.h"
#include "platform/common_dialogs.h"
#include "platform/dialog_controls.h"
#include "platform/dialog_service.h"
#include "platform/limits.h"
#include "platform/message_box.h"

namespace plotix {

namespace {

constexpr int kReach = 100;  // how far beyond the bitmap a coordinate may be typed

struct TStyleChoice {
  const char* caption;
  int code;
};
using TStyles = std::initializer_list<TStyleChoice>;

const TStyles kLinePens = {{"Solid Line", psSolid},
                           {"Dash Line", psDash},
                           {"Dot Line", psDot},
                           {"Dash Dot Line", psDashDot},
                           {"Dash Dot Dot Line", psDashDotDot}};
const TStyles kShapePens = {{"Clear Line", psClear}, {"Solid Line", psSolid},      {"Dash Line", psDash},
                            {"Dot Line", psDot},     {"Dash Dot Line", psDashDot}, {"Dash Dot Dot Line", psDashDotDot}};
const TStyles kLineBrushes = {{"Clear Brush", bsClear}, {"Solid Brush", bsSolid}};
const TStyles kShapeBrushes = {{"Clear Brush", bsClear},
                               {"Solid Brush", bsSolid},
                               {"Horizontal Brush", bsHorizontal},
                               {"Vertical Brush", bsVertical},
                               {"Forward Diagonal Brush", bsFDiagonal},
                               {"Backward Diagonal Brush", bsBDiagonal},
                               {"Cross Brush", bsCross},
                               {"Diagonal Cross Brush", bsDiagCross}};
const TStyles kFillBrushes = {{"Solid Brush", bsSolid},
                              {"Horizontal Brush", bsHorizontal},
                              {"Vertical Brush", bsVertical},
                              {"Forward Diagonal Brush", bsFDiagonal},
                              {"Backward Diagonal Brush", bsBDiagonal},
                              {"Cross Brush", bsCross},
                              {"Diagonal Cross Brush", bsDiagCross}};

QSpinBox* CoordinateField(int value, int extent) {
  auto* spin = new QSpinBox;
  spin->setRange(std::min(-kReach, value), std::max(extent + kReach, value));
  spin->setValue(value);
  return spin;
}

TPointFields AddPoint(QBoxLayout* into, const char* title, TPoint p, const TLabelOwner& owner) {
  TPointFields fields{CoordinateField(p.x, owner.BitmapWidth()), CoordinateField(p.y, owner.BitmapHeight())};
  auto* group = new QGroupBox(QString::fromLatin1(title));
  auto* row = new QHBoxLayout(group);
  for (auto [caption, spin] : {std::pair{"X", fields.X}, std::pair{"Y", fields.Y}}) {
    auto* label = new QLabel(QString::fromLatin1(caption));
    label->setBuddy(spin);
    row->addWidget(label);
    row->addWidget(spin, 1);
  }
  into->addWidget(group);
  return fields;
}

// Radio buttons in two columns; the current style's is pressed.
QButtonGroup* AddStyles(QGridLayout* grid, TStyles styles, int current) {
  auto* group = new QButtonGroup(grid);
  int i = 0;
  for (const TStyleChoice& s : styles) {
    auto* button = new QRadioButton(QString::fromLatin1(s.caption));
    group->addButton(button, s.code);
    button->setChecked(s.code == current);
    grid->addWidget(button, i / 2, i % 2);
    ++i;
  }
  return group;
}

// The chosen style, or the label's own when it is none of the buttons.
int ChosenStyle(const QButtonGroup* group, int current) {
  const int id = group->checkedId();
  return id < 0 ? current : id;
}

TColorSampleButton* AddColor(QGridLayout* grid, int row, const char* changeCaption, TColor color) {
  auto* sample = new TColorSampleButton;
  sample->SetColor(color);
  QHBoxLayout* line = ColorRow(sample, new QPushButton(QString::fromLatin1(changeCaption)));
  line->insertWidget(0, new QLabel(QStringLiteral("Color")));
  grid->addLayout(line, row, 0, 1, 2);
  return sample;
}

TPenFields AddPen(QBoxLayout* into, TStyles styles, const TDrawShape& shape) {
  auto* group = new QGroupBox(QStringLiteral("Pen Attributes"));
  auto* grid = new QGridLayout(group);
  TPenFields pen{};
  pen.Styles = AddStyles(grid, styles, shape.PenStyle);
  const int row = grid->rowCount();
  pen.Color = AddColor(grid, row, "Change Pen Color", shape.PenColor);
  pen.Width = new QScrollBar(Qt::Horizontal);
  pen.Width->setRange(kMinPenWidth, kMaxPenWidth);
  pen.Width->setPageStep(1);
  pen.Width->setValue(std::clamp(shape.PenWidth, kMinPenWidth, kMaxPenWidth));
  pen.WidthNumber = new QLabel;
  pen.WidthNumber->setNum(pen.Width->value());
  QObject::connect(pen.Width, &QScrollBar::valueChanged, pen.WidthNumber, qOverload<int>(&QLabel::setNum));
  auto* width = new QHBoxLayout;
  width->addWidget(new QLabel(QStringLiteral("Width")));
  width->addWidget(pen.Width, 1);
  width->addWidget(pen.WidthNumber);
  grid->addLayout(width, row + 1, 0, 1, 2);
  into->addWidget(group);
  return pen;
}

TBrushFields AddBrush(QBoxLayout* into, const char* title, TStyles styles, int style, TColor color) {
  auto* group = new QGroupBox(QString::fromLatin1(title));
  auto* grid = new QGridLayout(group);
  TBrushFields brush{};
  brush.Styles = AddStyles(grid, styles, style);
  brush.Color = AddColor(grid, grid->rowCount(), "Change Brush Color", color);
  into->addWidget(group);
  return brush;
}

void StorePen(TDrawShape& shape, const TPenFields& pen, const TBrushFields& brush) {
  shape.SetPenStyle(ChosenStyle(pen.Styles, shape.PenStyle));
  shape.PenColor = pen.Color->Color();
  shape.PenWidth = pen.Width->value();
  shape.BrushColor = brush.Color->Color();
  shape.SetBrushStyle(ChosenStyle(brush.Styles, shape.BrushStyle));
}

void Refuse(const char* message, QWidget* field) {
  ShowMessage(TMsgKind::Error, message, TMsgButtons::OK);
  field->setFocus(Qt::OtherFocusReason);
}

// The label text in its font on the graph's background, drawn as the label draws it.
class TTextSample : public QWidget {
 public:
  explicit TTextSample(TColor background) : background_(background), picture_(1, 1) { setMinimumSize(240, 60); }
  void Show(const std::string& text, const TFontDesc& font) {
    text_ = text;
    font_ = font;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    picture_.SetSize(std::max(1, width()), std::max(1, height()));
    TCanvas& canvas = picture_.Canvas();
    canvas.Brush() = {background_, bsSolid};
    canvas.FillRect({0, 0, width(), height()});
    canvas.Font() = font_;
    canvas.TextOut(4, 4, text_);
    QPainter(this).drawImage(0, 0, picture_.Image());
  }

 private:
  TColor background_;
  TBitmap picture_;
  std::string text_;
  TFontDesc font_;
};

}  // namespace

TPoint TPointFields::Value() const { return {X->value(), Y->value()}; }

// ---- TLabelDlg -------------------------------------------------------------------

TLabelDlg::TLabelDlg(const char* caption, QWidget* parent)
    : TOkCancelDlg(parent, QString::fromLatin1(caption), "labels.md#the-label-dialogs") {}

void TLabelDlg::accept() {
  if (!Validate()) return;
  Store();
  QDialog::accept();
}

bool TLabelDlg::CheckOnBitmap(bool touches, QWidget* field) {
  if (!touches) Refuse("The Label Must be on the Graph Bitmap", field);
  return touches;
}

// ---- TFloodFillDlg ---------------------------------------------------------------

TFloodFillDlg::TFloodFillDlg(TDrawFloodFill& label, QWidget* parent)
    : TLabelDlg("Edit Flood Fill Label", parent), label_(label) {
  auto* layout = new QVBoxLayout(this);
  Brush = AddBrush(layout, "Brush Attributes", kFillBrushes, label.BrushStyle, label.FillColor);
  Location = AddPoint(layout, "Location Point (Bitmap Pixels)", label.Seed, label.Owner());
  layout->addWidget(Buttons);
}

void TFloodFillDlg::Store() {
  label_.BrushStyle = ChosenStyle(Brush.Styles, label_.BrushStyle);
  label_.FillColor = Brush.Color->Color();
  label_.Seed = Location.Value();
}

// ---- TLineLabelDlg ---------------------------------------------------------------

TLineLabelDlg::TLineLabelDlg(TDrawLine& label, QWidget* parent)
    : TLineLabelDlg(label, true, "Edit Line Label", parent) {}

TLineLabelDlg::TLineLabelDlg(TDrawFreeHand& label, QWidget* parent)
    : TLineLabelDlg(label, false, "Edit Free Hand Line Label", parent) {}

TLineLabelDlg::TLineLabelDlg(TDrawShape& label, bool hasEnd, const char* caption, QWidget* parent)
    : TLabelDlg(caption, parent), End{nullptr, nullptr}, label_(label) {
  auto* layout = new QVBoxLayout(this);
  Pen = AddPen(layout, kLinePens, label);
  Brush = AddBrush(layout, "Brush Color", kLineBrushes, label.BrushStyle, label.BrushColor);
  Origin = AddPoint(layout, "Origin Point (Bitmap Pixels)", label.P1, label.Owner());
  if (hasEnd) End = AddPoint(layout, "End Point (Bitmap Pixels)", label.P2, label.Owner());
  layout->addWidget(Buttons);
}

std::pair<TPoint, TPoint> TLineLabelDlg::NewPoints() const {
  const TPoint origin = Origin.Value();
  if (End.X) return {origin, End.Value()};
  return {origin, {origin.x + (label_.P2.x - label_.P1.x), origin.y + (label_.P2.y - label_.P1.y)}};
}

bool TLineLabelDlg::Validate() {
  const auto [p1, p2] = NewPoints();
  return CheckOnBitmap(label_.TouchesBitmap(p1, p2), Origin.X);
}

void TLineLabelDlg::Store() {
  StorePen(label_, Pen, Brush);
  std::tie(label_.P1, label_.P2) = NewPoints();
}

// ---- TShapeLabelDlg --------------------------------------------------------------

TShapeLabelDlg::TShapeLabelDlg(TDrawInclosedShape& label, QWidget* parent)
    : TLabelDlg("Edit Rectangle/Ellipse/Round Rectangle Label", parent), label_(label) {
  auto* layout = new QVBoxLayout(this);
  auto* attributes = new QHBoxLayout;
  Pen = AddPen(attributes, kShapePens, label);
  Brush = AddBrush(attributes, "Brush Attributes", kShapeBrushes, label.BrushStyle, label.BrushColor);
  layout->addLayout(attributes);
  const TPoint topLeft{std::min(label.P1.x, label.P2.x), std::min(label.P1.y, label.P2.y)};
  const TPoint bottomRight{std::max(label.P1.x, label.P2.x), std::max(label.P1.y, label.P2.y)};
  TopLeft = AddPoint(layout, "Top Left Point (Bitmap Pixels)", topLeft, label.Owner());
  BottomRight = AddPoint(layout, "Bottom Right Point (Bitmap Pixels)", bottomRight, label.Owner());
  auto* kinds = new QGroupBox(QStringLiteral("Shape Type"));
  auto* kindGrid = new QGridLayout(kinds);
  ShapeType = AddStyles(
      kindGrid, {{"Rectangle", ltRectangle}, {"Ellipse", ltEllipse}, {"Round Rectangle", ltRoundRect}}, label.Kind);
  layout->addWidget(kinds);
  layout->addWidget(Buttons);
}

bool TShapeLabelDlg::Validate() {
  const TPoint a = TopLeft.Value(), b = BottomRight.Value();
  if (a.x > b.x) {
    Refuse("Top Left X Must be <= Bottom Right X", TopLeft.X);
    return false;
  }
  if (a.y > b.y) {
    Refuse("Top Left Y Must be <= Bottom Right Y", TopLeft.Y);
    return false;
  }
  return CheckOnBitmap(label_.TouchesBitmap(a, b), TopLeft.X);
}

void TShapeLabelDlg::Store() {
  StorePen(label_, Pen, Brush);
  label_.P1 = TopLeft.Value();
  label_.P2 = BottomRight.Value();
  label_.Kind = ChosenStyle(ShapeType, label_.Kind);
}

// ---- TTextLabelDlg ---------------------------------------------------------------

TTextLabelDlg::TTextLabelDlg(TDrawText& label, QWidget* parent)
    : TLabelDlg("Edit Text Label", parent),
      LabelText(new QLineEdit),
      FontFields(new TFontControls(this)),
      FontDialogButton(new QPushButton(QStringLiteral("Font Dialog"))),
      label_(label) {
  auto* sample = new TTextSample(label.Owner().BackgroundColor());
  Sample = sample;
  const QString text = QString::fromStdString(label.Text);
  // A text read from a file may be longer than the field would take by default.
  LabelText->setMaxLength(std::max(LabelText->maxLength(), int(text.size())));
  LabelText->setText(text);
  LabelText->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 40);
  FontFields->SetFont(label.Font);

  auto* attributes = new QGroupBox(QStringLiteral("Label Attributes"));
  auto* grid = new QGridLayout(attributes);
  const auto addRow = [grid](const char* caption, QWidget* field) {
    const int row = grid->rowCount();
    auto* name = new QLabel(QString::fromLatin1(caption));
    name->setBuddy(field);
    grid->addWidget(name, row, 0);
    grid->addWidget(field, row, 1);
  };
  addRow("Label Text", LabelText);
  addRow("Font", FontFields->Name);
  addRow("Font Size", FontFields->Size);
  auto* styles = new QWidget;
  auto* styleRow = new QHBoxLayout(styles);
  styleRow->setContentsMargins(0, 0, 0, 0);
  for (QToolButton* button : {FontFields->Bold, FontFields->Italic, FontFields->Underline}) styleRow->addWidget(button);
  styleRow->addStretch();
  styleRow->addWidget(FontDialogButton);
  addRow("Font Style", styles);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(attributes);
  TopLeft = AddPoint(layout, "Top Left Point (Bitmap Pixels)", label.P1, label.Owner());
  auto* sampleFrame = new QGroupBox(QStringLiteral("Sample Label Text"));
  (new QVBoxLayout(sampleFrame))->addWidget(Sample);
  layout->addWidget(sampleFrame);
  layout->addWidget(Buttons);

  const auto showSample = [this, sample] { sample->Show(LabelText->text().toStdString(), FontFields->Font()); };
  connect(LabelText, &QLineEdit::textChanged, this, showSample);
  connect(FontFields, &TFontControls::FontChanged, this, showSample);
  connect(FontDialogButton, &QPushButton::clicked, this, [this, showSample] {
    TFontDesc font = FontFields->Font();
    if (!PickFont(this, font)) return;
    FontFields->SetFont(font);
    showSample();
  });
  showSample();
}

bool TTextLabelDlg::Validate() {
  TDrawText moved(label_.Owner());
  moved.SetText(TopLeft.Value(), LabelText->text().toStdString(), FontFields->Font());
  return CheckOnBitmap(moved.TouchesBitmap(moved.P1, moved.P2), TopLeft.X);
}

void TTextLabelDlg::Store() { label_.SetText(TopLeft.Value(), LabelText->text().toStdString(), FontFields->Font()); }

void RegisterLabelDialogs(TDialogService& service) {
  RegisterModal<TFloodFillDlg, TDrawFloodFill>(service);
  RegisterModal<TLineLabelDlg, TDrawLine>(service);
  RegisterModal<TLineLabelDlg, TDrawFreeHand>(service);
  RegisterModal<TShapeLabelDlg, TDrawInclosedShape>(service);
  RegisterModal<TTextLabelDlg, TDrawText>(service);
}

}  // namespace plotix
