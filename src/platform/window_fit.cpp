#include "platform/window_fit.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <algorithm>

namespace plotix {

namespace {

bool IsOwnWindow(const QWidget* w) {
  const Qt::WindowType type = w->windowType();
  return w->isWindow() && (type == Qt::Window || type == Qt::Dialog || type == Qt::Tool);
}

}  // namespace

QRect FitInArea(const QRect& geometry, const QMargins& frame, const QRect& area) {
  const QRect room = area.marginsRemoved(frame);
  const QSize size = geometry.size().boundedTo(room.size().expandedTo(QSize(1, 1)));
  const int x = std::clamp(geometry.x(), room.left(), std::max(room.left(), room.right() + 1 - size.width()));
  const int y = std::clamp(geometry.y(), room.top(), std::max(room.top(), room.bottom() + 1 - size.height()));
  return {QPoint(x, y), size};
}

namespace {

void FitOnScreen(QWidget* w) {
  if (!w->isVisible() || (w->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)))
    return;
  const QRect frame = w->frameGeometry(), inner = w->geometry();
  // Before the window manager has framed a new window its frame is unknown: a title bar's.
  const QMargins margins = frame == inner ? QMargins(0, w->style()->pixelMetric(QStyle::PM_TitleBarHeight), 0, 0)
                                          : QMargins(inner.left() - frame.left(), inner.top() - frame.top(),
                                                     frame.right() - inner.right(), frame.bottom() - inner.bottom());
  const QRect fitted = FitInArea(inner, margins, w->screen()->availableGeometry());
  if (fitted.size() != inner.size()) w->resize(fitted.size());
  if (fitted.topLeft() != inner.topLeft()) w->move(fitted.topLeft() - QPoint(margins.left(), margins.top()));
}

}  // namespace

bool TScreenFit::eventFilter(QObject* watched, QEvent* event) {
  // Every event of the program passes here: the event type is the cheap test.
  if (event->type() != QEvent::Show || !watched->isWidgetType()) return false;
  auto* w = static_cast<QWidget*>(watched);
  // Once the window has taken its place (a dialog centres itself on its parent as it shows).
  if (IsOwnWindow(w)) QTimer::singleShot(0, w, [w] { FitOnScreen(w); });
  return false;
}

bool TFocusReturn::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if ((type != QEvent::Show && type != QEvent::Hide) || !watched->isWidgetType()) return false;
  auto* w = static_cast<QWidget*>(watched);
  if (!w->isWindow() || !w->isModal()) return false;
  if (type == QEvent::Show) {
    QWidget* focus = QApplication::focusWidget();
    before_[w] = focus && focus->window() != w ? focus : QApplication::activeWindow();
    return false;
  }
  const auto found = before_.find(w);
  if (found == before_.end()) return false;
  const QPointer<QWidget> target = found->second;
  before_.erase(found);
  // Once Qt and the window manager have handled the close, and only where no window of the
  // program is active then. The window's own focus (a field a dialog put it on after its
  // question) wins over the one remembered; a target that went meanwhile (the dialog that
  // asked the question, closed by the answer) is left alone.
  QTimer::singleShot(0, [target] {
    if (!target || !target->isVisible() || QApplication::activeWindow()) return;
    QWidget* window = target->window();
    window->activateWindow();
    if (!window->focusWidget()) target->setFocus(Qt::OtherFocusReason);
  });
  return false;
}

}  // namespace plotix
