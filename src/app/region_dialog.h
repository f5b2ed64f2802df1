#pragma once
// TSelectedRegionDlg: a graph window's region typed in as two corners in bitmap pixels.

#include "platform/canvas.h"
#include "platform/dialog_controls.h"

class QSpinBox;

namespace plotix {

// The smallest extent a typed region may have on each axis.
constexpr int kMinRegionExtent = 5;

// Left above right and top above bottom by at least kMinRegionExtent.
bool IsRegionLargeEnough(const TRect& rect);

class TSelectedRegionDlg : public TOkCancelDlg {
  Q_OBJECT

 public:
  // rect: the region shown (its corners already ordered); zeros when shown is false.
  TSelectedRegionDlg(const TRect& rect, bool shown, int bitmapWidth, int bitmapHeight, QWidget* parent = nullptr);

  // True on OK, with the typed corners in rect.
  static bool Edit(QWidget* parent, TRect& rect, bool shown, int bitmapWidth, int bitmapHeight);

  TRect Region() const;
  // Refuses a region that is too small, with the message, and keeps the dialog open.
  void accept() override;

  QSpinBox* EX1;
  QSpinBox* EY1;
  QSpinBox* EX2;
  QSpinBox* EY2;
};

}  // namespace plotix
