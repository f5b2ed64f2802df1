#pragma once
// What the dialogs that set a flat view exactly share: named number fields, the pixel
// centre boxes, the zoom field's range check, and number fields that act when left.

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "platform/extended.h"

class QDialog;
class QDialogButtonBox;
class QGroupBox;
class QSpinBox;

namespace plotix {

class TEditMathConst;

// A number field named for its messages.
TEditMathConst* ViewField(const char* name);
// A box for a centre in pixels from the middle, within ±100000.
QSpinBox* PixelField();
// The "View Center (Pixels From Center)" group of the two pixel boxes.
QGroupBox* PixelCenterGroup(QSpinBox* x, QSpinBox* y);
// A value as the view fields show it.
QString ViewText(Extended value);

// Leaving a zoom field: a value within the zoom limits goes to `zoom` and `changed` runs;
// else `message` asks, Cancel puts the old zoom back, Ignore takes the nearer limit. False
// when a message was shown and the focus went back to the field.
bool ZoomFieldExit(TEditMathConst* field, Extended& zoom, const std::string& message,
                   const std::function<void()>& changed);

// Makes a dialog's number fields act when left: an edited field runs `exit` when the focus
// moves on (not to Cancel: a text about to be dropped is no reason to complain) and on
// Enter, where a refused value keeps the dialog open.
class TFieldExits : public QObject {
 public:
  TFieldExits(QDialog* dialog, QDialogButtonBox* buttons, std::vector<TEditMathConst*> fields,
              std::function<bool(TEditMathConst*)> exit);

  // Runs the exit of each field edited but not yet left, as OK does; false at the first
  // refusal.
  bool LeaveEdited();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Leave(TEditMathConst* field);

  std::vector<TEditMathConst*> fields_;
  std::function<bool(TEditMathConst*)> exit_;
  bool leaving_ = false;  // a message box of an exit is open
};

}  // namespace plotix
