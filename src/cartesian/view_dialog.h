#pragma once
// TChange2DViewDlg: sets a 2D view exactly, by its centre (in graph units or in pixels
// from the origin) and the zoom of each axis.

#include "platform/dialog_controls.h"
#include "window/view_mapping.h"

class QSpinBox;

namespace plotix {

class TEditMathConst;
class TFieldExits;

class TChange2DViewDlg : public TOkCancelDlg {
  Q_OBJECT

 public:
  // Loads the dialog from the view; OK writes it back, Cancel leaves it alone.
  explicit TChange2DViewDlg(TView2D& view, QWidget* parent = nullptr);

  void accept() override;

  // What leaving a field does (OK also runs it for a field edited but not yet left).
  // False when a message was shown and the focus went back to the field.
  bool CartesianExit(TEditMathConst* field);
  bool ZoomExit(TEditMathConst* field);

  Extended ZoomX() const { return zoomX_; }
  Extended ZoomY() const { return zoomY_; }

  TEditMathConst* ECartesianX;
  TEditMathConst* ECartesianY;
  QSpinBox* EPixelsX;
  QSpinBox* EPixelsY;
  TEditMathConst* EXViewZoom;
  TEditMathConst* EYViewZoom;

 private:
  // The graph-unit centre from the pixel centre and the zooms.
  void RefreshCartesian();

  TView2D& view_;
  Extended zoomX_, zoomY_;
  TFieldExits* exits_;
};

}  // namespace plotix
