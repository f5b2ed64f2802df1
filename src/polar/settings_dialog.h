#pragma once
// TSettingsPolarDlg: edits a polar graph's settings (the axis list and the axes' look,
// the ticks, the tick labels, the background colour and the restricting radius).

#include "platform/dialog_controls.h"
#include "polar/settings.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSpinBox;

namespace plotix {

class TColorSampleButton;
class TEditMathConst;

class TSettingsPolarDlg : public TOkCancelDlg {
  Q_OBJECT

 public:
  // Loads the controls from the settings; OK writes them back, Cancel leaves them alone.
  explicit TSettingsPolarDlg(TSettingPolarObj& settings, QWidget* parent = nullptr);

  // Reads the axis list memo again and validates the two number fields; a failure keeps
  // the dialog open.
  void accept() override;

  // What leaving the axis list memo does: the whole text is read into the working list,
  // which is then shown sorted and cleaned. On a line that is no number the error is
  // shown, the list is kept (or reset to the one the dialog opened with, if the user
  // asks) and false returned with the focus back in the memo.
  bool AxisListExit();
  // The standard axis list dialog; its list replaces the working list.
  void StandardListClick();

  QPlainTextEdit* EAxisList;
  QPushButton* Button1;
  QPushButton* AxisColorButton;
  TColorSampleButton* EAxisColorSample;
  QScrollBar* EAxisWidth;
  QLabel* EAxisWidthLabel;
  QButtonGroup* AxisLineStyle;  // ASolidPen .. ADashDotDotPen, ids the pen styles
  TEditMathConst* ETickMarkIncrements;
  QPushButton* TickMarkColorButton;
  TColorSampleButton* ETickMarkColorSample;
  QRadioButton* EDashes;
  QRadioButton* ECircles;
  QRadioButton* ENoTicks;
  QButtonGroup* TickMarkType;  // ids the tick types
  QScrollBar* ETickMarkSize;
  QLabel* SizeTypeLabel;
  QLabel* ETMSizeLabel;
  QButtonGroup* CircleStyle;  // CSolidPen .. CDashDotDotPen
  QCheckBox* ELabelTickMarks;
  QComboBox* ETMLabelFormat;
  QCheckBox* EShowTMLabelComa;
  QCheckBox* EShowTMLabelPlus;
  QSpinBox* ELabelDecimalPlaces;
  QLabel* TextFieldTMLabelDP;
  QPushButton* LabelFontButton;
  QLabel* LabelFontText;
  QPushButton* BackColorButton;
  TColorSampleButton* EBackColorSample;
  QCheckBox* ERestrict;
  TEditMathConst* ERestrictAmt;

  // The working list, which OK stores.
  std::int32_t AxisCount() const { return axisCount_; }
  const TAxisAngles& AxisAngles() const { return axisAngles_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowAxisList();
  // The size scroll bar serves dash length and circle width: its position is kept for
  // the type shown before, and the new type's value shown.
  void TickTypeChanged();
  void FormatChanged();
  void FontClick();

  TSettingPolarObj& settings_;
  std::int32_t axisCount_;
  TAxisAngles axisAngles_;
  int dashLength_, circleWidth_;
  int shownType_;  // the tick type the size scroll bar shows; -1 before loading
  TFontDesc font_;
  bool loading_ = false;
  bool readingList_ = false;  // a message of AxisListExit is open
};

}  // namespace plotix
