#pragma once
// What the user was told, as "kind|buttons|text" lines, so one expectation holds a whole
// exchange of messages: "E|OK|Error Loading File\n".

#include <iterator>
#include <string>

#include "platform/message_box.h"

namespace plotix {

inline std::string Told(const TScriptedMsgHandler& handler) {
  static const char* const kinds[] = {"E", "W", "I", "C"};
  static const char* const buttons[] = {"OK", "YNC", "OC", "OCI", "AR", "YN", "OA"};
  static_assert(std::size(buttons) == int(TMsgButtons::OKAbort) + 1, "one word for each button set");
  std::string out;
  for (const auto& s : handler.shown)
    out += std::string(kinds[int(s.kind)]) + "|" + buttons[int(s.buttons)] + "|" + s.text + "\n";
  return out;
}

inline std::string Told(TScopedScriptedMessages& messages) { return Told(*messages); }

}  // namespace plotix
