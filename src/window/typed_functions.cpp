#include "window/typed_functions.h"

#include "expr/math_codes.h"
#include "platform/message_box.h"

namespace plotix {

namespace {

bool IsNameCharacter(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

// The name starting at the index of the line, when a parameter could be called so.
std::string UnknownName(const std::string& text, std::size_t at) {
  std::size_t end = at;
  while (end < text.size() && IsNameCharacter(text[end])) ++end;
  const std::string name = text.substr(at, end - at);
  return NameError(name, "Parameter", {}, {}).empty() ? name : std::string();
}

}  // namespace

TTypedRow TypedRow(const TBaseFuncObj& f, const std::string& text) {
  TTypedRow row;
  row.text = text;
  row.typed = !f.TypedText().empty();
  row.kind = f.KindName();
  // A curve's name is seen nowhere but in the function list; its line says what it is.
  row.label = f.Callable() && !f.Name.empty() ? f.Name : f.TypedText().empty() ? f.GetDescription() : f.TypedText();
  row.color = f.Style.Color;
  row.hidden = f.Hidden;
  row.error.message = f.ErrorText();
  if (row.error.message.empty()) return row;
  // Each definition stands in the line after the one before it; the first that failed
  // says where.
  std::size_t from = 0;
  for (const TMathGraphFunc* d : f.Definitions()) {
    const std::size_t at = text.find(d->Expression(), from);
    if (d->State() == 2) {
      if (at != std::string::npos) from = at + d->Expression().size();
      continue;
    }
    if (at == std::string::npos || d->ErrorPosition() < 1) break;
    row.error.character = int(at) + d->ErrorPosition();
    row.error.message = MathErrorText(d->ErrorCode(), row.error.character);
    if (d->ErrorCode() == meUnknownSymbol)
      row.error.unknownName = UnknownName(text, std::size_t(row.error.character - 1));
    break;
  }
  return row;
}

TTypedRow TypedRow(const TBaseFuncObj& f) {
  const std::string text = f.TypedText();
  return TypedRow(f, text.empty() ? f.GetDescription() : text);
}

TTypedRow UnreadRow(const std::string& text) {
  TTypedRow row;
  row.text = text;
  row.typed = true;
  if (!text.empty()) row.error.message = "Not A Function Or Curve";
  return row;
}

bool ConfirmFunctionDelete(const TBaseFuncObj& f, const std::vector<const TBaseFuncObj*>& functions,
                           const TParameterList& parameters) {
  if (!f.Callable()) return true;
  const std::vector<std::string> users = FunctionsUsing(functions, parameters, &f);
  if (users.empty()) return true;
  std::string list;
  for (const std::string& name : users) list += (list.empty() ? "" : ", ") + name;
  return ShowMessage(TMsgKind::Confirmation, "Function " + f.Name + " Is Used By " + list + ". Delete It Anyway?",
                     TMsgButtons::YesNo) == TMsgAnswer::Yes;
}

}  // namespace plotix
