#include "platform/message_box.h"

#include <cstdio>
#include <utility>

namespace plotix {

namespace {
std::unique_ptr<TMsgHandler>& Installed() {
  static std::unique_ptr<TMsgHandler> handler = std::make_unique<TStderrMsgHandler>();
  return handler;
}

const char* KindWord(TMsgKind kind) {
  switch (kind) {
    case TMsgKind::Error: return "Error";
    case TMsgKind::Warning: return "Warning";
    case TMsgKind::Information: return "Information";
    case TMsgKind::Confirmation: return "Confirmation";
  }
  return "Message";
}
}  // namespace

TMsgAnswer ShowMessage(TMsgKind kind, const std::string& text, TMsgButtons buttons) {
  return Installed()->Show(kind, text, buttons);
}

std::unique_ptr<TMsgHandler> InstallMsgHandler(std::unique_ptr<TMsgHandler> handler) {
  std::swap(Installed(), handler);
  return handler;
}

TMsgAnswer CancellingAnswer(TMsgButtons buttons) {
  switch (buttons) {
    case TMsgButtons::OK:
    case TMsgButtons::OKAbort: return TMsgAnswer::OK;  // Abort goes on to a question
    case TMsgButtons::YesNoCancel:
    case TMsgButtons::OKCancel:
    case TMsgButtons::OKCancelIgnore: return TMsgAnswer::Cancel;
    case TMsgButtons::AbortRetry: return TMsgAnswer::Abort;
    case TMsgButtons::YesNo: return TMsgAnswer::No;
  }
  return TMsgAnswer::Cancel;
}

namespace {
thread_local TCapturedMessages* tCaptured = nullptr;
}  // namespace

TCapturedMessages::TCapturedMessages() : previous_(std::exchange(tCaptured, this)) {}
TCapturedMessages::~TCapturedMessages() { tCaptured = previous_; }

TMsgAnswer TStderrMsgHandler::Show(TMsgKind kind, const std::string& text, TMsgButtons buttons) {
  if (tCaptured)
    tCaptured->lines_.push_back(std::string(KindWord(kind)) + ": " + text);
  else
    std::fprintf(stderr, "%s: %s\n", KindWord(kind), text.c_str());
  return CancellingAnswer(buttons);
}

TMsgAnswer TScriptedMsgHandler::Show(TMsgKind kind, const std::string& text, TMsgButtons buttons) {
  shown.push_back({kind, text, buttons});
  if (answers_.empty()) return CancellingAnswer(buttons);
  const TMsgAnswer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

TScopedScriptedMessages::TScopedScriptedMessages() {
  auto handler = std::make_unique<TScriptedMsgHandler>();
  handler_ = handler.get();
  previous_ = InstallMsgHandler(std::move(handler));
}

TScopedScriptedMessages::~TScopedScriptedMessages() { InstallMsgHandler(std::move(previous_)); }

}  // namespace plotix
