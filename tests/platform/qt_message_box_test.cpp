#include "platform/qt_message_box.h"

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "../modal.h"

namespace plotix {
namespace {

struct TBoxCase {
  TMsgKind kind;
  TMsgButtons buttons;
  QMessageBox::Icon icon;
  QMessageBox::StandardButtons offered;
  QMessageBox::StandardButton first;  // the default button
  QMessageBox::StandardButton press;  // NoButton: press Escape
  TMsgAnswer answer;
};

TEST(QtMsgHandler, ShowsKindAndButtonsAndReturnsTheAnswer) {
  using B = QMessageBox;
  const TBoxCase cases[] = {
      {TMsgKind::Error, TMsgButtons::OK, B::Critical, B::Ok, B::Ok, B::Ok, TMsgAnswer::OK},
      {TMsgKind::Error, TMsgButtons::OK, B::Critical, B::Ok, B::Ok, B::NoButton, TMsgAnswer::OK},
      {TMsgKind::Confirmation, TMsgButtons::YesNoCancel, B::Question, B::Yes | B::No | B::Cancel, B::Yes, B::No,
       TMsgAnswer::No},
      {TMsgKind::Confirmation, TMsgButtons::YesNoCancel, B::Question, B::Yes | B::No | B::Cancel, B::Yes, B::NoButton,
       TMsgAnswer::Cancel},
      {TMsgKind::Warning, TMsgButtons::OKCancel, B::Warning, B::Ok | B::Cancel, B::Ok, B::Ok, TMsgAnswer::OK},
      {TMsgKind::Warning, TMsgButtons::OKCancel, B::Warning, B::Ok | B::Cancel, B::Ok, B::NoButton, TMsgAnswer::Cancel},
      {TMsgKind::Information, TMsgButtons::OKCancelIgnore, B::Information, B::Ok | B::Cancel | B::Ignore, B::Ok,
       B::Ignore, TMsgAnswer::Ignore},
      {TMsgKind::Information, TMsgButtons::OKCancelIgnore, B::Information, B::Ok | B::Cancel | B::Ignore, B::Ok,
       B::NoButton, TMsgAnswer::Cancel},
      {TMsgKind::Error, TMsgButtons::AbortRetry, B::Critical, B::Abort | B::Retry, B::Abort, B::Retry,
       TMsgAnswer::Retry},
      {TMsgKind::Error, TMsgButtons::AbortRetry, B::Critical, B::Abort | B::Retry, B::Abort, B::NoButton,
       TMsgAnswer::Abort},
      {TMsgKind::Confirmation, TMsgButtons::YesNo, B::Question, B::Yes | B::No, B::Yes, B::Yes, TMsgAnswer::Yes},
      {TMsgKind::Confirmation, TMsgButtons::YesNo, B::Question, B::Yes | B::No, B::Yes, B::NoButton, TMsgAnswer::No},
  };
  TQtMsgHandler handler;
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.buttons) * 100 + int(c.press));
    OnNextModal([&c](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (!box) {
        ADD_FAILURE() << "not a message box";
        modal->close();
        return;
      }
      EXPECT_EQ(box->windowTitle(), "Plotix");
      EXPECT_EQ(box->text(), "Error in: X: Division by Zero");
      EXPECT_EQ(box->icon(), c.icon);
      EXPECT_EQ(box->standardButtons(), c.offered);
      EXPECT_EQ(box->defaultButton(), static_cast<QPushButton*>(box->button(c.first)));
      if (c.press == QMessageBox::NoButton)
        QTest::keyClick(box, Qt::Key_Escape);
      else
        box->button(c.press)->click();
    });
    EXPECT_EQ(handler.Show(c.kind, "Error in: X: Division by Zero", c.buttons), c.answer);
  }
}

}  // namespace
}  // namespace plotix
