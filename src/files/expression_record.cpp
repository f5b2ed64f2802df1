// The expression and parameter records of graph files. They live with the file primitives
// because the expression engine sits below them.
#include <cmath>

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
  if (!Compile() && reader.FormatVersion() < kNewestFileFormat) GraphLoadError();
}

void WriteParameters(TWriteGraphFile& writer, const TParameterList& parameters) {
  writer.WriteInt32(static_cast<std::int32_t>(parameters.size()));
  for (const TParameter& p : parameters) {
    writer.WriteLongString(p.Name);
    for (const Extended v : {p.Value, p.From, p.To, p.Step}) writer.WriteExtended(v);
  }
}

TParameterList ReadParameters(TReadGraphFile& reader) {
  const int count = reader.CheckCount(reader.ReadInt32(), kMaxParameters, 4 + 40);
  TParameterList list;
  for (int i = 0; i < count; ++i) {
    TParameter p;
    p.Name = reader.ReadLongString(kMaxParameterName);
    p.Value = reader.ReadExtended();
    p.From = reader.ReadExtended();
    p.To = reader.ReadExtended();
    p.Step = reader.ReadExtended();
    if (!NameError(p.Name, "Parameter", {}, list).empty() || !std::isfinite(p.Value) || !std::isfinite(p.From) ||
        !std::isfinite(p.To) || !ParameterRangeError(p).empty())
      GraphLoadError();
    list.push_back(p);
  }
  return list;
}

}  // namespace plotix
