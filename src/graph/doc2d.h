#pragma once
// A 2D Cartesian graph without any window: bitmap size, view, settings and
// functions, and the redraw onto a bitmap. Graph windows, the headless command line
// and the tests all draw through it.

#include <memory>
#include <string>

#include "expr/funcobj.h"
#include "graph/func2d.h"
#include "graph/setting2d.h"
#include "graph/view2d.h"
#include "labels/drawlabel.h"
#include "labels/labellist.h"

namespace plotix {

class TBitmap;
class TReadGraphFile;
class TGraph2DDoc;

// The label owner of a document: labels draw on the bitmap being rendered, and
// measure their text on a scratch bitmap when none is.
class TDocLabelOwner : public TLabelOwner {
 public:
  explicit TDocLabelOwner(const TGraph2DDoc& doc);
  ~TDocLabelOwner() override;

  TCanvas& Canvas() override;
  int BitmapWidth() const override;
  int BitmapHeight() const override;
  TColor BackgroundColor() const override;

  // The bitmap labels draw on from now on (null: the scratch bitmap).
  void SetTarget(TBitmap* bitmap) { target_ = bitmap; }
  // The bitmap size labels see while a file is read, before the document takes it;
  // 0 x 0 for the document's own.
  void SetLoadingSize(int width, int height) {
    loadingWidth_ = width;
    loadingHeight_ = height;
  }

 private:
  const TGraph2DDoc& doc_;
  TBitmap* target_ = nullptr;
  int loadingWidth_ = 0, loadingHeight_ = 0;
  std::unique_ptr<TBitmap> scratch_;
};

constexpr int kMaxFunctions = 252;
constexpr int kDefaultBitmapSize = 500;

class TGraph2DDoc {
 public:
  TGraph2DDoc() = default;
  // Labels hold on to LabelOwner, so a document stays where it was made.
  TGraph2DDoc(const TGraph2DDoc&) = delete;
  TGraph2DDoc& operator=(const TGraph2DDoc&) = delete;

  int BitmapWidth = kDefaultBitmapSize;
  int BitmapHeight = kDefaultBitmapSize;
  TView2D View;
  TSetting2DObj Settings;
  TFuncList<TFunc2DObj> Functions;
  TDocLabelOwner LabelOwner{*this};
  TLabelList Labels;  // drawn on LabelOwner's canvas

  // Clears the bitmap with the background colour, draws the axes, then every
  // function in list order, so later functions lie on top.
  void Render(TBitmap& bitmap);
  // Render, then every label over it in list order: the picture a graph window shows.
  void RenderWithLabels(TBitmap& bitmap);

  // Writes the graph file (graph kind 1); false after a failure the user has been told of.
  bool SaveGraph(const std::string& fileName) const;
  // Reads the 2D content of an opened file for its format version and closes the
  // reader. All or nothing: after a failure the document is unchanged.
  bool LoadGraph(TReadGraphFile& reader);
};

// Opens a 2D graph file into doc. False, with doc unchanged, when the file can not be
// opened (the reader has told the user), holds another graph kind, or fails to load.
bool OpenGraph2D(const std::string& fileName, TGraph2DDoc& doc);

}  // namespace plotix
