#pragma once
// TBitmapAttribDlg: the size and colour depth of a graph window's bitmap.

#include "platform/dialog_controls.h"
#include "platform/limits.h"

class QComboBox;
class QSpinBox;

namespace plotix {

class TBitmapAttribDlg : public TOkCancelDlg {
  Q_OBJECT

 public:
  TBitmapAttribDlg(int width, int height, int depth, QWidget* parent = nullptr);

  // Shows the dialog on the current attributes; true when OK changed any of them
  // (they are written back then).
  static bool Edit(QWidget* parent, int& width, int& height, int& depth);

  // The chosen depth; a depth the list does not hold stays as it was.
  int Depth() const;

  QSpinBox* EBitmapWidth;
  QSpinBox* EBitmapHeight;
  QComboBox* CBColorDepth;

 private:
  int depth_;
};

}  // namespace plotix
