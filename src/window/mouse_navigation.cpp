#include "window/mouse_navigation.h"

#include <QMouseEvent>
#include <QWheelEvent>
#include <cstdlib>

#include "window/graph_window.h"

namespace plotix {

namespace {
constexpr int kNotch = 120;  // QWheelEvent's angle delta of one wheel notch

// Ctrl zooms the x axis alone, Shift the y axis; both or neither zoom both axes.
TZoomAxes WheelAxes(Qt::KeyboardModifiers modifiers) {
  const bool ctrl = modifiers & Qt::ControlModifier, shift = modifiers & Qt::ShiftModifier;
  if (ctrl == shift) return TZoomAxes::Both;
  return ctrl ? TZoomAxes::X : TZoomAxes::Y;
}
}  // namespace

TMouseNavigation::TMouseNavigation(TFuncGraphWindow& window) : QObject(&window), window_(window) {}

bool TMouseNavigation::eventFilter(QObject*, QEvent* event) {
  switch (event->type()) {
    case QEvent::Wheel: {
      auto* wheel = static_cast<QWheelEvent*>(event);
      // Some systems turn Shift+wheel into a sideways wheel.
      const QPoint angle = wheel->angleDelta();
      wheelDelta_ += angle.y() != 0 ? angle.y() : angle.x();
      const TPoint at = BitmapPixel(wheel->position());
      while (std::abs(wheelDelta_) >= kNotch) {
        const bool in = wheelDelta_ > 0;
        wheelDelta_ -= in ? kNotch : -kNotch;
        window_.LeaveMode();
        window_.TrackMouse(at.x, at.y);
        window_.WheelZoom(at, in, WheelAxes(wheel->modifiers()));
      }
      return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::MiddleButton) return false;
      window_.LeaveMode();
      dragging_ = true;
      dragPoint_ = BitmapPixel(mouse->position());
      return true;
    }
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (!dragging_) return false;
      const TPoint p = BitmapPixel(mouse->position());
      window_.DragView(p.x - dragPoint_.x, p.y - dragPoint_.y);
      window_.TrackMouse(p.x, p.y);  // also where a clamp kept the view
      dragPoint_ = p;
      return true;
    }
    case QEvent::MouseButtonRelease: {
      if (static_cast<QMouseEvent*>(event)->button() != Qt::MiddleButton) return false;
      dragging_ = false;
      return true;
    }
    case QEvent::Leave:
      // No position on the bitmap any more: the status line's mouse panel clears.
      window_.TrackMouse(-1, -1);
      return false;
    default: return false;
  }
}

}  // namespace plotix
