// The expression record of graph files. It lives with the file primitives because
// the expression engine sits below them.
#include "expr/function_object.h"
#include "files/graph_file.h"

namespace plotix {

namespace {
// Format 1: one unused byte, then a string field of 255 characters.
constexpr int kFormat1TextField = 255;
}  // namespace

void TMathGraphFunc::WriteToFile(TWriteGraphFile& writer) const { writer.WriteLongString(Expression()); }

void TMathGraphFunc::ReadFromFile(TReadGraphFile& reader) {
  if (reader.FormatVersion() == 1) {
    reader.Skip(1);
    SetExpression(reader.ReadShortString(kFormat1TextField));
  } else {
    SetExpression(reader.ReadLongString(kMaxExpressionLength));
  }
  if (!Compile()) GraphLoadError();
}

}  // namespace plotix
