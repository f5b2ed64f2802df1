#pragma once
// TFunc3DWindow: the 3D Cartesian graph window. It shows a TGraph3DDoc and fills the
// "F&unction" and "&View" menus: surfaces and rotated functions, rotation and zoom.

#include "graph3d/graph3d_document.h"
#include "graph3d/settings_dialog.h"
#include "graph3d/view_dialog.h"
#include "window/kind_window.h"

namespace plotix {

class TFunc3DWindow : public TKindWindow<TGraph3DDoc, TSettings3DDlg, TChange3DViewDlg> {
  Q_OBJECT

 public:
  explicit TFunc3DWindow(QWidget* parent = nullptr);
  ~TFunc3DWindow() override;

  // The edge-index buffer follows the bitmap's size.
  bool AllocateExtra(int width, int height) override;
  std::string GetGraphTypeName() const override { return "3D Cartesian"; }
  void UpdateViewStatus() override;
  void ZoomIn() override;
  void ZoomOut() override;
  // Turns all three angles back to zero.
  void CenterFunctionView() override;

  // One axis' rotation angle one rotation amount up or down.
  void Rotate(TAxis axis, bool plus);
  void WheelZoom(TPoint, bool in, TZoomAxes) override { in ? ZoomIn() : ZoomOut(); }
  // A degree per pixel: dragging right turns + about Y, dragging down + about X.
  void DragView(int dx, int dy) override;

  // The function dialogs on a new function; true when one was added (the window redrew).
  bool AddSurface();
  bool AddRotated();
};

// Makes 3D Cartesian graphs known to the program: their document, window, dialogs and
// the hot key settings.
void RegisterGraph3DGraphs();

}  // namespace plotix
