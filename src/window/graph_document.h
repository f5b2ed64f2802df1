#pragma once
// A graph of any kind without a window: its bitmap size and labels, and what its kind adds
// (view, settings, functions). It draws itself onto a bitmap and reads and writes its graph
// file, so graph windows, the headless command line and the tests all draw through it.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "files/graph_file.h"
#include "labels/drawing_labels.h"
#include "labels/label_list.h"
#include "platform/limits.h"

namespace plotix {

// The extension of graph files, without the dot.
constexpr const char* kGraphFileExt = "pxg";

class TBitmap;
class TGraphDoc;

// The label owner of a document: labels draw on the bitmap being rendered, and measure
// their text on a scratch bitmap when none is.
class TDocLabelOwner : public TLabelOwner {
 public:
  explicit TDocLabelOwner(const TGraphDoc& doc);
  ~TDocLabelOwner() override;

  TCanvas& Canvas() override;
  int BitmapWidth() const override;
  int BitmapHeight() const override;
  TColor BackgroundColor() const override;

  // The bitmap labels draw on from now on (null: the scratch bitmap).
  void SetTarget(TBitmap* bitmap) { target_ = bitmap; }
  TBitmap* Target() const { return target_; }
  // The bitmap size labels see while a file is read, before the document takes it;
  // 0 x 0 for the document's own.
  void SetLoadingSize(int width, int height) {
    loadingWidth_ = width;
    loadingHeight_ = height;
  }

 private:
  const TGraphDoc& doc_;
  TBitmap* target_ = nullptr;
  int loadingWidth_ = 0, loadingHeight_ = 0;
  std::unique_ptr<TBitmap> scratch_;
};

class TGraphDoc {
 public:
  // kind: the graph kind's number in graph files.
  explicit TGraphDoc(std::int32_t kind) : kind_(kind) {}
  virtual ~TGraphDoc();
  // Labels hold on to LabelOwner, so a document stays where it was made.
  TGraphDoc(const TGraphDoc&) = delete;
  TGraphDoc& operator=(const TGraphDoc&) = delete;

  std::int32_t Kind() const { return kind_; }
  // The colour the bitmap is cleared with.
  virtual TColor BackColor() const = 0;
  // Whether a function of the graph is drawn in the colour.
  virtual bool IsColorUsed(TColor color) const = 0;
  virtual int FunctionCount() const = 0;
  // A graph with a function or a label holds the user's work: closing it unsaved asks.
  bool IsWorthSaving() const { return FunctionCount() > 0 || !labels_.empty(); }
  // Clears the bitmap with the background colour, draws the kind's frame, then every
  // function in list order, so later functions lie on top.
  virtual void Render(TBitmap& bitmap) = 0;
  // Render, then every label over it in list order: the picture a graph window shows.
  void RenderWithLabels(TBitmap& bitmap);
  // A copy of what Render draws (bitmap size, view, settings, functions; no labels), to
  // draw on another thread while this document goes on changing.
  virtual std::unique_ptr<TGraphDoc> CloneForDrawing() const = 0;

  // Writes the graph file; false after a failure the user has been told of (the file
  // that was there stays as it was).
  bool SaveGraph(const std::string& fileName) const;
  // The bytes SaveGraph would write, built in memory.
  std::vector<std::uint8_t> GraphBytes() const;
  // Reads the content of an opened file of this kind for its format version and closes
  // the reader. All or nothing: after a failure the document is unchanged.
  bool LoadGraph(TReadGraphFile& reader);

  int BitmapWidth() const { return bitmapWidth_; }
  int BitmapHeight() const { return bitmapHeight_; }
  void SetBitmapSize(int width, int height);

  // ---- the labels, drawn on LabelOwner's canvas in list order ----
  const TLabelList& Labels() const { return labels_; }
  TDocLabelOwner& LabelOwner() { return labelOwner_; }
  // A new label on top of the others.
  void AddLabel(std::unique_ptr<TDrawBaseClass> label);
  void InsertLabel(int index, std::unique_ptr<TDrawBaseClass> label);
  std::unique_ptr<TDrawBaseClass> TakeLabel(int index);
  // The label at from goes to index to, the others keeping their order.
  void MoveLabel(int from, int to);
  // A whole new list (an edited copy, or one taken back); the old one is returned.
  TLabelList SetLabels(TLabelList labels);
  // Another label in the place of the one at index, which is returned.
  std::unique_ptr<TDrawBaseClass> ReplaceLabel(int index, std::unique_ptr<TDrawBaseClass> label);
  // The label a mouse gesture or its dialog changes in place.
  TDrawBaseClass& EditLabel(int index) { return *labels_[std::size_t(index)]; }

  // What the kind stores between the bitmap size and the labels: view, settings, functions.
  struct TBody {
    virtual ~TBody() = default;
  };

  // The format the graph is saved in: format 2 unless it holds what only extension records can.
  std::int32_t FileFormat() const { return HasExtensions() ? kNewestFileFormat : kFileFormatVersion; }

  // The value of the parameter of that name (compared without case); false when the graph
  // has none of that name.
  virtual bool SetParameterValue(const std::string& /*name*/, Extended /*value*/) { return false; }

  // What the last Render has to say about what it could not draw (empty: nothing).
  const std::string& DrawingNote() const { return drawingNote_; }

 protected:
  virtual void WriteBody(TWriteGraphFile& writer) const = 0;
  // Reads the kind's records without touching the document; raises TGraphFileAbort.
  virtual std::unique_ptr<TBody> ReadBody(TReadGraphFile& reader) const = 0;
  // The extension records after the labels, and whether there are any.
  virtual bool HasExtensions() const { return false; }
  virtual void WriteExtensions(TWriteGraphFile& /*writer*/) const {}
  // Reads the body of an extension record into the body read before; false for a tag the
  // kind does not know.
  virtual bool ReadExtension(std::int32_t /*tag*/, TReadGraphFile& /*reader*/, TBody& /*body*/) const { return false; }
  // The whole file has been read into the body: what needs all of it (definitions that read
  // parameters) is checked here; raises TGraphFileAbort.
  virtual void FinishBody(TBody& /*body*/) const {}
  // Render says what it could not draw.
  void SetDrawingNote(std::string note) { drawingNote_ = std::move(note); }
  // Takes a body once the whole file has been read and verified.
  virtual void TakeBody(TBody& body) = 0;

  // The function count of every kind: Int16 in format 1, Int32 in format 2, at most
  // kMaxFunctions and no more than the rest of the file can hold at the shortest records.
  static int ReadFunctionCount(TReadGraphFile& reader, std::size_t format1Bytes, std::size_t format2Bytes);

 private:
  // The size, the kind's body, the labels and the extension records, after the header.
  void WriteContent(TWriteGraphFile& writer) const;
  // Format 3's extension records up to the end of the content.
  void ReadExtensions(TReadGraphFile& reader, TBody& body) const;

  std::int32_t kind_;
  int bitmapWidth_ = kDefaultBitmapSize;
  int bitmapHeight_ = kDefaultBitmapSize;
  TDocLabelOwner labelOwner_{*this};
  TLabelList labels_;
  std::string drawingNote_;
};

// Opens a graph file into a document of the file's kind. False, with the document
// unchanged, when the file can not be opened or read, or holds another kind ("Error
// Loading File").
bool OpenGraph(const std::string& fileName, TGraphDoc& doc);

}  // namespace plotix
