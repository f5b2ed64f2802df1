#pragma once
// A graph's label list: creating labels by type code, drawing them in order, and the
// label list section of graph files.

#include <memory>
#include <vector>

#include "labels/drawing_labels.h"
#include "platform/limits.h"

namespace plotix {

class TReadGraphFile;
class TWriteGraphFile;

// Index 0 is drawn first and lies at the back.
using TLabelList = std::vector<std::unique_ptr<TDrawBaseClass>>;

// The label of a type code (1..7) with its defaults; nullptr for a code that names no label.
std::unique_ptr<TDrawBaseClass> CreateLabel(int typeCode, TLabelOwner& owner);

void DrawLabels(const TLabelList& labels);

// Int32 count, then each label's type code and record.
void WriteLabelList(TWriteGraphFile& writer, const TLabelList& labels);
// Appends the labels of the reader's format version to the list. A type code that names
// no label, or a count or record that can not be right, shows "Error Loading File" and
// raises TGraphFileAbort before anything is allocated for it.
void ReadLabelList(TReadGraphFile& reader, TLabelOwner& owner, TLabelList& labels);

}  // namespace plotix
