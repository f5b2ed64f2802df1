#include "window/graph_document.h"

#include <algorithm>
#include <new>

#include "platform/canvas.h"
#include "platform/message_box.h"

namespace plotix {

// ---- TDocLabelOwner ----------------------------------------------------------

TDocLabelOwner::TDocLabelOwner(const TGraphDoc& doc) : doc_(doc) {}
TDocLabelOwner::~TDocLabelOwner() = default;

TCanvas& TDocLabelOwner::Canvas() {
  if (target_) return target_->Canvas();
  if (!scratch_) scratch_ = std::make_unique<TBitmap>(1, 1);
  return scratch_->Canvas();
}

int TDocLabelOwner::BitmapWidth() const { return loadingWidth_ ? loadingWidth_ : doc_.BitmapWidth(); }
int TDocLabelOwner::BitmapHeight() const { return loadingHeight_ ? loadingHeight_ : doc_.BitmapHeight(); }
TColor TDocLabelOwner::BackgroundColor() const { return doc_.BackColor(); }

// ---- TGraphDoc ---------------------------------------------------------------

TGraphDoc::~TGraphDoc() = default;

void TGraphDoc::RenderWithLabels(TBitmap& bitmap) {
  Render(bitmap);
  TBitmap* const previous = labelOwner_.Target();
  labelOwner_.SetTarget(&bitmap);
  DrawLabels(labels_);
  labelOwner_.SetTarget(previous);
}

void TGraphDoc::SetBitmapSize(int width, int height) {
  bitmapWidth_ = width;
  bitmapHeight_ = height;
}

void TGraphDoc::AddLabel(std::unique_ptr<TDrawBaseClass> label) { labels_.push_back(std::move(label)); }

void TGraphDoc::InsertLabel(int index, std::unique_ptr<TDrawBaseClass> label) {
  labels_.insert(labels_.begin() + index, std::move(label));
}

std::unique_ptr<TDrawBaseClass> TGraphDoc::TakeLabel(int index) {
  std::unique_ptr<TDrawBaseClass> label = std::move(labels_[std::size_t(index)]);
  labels_.erase(labels_.begin() + index);
  return label;
}

void TGraphDoc::MoveLabel(int from, int to) {
  const auto at = [this](int i) { return labels_.begin() + i; };
  if (from < to)
    std::rotate(at(from), at(from + 1), at(to + 1));
  else if (from > to)
    std::rotate(at(to), at(from), at(from + 1));
}

std::unique_ptr<TDrawBaseClass> TGraphDoc::ReplaceLabel(int index, std::unique_ptr<TDrawBaseClass> label) {
  std::swap(label, labels_[std::size_t(index)]);
  return label;
}

TLabelList TGraphDoc::SetLabels(TLabelList labels) {
  std::swap(labels, labels_);
  return labels;
}

void TGraphDoc::WriteContent(TWriteGraphFile& w) const {
  w.WriteInt32(bitmapHeight_);
  w.WriteInt32(bitmapWidth_);
  WriteBody(w);
  WriteLabelList(w, labels_);
  WriteExtensions(w);
}

void TGraphDoc::ReadExtensions(TReadGraphFile& r, TBody& body) const {
  while (r.Remaining() > 0) {
    const std::int32_t tag = r.ReadInt32();
    const std::int32_t length = r.ReadInt32();
    if (length < 0) GraphLoadError();
    r.RequireContent(length);
    const long long end = r.Remaining() - length;
    if (!ReadExtension(tag, r, body)) {
      // A tag this version writes for another kind of graph is a damaged file, not a newer one.
      if (IsClaimedRecordTag(tag)) GraphLoadError();
      ShowMessage(TMsgKind::Error, "This graph file needs a newer version of Plotix.", TMsgButtons::OK);
      throw TGraphFileAbort{};
    }
    if (r.Remaining() != end) GraphLoadError();
  }
}

std::vector<std::uint8_t> TGraphDoc::GraphBytes() const {
  TWriteGraphFile w;
  w.OpenInMemory(kind_, FileFormat());
  WriteContent(w);
  return w.TakeBytes();
}

bool TGraphDoc::SaveGraph(const std::string& fileName) const {
  TWriteGraphFile w;
  if (!w.Open(fileName, kind_, FileFormat())) return false;
  try {
    WriteContent(w);
  } catch (const TGraphFileAbort&) {
    return false;  // the writer discards the unfinished file
  } catch (const std::bad_alloc&) {
    ShowMessage(TMsgKind::Error, "Out of Memory", TMsgButtons::OK);
    return false;
  }
  return w.Close();
}

bool TGraphDoc::LoadGraph(TReadGraphFile& r) {
  const bool format1 = r.FormatVersion() == 1;
  try {
    const int height = format1 ? r.ReadInt16() : r.ReadInt32();
    const int width = format1 ? r.ReadInt16() : r.ReadInt32();
    if (height < kMinBitmapSize || height > kMaxBitmapSize || width < kMinBitmapSize || width > kMaxBitmapSize)
      GraphLoadError();
    const std::unique_ptr<TBody> body = ReadBody(r);
    TLabelList labels;
    {
      // Text labels are kept on the bitmap of the size just read.
      labelOwner_.SetLoadingSize(width, height);
      struct TRestore {
        TDocLabelOwner& owner;
        ~TRestore() { owner.SetLoadingSize(0, 0); }
      } restore{labelOwner_};
      ReadLabelList(r, labelOwner_, labels);
    }
    if (r.FormatVersion() >= kNewestFileFormat) ReadExtensions(r, *body);
    FinishBody(*body);
    if (!r.Close()) return false;
    TakeBody(*body);
    SetBitmapSize(width, height);
    labels_ = std::move(labels);
    return true;
  } catch (const TGraphFileAbort&) {
  } catch (const std::bad_alloc&) {
    ShowMessage(TMsgKind::Error, "Out of Memory", TMsgButtons::OK);
  }
  r.Close();
  return false;
}

int TGraphDoc::ReadFunctionCount(TReadGraphFile& r, std::size_t format1Bytes, std::size_t format2Bytes) {
  const bool format1 = r.FormatVersion() == 1;
  return r.CheckCount(format1 ? r.ReadInt16() : r.ReadInt32(), kMaxFunctions, format1 ? format1Bytes : format2Bytes);
}

bool OpenGraph(const std::string& fileName, TGraphDoc& doc) {
  TReadGraphFile reader;
  if (!reader.Open(fileName)) return false;
  if (reader.GraphKind() != doc.Kind()) {
    reader.Close();
    ShowMessage(TMsgKind::Error, "Error Loading File", TMsgButtons::OK);
    return false;
  }
  return doc.LoadGraph(reader);
}

}  // namespace plotix
