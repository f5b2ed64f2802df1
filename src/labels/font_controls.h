#pragma once
// The font controls of the label tool bar and the text label dialog: a list of the screen
// fonts, a size list and bold, italic and underline buttons that edit one font together.

#include <QObject>

#include "platform/font_description.h"

class QComboBox;
class QFontComboBox;
class QToolButton;

namespace plotix {

class TFontControls : public QObject {
  Q_OBJECT

 public:
  // The controls are made without a parent: the caller lays them out.
  explicit TFontControls(QObject* parent = nullptr);

  const TFontDesc& Font() const { return font_; }
  // Shows the font in every control; FontChanged is not emitted.
  void SetFont(const TFontDesc& font);

  QFontComboBox* Name;
  QComboBox* Size;  // editable: a typed size counts when the field is left
  QToolButton* Bold;
  QToolButton* Italic;
  QToolButton* Underline;

 signals:
  void FontChanged(const TFontDesc& font);

 private:
  // The sizes the font offers, or the usual list for a scalable font.
  void FillSizes();
  void TakeSize();
  void TakeStyle();

  TFontDesc font_;
  bool showing_ = false;  // controls are being set from font_
};

}  // namespace plotix
