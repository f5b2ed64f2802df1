#pragma once
// The graph tool bar's buttons: their order, hints and icons, drawn here so the program
// needs no image files.

#include <QIcon>

namespace plotix {

// The graph tool bar's buttons, in their order on the bar after each graph kind's
// new-graph button.
enum class TGraphButton {
  Open,
  Save,
  CenterFunction,
  CenterBitmap,
  ZoomIn,
  ZoomOut,
  ZoomXIn,
  ZoomXOut,
  ZoomYIn,
  ZoomYOut,
  ScrollUp,
  ScrollDown,
  ScrollLeft,
  ScrollRight,
  PageUp,
  PageDown,
  PageLeft,
  PageRight,
  RotateXMinus,
  RotateXPlus,
  RotateYMinus,
  RotateYPlus,
  RotateZPlus,
  RotateZMinus,
};
constexpr int kGraphButtonCount = int(TGraphButton::RotateZMinus) + 1;
// The buttons from this one on run what the active window offers under their hints.
constexpr int kFirstOfferedButton = int(TGraphButton::ZoomXIn);
constexpr int kToolBarIconSize = 24;

const char* ButtonHint(TGraphButton button);
QIcon ButtonIcon(TGraphButton button);
// The icons of the "&Undo" and "&Redo" commands, which sit after "Save File".
QIcon HistoryIcon(bool redo);

}  // namespace plotix
