#pragma once
// TFuncPolarWindow: the polar graph window. It shows a TGraphPolarDoc and fills the
// "F&unction" and "&View" menus: functions, zoom, scroll, page and centre.

#include "polar/polar_document.h"
#include "polar/settings_dialog.h"
#include "polar/view_dialog.h"
#include "window/kind_window.h"

namespace plotix {

class TFuncPolarWindow : public TKindWindow<TGraphPolarDoc, TSettingsPolarDlg, TChangePolarViewDlg> {
  Q_OBJECT

 public:
  explicit TFuncPolarWindow(QWidget* parent = nullptr);
  ~TFuncPolarWindow() override;

  std::string GetGraphTypeName() const override { return "Polar"; }
  void UpdateViewStatus() override;
  void ZoomIn() override;
  void ZoomOut() override;
  void CenterFunctionView() override;

  void MoveView(Extended dx, Extended dy) override;
  void WheelZoom(TPoint at, bool in, TZoomAxes axes) override;

  // The function dialog on a new function; true when one was added (the window redrew).
  bool AddPolarFunction();

 protected:
  bool TypesFunctions() const override { return true; }
  std::unique_ptr<TFuncPolarObj> ReadTyped(const std::string& text, const std::string& name,
                                           TGraphScope& scope) const override {
    return TFuncPolarObj::FromTyped(text, name, scope);
  }
};

// Makes polar graphs known to the program: their document, window and dialogs.
void RegisterPolarGraphs();

}  // namespace plotix
