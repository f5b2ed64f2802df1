#pragma once
// The modify dialogs of the labels, one per label class: each loads its label, refuses an
// OK that would leave the label off the graph bitmap (or a box turned inside out), and
// writes back only on OK.

#include "labels/drawing_labels.h"
#include "platform/dialog_controls.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QSpinBox;

namespace plotix {

class TColorSampleButton;
class TDialogService;
class TFontControls;

// Two spin fields for a point in bitmap pixels. Their range runs from 100 pixels before
// the bitmap to 100 beyond it, widened at either end to hold the current value.
struct TPointFields {
  QSpinBox* X;
  QSpinBox* Y;
  TPoint Value() const;
};

// Pen style buttons (ids: style codes), colour and width 1..10.
struct TPenFields {
  QButtonGroup* Styles;
  TColorSampleButton* Color;
  QScrollBar* Width;
  QLabel* WidthNumber;
};

// Brush style buttons (ids: style codes) and colour.
struct TBrushFields {
  QButtonGroup* Styles;
  TColorSampleButton* Color;
};

// What the label dialogs share: OK and Cancel, and the check that keeps labels on the
// bitmap.
class TLabelDlg : public TOkCancelDlg {
  Q_OBJECT

 public:
  void accept() override;

 protected:
  TLabelDlg(const char* caption, QWidget* parent);
  // Checks the fields; false after the message, with the focus on the offending field.
  virtual bool Validate() = 0;
  virtual void Store() = 0;
  // "The Label Must be on the Graph Bitmap" unless touches, the focus on field.
  static bool CheckOnBitmap(bool touches, QWidget* field);
};

class TFloodFillDlg : public TLabelDlg {
  Q_OBJECT

 public:
  TFloodFillDlg(TDrawFloodFill& label, QWidget* parent = nullptr);

  TBrushFields Brush;
  TPointFields Location;

 protected:
  bool Validate() override { return true; }  // a seed off the bitmap just fills nothing
  void Store() override;

 private:
  TDrawFloodFill& label_;
};

// Lines, and free-hand strokes, which have no end point to edit: their whole stroke moves
// with the origin.
class TLineLabelDlg : public TLabelDlg {
  Q_OBJECT

 public:
  TLineLabelDlg(TDrawLine& label, QWidget* parent = nullptr);
  TLineLabelDlg(TDrawFreeHand& label, QWidget* parent = nullptr);

  TPenFields Pen;
  TBrushFields Brush;
  TPointFields Origin;
  TPointFields End;  // null fields for a free-hand stroke

 protected:
  bool Validate() override;
  void Store() override;

 private:
  TLineLabelDlg(TDrawShape& label, bool hasEnd, const char* caption, QWidget* parent);
  // Where the label's points go: a stroke's end follows its origin.
  std::pair<TPoint, TPoint> NewPoints() const;

  TDrawShape& label_;
};

// Rectangles, ellipses and rounded rectangles.
class TShapeLabelDlg : public TLabelDlg {
  Q_OBJECT

 public:
  TShapeLabelDlg(TDrawInclosedShape& label, QWidget* parent = nullptr);

  TPenFields Pen;
  TBrushFields Brush;
  TPointFields TopLeft;
  TPointFields BottomRight;
  QButtonGroup* ShapeType;  // ids: ltRectangle, ltEllipse, ltRoundRect

 protected:
  bool Validate() override;
  void Store() override;

 private:
  TDrawInclosedShape& label_;
};

class TTextLabelDlg : public TLabelDlg {
  Q_OBJECT

 public:
  TTextLabelDlg(TDrawText& label, QWidget* parent = nullptr);

  QLineEdit* LabelText;
  TFontControls* FontFields;
  QPushButton* FontDialogButton;
  TPointFields TopLeft;
  QWidget* Sample;

 protected:
  bool Validate() override;
  void Store() override;

 private:
  TDrawText& label_;
};

// Makes every label's EditDialog run its dialog above.
void RegisterLabelDialogs(TDialogService& service);

}  // namespace plotix
