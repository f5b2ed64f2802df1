#pragma once
// TFunc2DWindow: the 2D Cartesian graph window. It owns a TGraph2DDoc and adds the
// "F&unction" and "&View" menus: functions, zoom, scroll, page and centre.

#include <QKeySequence>
#include <QList>
#include <functional>

#include "graph/doc2d.h"
#include "graph/graphwin.h"

class QAction;
class QMenu;

namespace plotix {

class TFunc2DWindow : public TFuncGraphWindow {
  Q_OBJECT

 public:
  explicit TFunc2DWindow(QWidget* parent = nullptr);
  ~TFunc2DWindow() override;

  bool AllocateExtra(int width, int height) override;
  bool SaveGraph(const std::string& fileName) override;
  std::string GetGraphTypeName() const override { return "2D Cartesian"; }
  bool LoadGraph(TReadGraphFile& reader) override;
  bool IsColorUsed(TColor color) const override;
  void RenderGraph() override;
  bool EditGraphSettings() override;
  void UpdateViewStatus() override;
  void ZoomIn() override;
  void ZoomOut() override;
  void CenterFunctionView() override;

  int GraphKind() const override { return 1; }
  QList<QMenu*> WindowMenus() const override { return {FunctionMenu, ViewMenu}; }

  // The function dialog on a new function; true when one was added (the window redrew).
  bool AddFunction();
  void EditFunctionList();
  void ChangeView();
  // One axis' zoom one step in or out; redraws when it changed.
  void ZoomAxis(bool xAxis, bool in);
  // Moves the view centre by (dx, dy) scaled units within ±100000; redraws when it moved.
  void MoveView(Extended dx, Extended dy);
  void ScrollUp();
  void ScrollDown();
  void ScrollLeft();
  void ScrollRight();
  void PageUp();
  void PageDown();
  void PageLeft();
  void PageRight();
  void SetXZoomEqualToY();
  void SetYZoomEqualToX();

  TGraph2DDoc Doc;
  QMenu* FunctionMenu;
  QMenu* ViewMenu;

 protected:
  void DrawLabelsOnScreen() override;
  void DeleteLabelsOffBitmap() override;

 private:
  QAction* AddCommand(QMenu* menu, const char* caption, std::function<void()> command,
                      const QKeySequence& shortcut = {});
};

}  // namespace plotix
