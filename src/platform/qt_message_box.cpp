#include "platform/qt_message_box.h"

#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

#include "platform/common_dialogs.h"

namespace plotix {

namespace {
using TButtonAnswer = std::pair<QMessageBox::StandardButton, TMsgAnswer>;

// The buttons of each set in the order they are offered; the first is the default.
std::vector<TButtonAnswer> ButtonAnswers(TMsgButtons buttons) {
  switch (buttons) {
    case TMsgButtons::OK: return {{QMessageBox::Ok, TMsgAnswer::OK}};
    case TMsgButtons::YesNoCancel:
      return {{QMessageBox::Yes, TMsgAnswer::Yes},
              {QMessageBox::No, TMsgAnswer::No},
              {QMessageBox::Cancel, TMsgAnswer::Cancel}};
    case TMsgButtons::OKCancel: return {{QMessageBox::Ok, TMsgAnswer::OK}, {QMessageBox::Cancel, TMsgAnswer::Cancel}};
    case TMsgButtons::OKCancelIgnore:
      return {{QMessageBox::Ok, TMsgAnswer::OK},
              {QMessageBox::Cancel, TMsgAnswer::Cancel},
              {QMessageBox::Ignore, TMsgAnswer::Ignore}};
    case TMsgButtons::AbortRetry:
      return {{QMessageBox::Abort, TMsgAnswer::Abort}, {QMessageBox::Retry, TMsgAnswer::Retry}};
    case TMsgButtons::YesNo: return {{QMessageBox::Yes, TMsgAnswer::Yes}, {QMessageBox::No, TMsgAnswer::No}};
    case TMsgButtons::OKAbort: return {{QMessageBox::Ok, TMsgAnswer::OK}, {QMessageBox::Abort, TMsgAnswer::Abort}};
  }
  return {{QMessageBox::Ok, TMsgAnswer::OK}};
}

QMessageBox::Icon KindIcon(TMsgKind kind) {
  switch (kind) {
    case TMsgKind::Error: return QMessageBox::Critical;
    case TMsgKind::Warning: return QMessageBox::Warning;
    case TMsgKind::Information: return QMessageBox::Information;
    case TMsgKind::Confirmation: return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}
}  // namespace

TMsgAnswer TQtMsgHandler::Show(TMsgKind kind, const std::string& text, TMsgButtons buttons) {
  QMessageBox box(KindIcon(kind), QStringLiteral("Plotix"), QString::fromStdString(text), QMessageBox::NoButton,
                  DialogParent());
  const std::vector<TButtonAnswer> answers = ButtonAnswers(buttons);
  const TMsgAnswer cancelling = CancellingAnswer(buttons);
  for (const auto& [button, answer] : answers) {
    QPushButton* added = box.addButton(button);
    if (answer == cancelling) box.setEscapeButton(added);
  }
  box.setDefaultButton(answers.front().first);
  box.exec();
  const QMessageBox::StandardButton clicked = box.standardButton(box.clickedButton());
  for (const auto& [button, answer] : answers)
    if (button == clicked) return answer;
  return cancelling;
}

}  // namespace plotix
