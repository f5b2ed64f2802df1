#pragma once
// Messages of the GUI: a modal QMessageBox titled "Plotix" over the active window.

#include "platform/message_box.h"

namespace plotix {

class TQtMsgHandler : public TMsgHandler {
 public:
  // Returns the clicked answer; Escape gives the cancelling one (OK where OK stands alone).
  TMsgAnswer Show(TMsgKind kind, const std::string& text, TMsgButtons buttons) override;
};

}  // namespace plotix
