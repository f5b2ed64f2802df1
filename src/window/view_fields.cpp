#include "window/view_fields.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QSpinBox>
#include <utility>

#include "expr/math_const_edit.h"
#include "expr/number_format.h"
#include "platform/message_box.h"
#include "window/view_mapping.h"

namespace plotix {

TEditMathConst* ViewField(const char* name) {
  auto* field = new TEditMathConst;
  field->Check().emCtrlErrorName = name;
  return field;
}

QSpinBox* PixelField() {
  auto* field = new QSpinBox;
  field->setRange(-int(kCenterLimit), int(kCenterLimit));
  return field;
}

QGroupBox* PixelCenterGroup(QSpinBox* x, QSpinBox* y) {
  auto* group = new QGroupBox(QStringLiteral("View Center (Pixels From Center)"));
  auto* form = new QFormLayout(group);
  form->addRow(QStringLiteral("X"), x);
  form->addRow(QStringLiteral("Y"), y);
  return group;
}

QString ViewText(Extended value) { return QString::fromStdString(ShortFixed(value)); }

bool ZoomFieldExit(TEditMathConst* field, Extended& zoom, const std::string& message,
                   const std::function<void()>& changed) {
  if (!field->ValidateOrComplain()) return false;
  const Extended value = field->Value();
  if (value >= kMinZoom && value <= kMaxZoom) {
    zoom = value;
    field->setModified(false);
    changed();
    return true;
  }
  const TMsgAnswer answer = ShowMessage(TMsgKind::Error, message, TMsgButtons::OKCancelIgnore);
  if (answer == TMsgAnswer::Cancel) {
    field->setText(ViewText(zoom));
  } else if (answer == TMsgAnswer::Ignore) {
    zoom = value >= 1 ? kMaxZoom : kMinZoom;
    field->setText(ViewText(zoom));
    changed();
  }
  field->setFocus(Qt::OtherFocusReason);
  field->selectAll();
  return false;
}

TFieldExits::TFieldExits(QDialog* dialog, QDialogButtonBox* buttons, std::vector<TEditMathConst*> fields,
                         std::function<bool(TEditMathConst*)> exit)
    : QObject(dialog), fields_(std::move(fields)), exit_(std::move(exit)) {
  for (TEditMathConst* field : fields_) {
    field->setMinimumWidth(dialog->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 24);
    field->installEventFilter(this);
    connect(field, &QLineEdit::editingFinished, this, [this, field, buttons] {
      if (field->isModified() && QApplication::focusWidget() != buttons->button(QDialogButtonBox::Cancel)) Leave(field);
    });
  }
}

bool TFieldExits::LeaveEdited() {
  for (TEditMathConst* field : fields_)
    if (field->isModified() && !Leave(field)) return false;
  return true;
}

bool TFieldExits::Leave(TEditMathConst* field) {
  if (leaving_) return false;
  leaving_ = true;
  const bool left = exit_(field);
  leaving_ = false;
  return left;
}

bool TFieldExits::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    auto* field = static_cast<TEditMathConst*>(watched);
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && field->isModified() && !Leave(field)) return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace plotix
