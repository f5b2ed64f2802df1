#pragma once
// TSettings3DDlg: edits a 3D graph's settings: each axis line and its end labels, and
// the background colour.

#include <array>

#include "graph3d/settings.h"
#include "platform/dialog_controls.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace plotix {

class TColorSampleButton;

class TSettings3DDlg : public TOkCancelDlg {
  Q_OBJECT

 public:
  // Loads the controls from the settings; OK writes them back, Cancel leaves them alone.
  explicit TSettings3DDlg(TSettings3DObj& settings, QWidget* parent = nullptr);

  void accept() override;

  // One colour for all three axis lines; the X font, when chosen, for all three labels.
  void AllLineColorsClick();
  void AllLabelFontsClick();

  struct TAxisControls {
    QCheckBox* ShowAxisLine;
    QCheckBox* LabelPlusEnd;
    QCheckBox* LabelMinusEnd;
    QCheckBox* ShowPlusSign;
    QCheckBox* ShowMinusSign;
    TColorSampleButton* LineColorSample;
    QPushButton* FontButton;
    QLabel* FontText;
    TFontDesc Font;  // the dialog's copy of the axis' label font
  };
  std::array<TAxisControls, 3> Axes{};  // X, Y, Z
  TColorSampleButton* BackColorSample;
  QPushButton* AllColorsButton;
  QPushButton* AllFontsButton;

 private:
  void SetFont(TAxisControls& c, const TFontDesc& font);

  TSettings3DObj& settings_;
};

}  // namespace plotix
