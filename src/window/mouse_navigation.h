#pragma once
// Mouse navigation over a graph window's screen copy: the wheel zooms about the point
// under the pointer, a middle-button drag moves the view (3D: turns it), and leaving the
// bitmap clears the mouse position. Left-button gestures stay with the label editing.

#include <QObject>

#include "platform/canvas.h"

namespace plotix {

class TFuncGraphWindow;

class TMouseNavigation : public QObject {
 public:
  // Owned by the window; install it on the window's ScreenImage.
  explicit TMouseNavigation(TFuncGraphWindow& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TFuncGraphWindow& window_;
  int wheelDelta_ = 0;  // eighths of a degree not yet a whole notch (fine-grained wheels)
  bool dragging_ = false;
  TPoint dragPoint_;  // where the middle-button drag was last seen
};

}  // namespace plotix
