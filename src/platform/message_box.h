#pragma once
// The one way every part of Plotix shows a message to the user. The application
// installs a Qt handler, tests a scripted one, the command-line modes the stderr one.

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace plotix {

enum class TMsgKind { Error, Warning, Information, Confirmation };
enum class TMsgButtons { OK, YesNoCancel, OKCancel, OKCancelIgnore, AbortRetry, YesNo, OKAbort };
enum class TMsgAnswer { OK, Cancel, Yes, No, Abort, Retry, Ignore };

class TMsgHandler {
 public:
  virtual ~TMsgHandler() = default;
  virtual TMsgAnswer Show(TMsgKind kind, const std::string& text, TMsgButtons buttons) = 0;
};

// Shows one message through the installed handler (the stderr handler until one is installed).
TMsgAnswer ShowMessage(TMsgKind kind, const std::string& text, TMsgButtons buttons = TMsgButtons::OK);

// Installs a handler and returns the previous one.
std::unique_ptr<TMsgHandler> InstallMsgHandler(std::unique_ptr<TMsgHandler> handler);

// The answer that cancels a question with these buttons (OK where OK stands alone).
TMsgAnswer CancellingAnswer(TMsgButtons buttons);

// Prints "Error: text" (or the kind's word) to stderr and answers with the cancelling choice.
class TStderrMsgHandler : public TMsgHandler {
 public:
  TMsgAnswer Show(TMsgKind kind, const std::string& text, TMsgButtons buttons) override;
};

// While one lives on a thread, that thread's messages to stderr are kept in it instead,
// each line as stderr would have it: a batch prints them under the name of their file.
class TCapturedMessages {
 public:
  TCapturedMessages();
  ~TCapturedMessages();
  TCapturedMessages(const TCapturedMessages&) = delete;
  TCapturedMessages& operator=(const TCapturedMessages&) = delete;

  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  friend class TStderrMsgHandler;
  std::vector<std::string> lines_;
  TCapturedMessages* previous_;
};

// Records every message and answers from a queue (the cancelling choice when the queue is empty).
class TScriptedMsgHandler : public TMsgHandler {
 public:
  struct TShown {
    TMsgKind kind;
    std::string text;
    TMsgButtons buttons;
  };
  TMsgAnswer Show(TMsgKind kind, const std::string& text, TMsgButtons buttons) override;
  void QueueAnswer(TMsgAnswer answer) { answers_.push_back(answer); }

  std::vector<TShown> shown;

 private:
  std::deque<TMsgAnswer> answers_;
};

// Installs a scripted handler for the life of the scope and restores the previous one.
class TScopedScriptedMessages {
 public:
  TScopedScriptedMessages();
  ~TScopedScriptedMessages();
  TScopedScriptedMessages(const TScopedScriptedMessages&) = delete;
  TScopedScriptedMessages& operator=(const TScopedScriptedMessages&) = delete;

  TScriptedMsgHandler& operator*() { return *handler_; }
  TScriptedMsgHandler* operator->() { return handler_; }

 private:
  TScriptedMsgHandler* handler_;
  std::unique_ptr<TMsgHandler> previous_;
};

}  // namespace plotix
