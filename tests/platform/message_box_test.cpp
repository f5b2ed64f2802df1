#include "platform/message_box.h"

#include <gtest/gtest.h>

namespace plotix {
namespace {

TEST(MessageService, ScriptedHandlerRecordsAndAnswersInOrder) {
  TScopedScriptedMessages messages;
  messages->QueueAnswer(TMsgAnswer::Retry);
  EXPECT_EQ(ShowMessage(TMsgKind::Error, "Error Reading From File", TMsgButtons::AbortRetry), TMsgAnswer::Retry);
  // With the queue empty every question gets its cancelling answer.
  const struct {
    TMsgButtons buttons;
    TMsgAnswer answer;
  } cases[] = {{TMsgButtons::OK, TMsgAnswer::OK},
               {TMsgButtons::YesNoCancel, TMsgAnswer::Cancel},
               {TMsgButtons::OKCancel, TMsgAnswer::Cancel},
               {TMsgButtons::OKCancelIgnore, TMsgAnswer::Cancel},
               {TMsgButtons::AbortRetry, TMsgAnswer::Abort},
               {TMsgButtons::YesNo, TMsgAnswer::No}};
  for (const auto& c : cases) EXPECT_EQ(ShowMessage(TMsgKind::Confirmation, "?", c.buttons), c.answer);
  ASSERT_EQ(messages->shown.size(), 7u);
  EXPECT_EQ(messages->shown[0].text, "Error Reading From File");
  EXPECT_EQ(messages->shown[0].kind, TMsgKind::Error);
  EXPECT_EQ(messages->shown[0].buttons, TMsgButtons::AbortRetry);
}

TEST(MessageService, ScopesRestoreThePreviousHandler) {
  TScopedScriptedMessages outer;
  {
    TScopedScriptedMessages inner;
    ShowMessage(TMsgKind::Information, "inner");
    EXPECT_EQ(inner->shown.size(), 1u);
  }
  ShowMessage(TMsgKind::Information, "outer");
  ASSERT_EQ(outer->shown.size(), 1u);
  EXPECT_EQ(outer->shown[0].text, "outer");
}

TEST(MessageService, StderrHandlerPrintsAndCancels) {
  TStderrMsgHandler handler;
  testing::internal::CaptureStderr();
  EXPECT_EQ(handler.Show(TMsgKind::Warning, "Existing File Is Not A Plotix Data File, Do You Want To Overwrite?",
                         TMsgButtons::OKCancel),
            TMsgAnswer::Cancel);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Warning: Existing File Is Not A Plotix Data File, Do You Want To Overwrite?\n");
}

}  // namespace
}  // namespace plotix
