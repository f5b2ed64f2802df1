#pragma once
// TSettings2DDlg: edits a 2D graph's settings (both axes, their ticks, grids and
// tick labels, and the background colour).

#include "cartesian/settings.h"
#include "platform/dialog_controls.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QSpinBox;

namespace plotix {

class TColorSampleButton;
class TEditMathConst;

class TSettings2DDlg : public TOkCancelDlg {
  Q_OBJECT

 public:
  // Loads the controls from the settings; OK writes them back, Cancel leaves them alone.
  explicit TSettings2DDlg(TSetting2DObj& settings, QWidget* parent = nullptr);

  // Validates and stores; a failure shows its message and keeps the dialog open.
  void accept() override;

  // The controls of one axis. Their object names are the axis' control names
  // ("EXShowAxisLines", "XAxisColorSample", ... and the Y counterparts).
  struct TAxisControls {
    QCheckBox* ShowAxisLines;
    TEditMathConst* LimitLoAxis;
    TEditMathConst* LimitHiAxis;
    TColorSampleButton* AxisColorSample;
    QScrollBar* AxisWidth;
    QLabel* AxisWidthLabel;
    QButtonGroup* AxisStyle;  // button ids are the pen styles 0..4
    QComboBox* TickMarkType;
    TColorSampleButton* TMColorSample;
    TEditMathConst* TickMarkInc;
    QScrollBar* TickMarkLength;
    QLabel* TickMarkLengthLabel;
    QButtonGroup* GridStyle;
    QCheckBox* ShowTMLabels;
    QComboBox* TMLabelFormat;
    QCheckBox* ShowTMLabelComa;
    QCheckBox* ShowTMLabelPlus;
    QSpinBox* TMLabelDecPlaces;
    QLabel* DecPlacesCaption;
    QPushButton* FontButton;
    QLabel* FontText;
    TFontDesc Font;  // the dialog's copy of the axis' label font
  };
  TAxisControls X{}, Y{};
  TColorSampleButton* BackColorSample;

 private:
  QGroupBox* BuildAxis(TAxisControls& c, const QString& axis);
  void Load(TAxisControls& c, const TAxisSettings& axis, const TFontDesc& font);
  void Store(const TAxisControls& c, TAxisSettings& axis, TFontDesc& font) const;
  // Enables the "," and "+" boxes and names the decimals for the axis' format; a change
  // by the user also resets the decimals to the format's default.
  void FormatChanged(TAxisControls& c);
  void FontClick(TAxisControls& c);
  bool ValidateFields();

  TSetting2DObj& settings_;
  bool loading_ = false;
};

}  // namespace plotix
