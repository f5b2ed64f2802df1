#pragma once
// Installed on the application, they keep the program's own windows usable whatever the
// screen and the window manager do: every window opens inside the screen's free area, and
// the keyboard focus goes back where it was when a modal dialog or question closes.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <map>

namespace plotix {

// A window shown (the main window with its restored geometry, the help window, a dialog)
// is made no larger than the free area of its screen and moved into it: a geometry saved at
// another screen size or scale keeps the status bar and the title bar within reach. A
// maximised or full-screen window is left as it is.
class TScreenFit : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// The window that had the focus when a modal window opened is active again once it has gone:
// window managers do not always give the focus back, and without it the menus' keys do
// nothing until a click.
class TFocusReturn : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::map<QObject*, QPointer<QWidget>> before_;  // by modal window, while it is shown
};

// The part of the screen a window of the frame margins may take, for its geometry without
// the frame: its size bounded by the area, its place moved inside.
QRect FitInArea(const QRect& geometry, const QMargins& frame, const QRect& area);

}  // namespace plotix
