#pragma once
// TChangePolarViewDlg: sets a polar view exactly, by its centre (in polar or Cartesian
// graph coordinates, or in pixels from the pole) and its zoom.

#include "platform/dialog_controls.h"
#include "polar/settings.h"

class QRadioButton;
class QSpinBox;

namespace plotix {

class TEditMathConst;
class TFieldExits;

// Whether the view dialog shows theta in radians (else degrees); kept while the program runs.
bool& ThetaInRadians();

class TChangePolarViewDlg : public TOkCancelDlg {
  Q_OBJECT

 public:
  // Loads the dialog from the view; OK writes it back, Cancel leaves it alone.
  explicit TChangePolarViewDlg(TPolarView& view, QWidget* parent = nullptr);

  void accept() override;

  // What leaving a field does (OK also runs it for a field edited but not yet left). The
  // pixel centre is the master: an accepted entry moves it, and every field is shown
  // back from it. False when a message was shown and the focus went back to the field.
  bool PolarExit(TEditMathConst* field);
  bool CartesianExit(TEditMathConst* field);
  bool ZoomExit();

  Extended Zoom() const { return zoom_; }

  TEditMathConst* EPolarR;
  TEditMathConst* EPolarTheta;
  QRadioButton* EDegrees;
  QRadioButton* ERadians;
  TEditMathConst* ECartesianX;
  TEditMathConst* ECartesianY;
  QSpinBox* EPixelsX;
  QSpinBox* EPixelsY;
  TEditMathConst* EViewZoom;

 private:
  // Every coordinate field from the pixel centre and the zoom.
  void Recompute();
  void ShowTheta();
  // The centre moved to a point in graph units, limited to ±100000 pixels.
  void SetPixels(Extended x, Extended y);

  TPolarView& view_;
  Extended zoom_;
  Extended r_ = 0, theta_ = 0;  // theta in radians
  TFieldExits* exits_;
};

}  // namespace plotix
