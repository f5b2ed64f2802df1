#include "labels/label_list.h"

#include "files/graph_file.h"

namespace plotix {

namespace {

// The shortest label records, to check a count against the bytes left: format 2 a type
// code and a flood fill; format 1 a type code byte and a line, or a flood fill alone.
constexpr std::size_t kMinRecord2 = 4 + 13;
constexpr std::size_t kMinRecord1 = 1 + 17;
constexpr std::size_t kFloodFillRecord1 = 9;

// A count that the list's room or the bytes left can not hold is a load error.
std::int32_t CheckCount(std::int32_t count, std::size_t minBytes, const TReadGraphFile& reader,
                        const TLabelList& labels) {
  return reader.CheckCount(count, kMaxLabels - std::int32_t(labels.size()), minBytes);
}

void ReadLabel(int typeCode, TReadGraphFile& reader, TLabelOwner& owner, TLabelList& labels) {
  std::unique_ptr<TDrawBaseClass> label = CreateLabel(typeCode, owner);
  if (!label) GraphLoadError();
  label->LoadFromFile(reader);
  labels.push_back(std::move(label));
}

}  // namespace

std::unique_ptr<TDrawBaseClass> CreateLabel(int typeCode, TLabelOwner& owner) {
  switch (typeCode) {
    case ltLine: return std::make_unique<TDrawLine>(owner);
    case ltFloodFill: return std::make_unique<TDrawFloodFill>(owner);
    case ltRectangle:
    case ltEllipse:
    case ltRoundRect: return std::make_unique<TDrawInclosedShape>(owner, typeCode);
    case ltText: return std::make_unique<TDrawText>(owner);
    case ltFreeHand: return std::make_unique<TDrawFreeHand>(owner);
    default: return nullptr;
  }
}

void DrawLabels(const TLabelList& labels) {
  for (const auto& label : labels) label->Draw();
}

void WriteLabelList(TWriteGraphFile& writer, const TLabelList& labels) {
  writer.WriteInt32(std::int32_t(labels.size()));
  for (const auto& label : labels) label->SaveToFile(writer);
}

void ReadLabelList(TReadGraphFile& reader, TLabelOwner& owner, TLabelList& labels) {
  if (reader.FormatVersion() != 1) {
    const std::int32_t count = reader.ReadInt32();
    CheckCount(count, kMinRecord2, reader, labels);
    for (std::int32_t i = 0; i < count; ++i) ReadLabel(reader.ReadInt32(), reader, owner, labels);
    return;
  }
  // Format 1 knows no free hand, and stores its flood fills after the other labels.
  const int count = reader.ReadInt16();
  CheckCount(count, kMinRecord1, reader, labels);
  for (int i = 0; i < count; ++i) {
    const int code = reader.ReadByte();
    if (code == ltFloodFill || code == ltFreeHand) GraphLoadError();
    ReadLabel(code, reader, owner, labels);
  }
  const int fills = reader.ReadInt16();
  CheckCount(fills, kFloodFillRecord1, reader, labels);
  for (int i = 0; i < fills; ++i) ReadLabel(ltFloodFill, reader, owner, labels);
}

}  // namespace plotix
