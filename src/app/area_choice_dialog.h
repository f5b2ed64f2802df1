#pragma once
// TSelectedAreaDlg: whether an export takes the selected region or the whole bitmap.

#include "platform/dialog_controls.h"

class QRadioButton;

namespace plotix {

enum class TAreaChoice { Cancel, SelectedRect, AllBitmap };

constexpr const char* kAreaToFileCaption = "Area to Save to File";
constexpr const char* kAreaToClipboardCaption = "Area to Paste to Clipboard";

class TSelectedAreaDlg : public TOkCancelDlg {
  Q_OBJECT

 public:
  explicit TSelectedAreaDlg(const char* caption, QWidget* parent = nullptr);

  // Shows the dialog with "Selected Rectangle" preselected.
  static TAreaChoice Choose(QWidget* parent, const char* caption);

  QRadioButton* RBSelected;
  QRadioButton* RBAll;
};

}  // namespace plotix
