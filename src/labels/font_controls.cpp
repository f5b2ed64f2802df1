#include "labels/font_controls.h"

#include <QComboBox>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

#include "platform/limits.h"

namespace plotix {

namespace {
constexpr int kUsualSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

// Sizes are written with at least two digits: "08".
QString SizeText(int size) { return QStringLiteral("%1").arg(size, 2, 10, QLatin1Char('0')); }

QToolButton* StyleButton(const char* caption, const char* hint, void (QFont::*set)(bool)) {
  auto* button = new QToolButton;
  button->setText(QString::fromLatin1(caption));
  button->setToolTip(QString::fromLatin1(hint));
  button->setCheckable(true);
  QFont face = button->font();
  (face.*set)(true);
  button->setFont(face);
  return button;
}
}  // namespace

TFontControls::TFontControls(QObject* parent)
    : QObject(parent),
      Name(new QFontComboBox),
      Size(new QComboBox),
      Bold(StyleButton("Bold", "Bold Font", &QFont::setBold)),
      Italic(StyleButton("Italic", "Italic Font", &QFont::setItalic)),
      Underline(StyleButton("Underline", "Underline Font", &QFont::setUnderline)) {
  Name->setToolTip(QStringLiteral("Font Name"));
  Name->setEditable(false);
  Size->setToolTip(QStringLiteral("Font Size"));
  Size->setEditable(true);
  Size->setInsertPolicy(QComboBox::NoInsert);
  Size->setMinimumContentsLength(4);
  connect(Name, &QFontComboBox::currentFontChanged, this, [this](const QFont& face) {
    if (showing_) return;
    font_.name = face.family().toStdString();
    FillSizes();
    emit FontChanged(font_);
  });
  connect(Size, &QComboBox::activated, this, &TFontControls::TakeSize);
  connect(Size->lineEdit(), &QLineEdit::editingFinished, this, &TFontControls::TakeSize);
  for (QToolButton* button : {Bold, Italic, Underline})
    connect(button, &QToolButton::toggled, this, &TFontControls::TakeStyle);
  SetFont(font_);
}

void TFontControls::SetFont(const TFontDesc& font) {
  font_ = font;
  showing_ = true;
  Name->setCurrentFont(QFont(QString::fromStdString(font.name)));
  FillSizes();
  Bold->setChecked(font.style & fsBold);
  Italic->setChecked(font.style & fsItalic);
  Underline->setChecked(font.style & fsUnderline);
  showing_ = false;
}

void TFontControls::FillSizes() {
  const bool wasShowing = std::exchange(showing_, true);
  const QString family = QString::fromStdString(font_.name);
  QList<int> sizes = QFontDatabase::pointSizes(family);
  if (sizes.isEmpty() || QFontDatabase::isSmoothlyScalable(family))
    sizes = {std::begin(kUsualSizes), std::end(kUsualSizes)};
  Size->clear();
  for (int size : sizes) Size->addItem(SizeText(size));
  Size->setEditText(SizeText(font_.size));
  showing_ = wasShowing;
}

// A typed size is held within the sizes a graph file may hold (a font of -9999 points
// would be saved into a file no reader takes) and written back as held.
void TFontControls::TakeSize() {
  if (showing_) return;
  bool ok = false;
  const int typed = Size->currentText().trimmed().toInt(&ok);
  if (ok) {
    const int size = std::clamp(typed, kMinFontSize, kMaxFontSize);
    if (size != font_.size) {
      font_.size = size;
      emit FontChanged(font_);
    }
  }
  Size->setEditText(SizeText(font_.size));
}

void TFontControls::TakeStyle() {
  if (showing_) return;
  const std::uint8_t kept = font_.style & fsStrikeOut;
  font_.style = kept | (Bold->isChecked() ? fsBold : 0) | (Italic->isChecked() ? fsItalic : 0) |
                (Underline->isChecked() ? fsUnderline : 0);
  emit FontChanged(font_);
}

}  // namespace plotix
