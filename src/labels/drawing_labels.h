#pragma once
// Drawing labels: lines, rectangles, ellipses, rounded rectangles, free-hand strokes,
// flood fills and text laid over a graph bitmap. Each label draws itself on its owner's
// canvas, measures how far a mouse point is from it, runs its part of a mouse gesture
// through numbered phases, shows selection markers by not-xor and saves itself.
// All coordinates are bitmap pixels, 0,0 at the top-left pixel, y downwards.

#include <Qt>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/font_description.h"

namespace plotix {

class TReadGraphFile;
class TWriteGraphFile;
class TToolBarAttribClass;

// Label type codes of graph files and of the label tools.
enum TLabelType : int {
  ltLine = 1,
  ltFloodFill = 2,
  ltRectangle = 3,
  ltEllipse = 4,
  ltRoundRect = 5,
  ltText = 6,
  ltFreeHand = 7,
};

// DrawShape modes.
enum TDrawMode : int {
  dmErase = 0,       // pen and brush in the owner's background colour
  dmNormal = 1,      // pen and brush in the label's colours
  dmRubberBand = 2,  // not-xor pen: drawing twice restores the picture
};

// The phases of MouseAction.
enum TMousePhase : int {
  mpCreatePress = 0,
  mpCreateDrag = 1,
  mpCreateRelease = 2,
  mpPressMove = 3,    // press that may only move the label
  mpPressResize = 4,  // press that may move or resize (shapes pick a handle)
  mpMoveFirst = 5,
  mpMoveDrag = 6,
  mpMoveRelease = 7,
  mpResizeFirst = 8,
  mpResizeDrag = 9,
  mpResizeRelease = 10,
};

constexpr int kFreeHandBlockSize = 32;
constexpr int kMaxFreeHandPoints = 16001;  // the first point and 16000 more

// What labels draw on: in a graph window the screen copy of the graph bitmap.
class TLabelOwner {
 public:
  virtual ~TLabelOwner() = default;
  virtual TCanvas& Canvas() = 0;
  virtual int BitmapWidth() const = 0;
  virtual int BitmapHeight() const = 0;
  virtual TColor BackgroundColor() const = 0;
};

class TDrawBaseClass {
 public:
  explicit TDrawBaseClass(TLabelOwner& owner) : owner_(&owner) {}
  virtual ~TDrawBaseClass() = default;
  TDrawBaseClass& operator=(const TDrawBaseClass&) = delete;

  // A copy of the label, of its own class, on the same owner.
  virtual std::unique_ptr<TDrawBaseClass> Clone() const = 0;
  virtual void Draw() = 0;
  virtual void MouseAction(int x, int y, int phase) = 0;
  // How far (x, y) is from the label; the window selects below 6.
  virtual int Distance(int x, int y) const = 0;
  virtual std::string GetDescription() const = 0;
  virtual Qt::CursorShape GetCursor() const;
  virtual void SetAttributes(const TToolBarAttribClass& attributes) = 0;
  // Flips MarkerShown and inverts the selection markers.
  virtual void ToggleMarker() = 0;
  virtual bool IsOnBitmap() const = 0;
  // The label's modify dialog; true when the user changed the label.
  virtual bool EditDialog() = 0;
  // Writes the type code, then the record.
  virtual void SaveToFile(TWriteGraphFile& writer) const = 0;
  // Reads the record of the reader's format version (the type code has been read).
  virtual void LoadFromFile(TReadGraphFile& reader) = 0;

  TLabelOwner& Owner() const { return *owner_; }

  TPoint MoveOrigin;  // working first point during a move or resize
  TPoint DownPoint;   // mouse position at the press that started the gesture
  bool MarkerShown = false;

 protected:
  // A copy is not on the screen: it shows no markers.
  TDrawBaseClass(const TDrawBaseClass& other)
      : MoveOrigin(other.MoveOrigin), DownPoint(other.DownPoint), owner_(other.owner_) {}
  TCanvas& Canvas() const { return owner_->Canvas(); }
  bool OnBitmap(TPoint p) const;
  // Markers are drawn only within 10 pixels of the bitmap.
  bool NearBitmap(TPoint p) const;
  void DrawMarkerSquare(TPoint p) const;
  // Two black 2-pixel not-xor lines from (x1, y1) to (x2, y2) and (x3, y3) to (x4, y4).
  void DrawMarkerLines(const std::array<TPoint, 4>& ends) const;

 private:
  TLabelOwner* owner_;
};

class TDrawFloodFill : public TDrawBaseClass {
 public:
  std::unique_ptr<TDrawBaseClass> Clone() const override { return std::make_unique<TDrawFloodFill>(*this); }
  explicit TDrawFloodFill(TLabelOwner& owner) : TDrawBaseClass(owner) {}

  void Draw() override;
  void MouseAction(int x, int y, int phase) override;
  int Distance(int x, int y) const override;
  std::string GetDescription() const override;
  void SetAttributes(const TToolBarAttribClass& attributes) override;
  void ToggleMarker() override;
  bool IsOnBitmap() const override;
  bool EditDialog() override;
  void SaveToFile(TWriteGraphFile& writer) const override;
  void LoadFromFile(TReadGraphFile& reader) override;

  // Inverts the X that "Show Flood Fill Locations" puts on the seed; only while the
  // selection marker is hidden.
  void ToggleLocationMarker() const;

  int BrushStyle = bsSolid;  // never clear: a clear fill would paint nothing
  TPoint Seed;
  TColor FillColor = 0;

 private:
  void DrawCross(TPoint p) const;
};

class TDrawLabel : public TDrawBaseClass {
 public:
  using TDrawBaseClass::TDrawBaseClass;

  void Draw() override;
  void MouseAction(int x, int y, int phase) override;
  // Box labels: distance to the nearest edge whose range holds the point, else to the
  // nearest corner; the inside of the box is not on it.
  int Distance(int x, int y) const override;
  virtual void DrawShape(TPoint first, TPoint second, int mode) = 0;
  void ToggleMarker() override;
  bool IsOnBitmap() const override;
  void SaveToFile(TWriteGraphFile& writer) const override;
  void LoadFromFile(TReadGraphFile& reader) override;
  // Whether the label with its points at a and b would show on the bitmap.
  virtual bool TouchesBitmap(TPoint a, TPoint b) const;

  TPoint MoveEnd;  // working second point during a gesture
  TPoint P1, P2;

 protected:
  // The working points for a drag offset from the down point (both points shift).
  virtual void TrackPoints(int dx, int dy);
  void ShowMarkers();
  void HideMarkers();
};

class TDrawShape : public TDrawLabel {
 public:
  using TDrawLabel::TDrawLabel;

  virtual void SetPenStyle(int style);
  virtual void SetBrushStyle(int style);
  Qt::CursorShape GetCursor() const override;
  void SetAttributes(const TToolBarAttribClass& attributes) override;
  void SaveToFile(TWriteGraphFile& writer) const override;
  void LoadFromFile(TReadGraphFile& reader) override;

  int Handle = 0;  // 0 none; 1, 2 line ends; 3..10 corners and edges of a box
  int PenStyle = psSolid;
  int BrushStyle = bsClear;
  TColor PenColor = 0x000000;
  std::int32_t PenWidth = 1;
  TColor BrushColor = 0xFFFFFF;

 protected:
  // Sets the owner canvas's pen and brush for a drawing mode.
  void PrepareCanvas(int mode, int penStyle, int brushStyle) const;
  // Lines and strokes: a clear pen draws solid, a hatch brush as clear.
  void PrepareLineCanvas(int mode) const;
};

// Rectangle, ellipse or rounded rectangle (kind 3, 4, 5).
class TDrawInclosedShape : public TDrawShape {
 public:
  std::unique_ptr<TDrawBaseClass> Clone() const override { return std::make_unique<TDrawInclosedShape>(*this); }
  TDrawInclosedShape(TLabelOwner& owner, int kind) : TDrawShape(owner), Kind(kind) {}

  void MouseAction(int x, int y, int phase) override;
  void DrawShape(TPoint first, TPoint second, int mode) override;
  std::string GetDescription() const override;
  bool EditDialog() override;
  void SaveToFile(TWriteGraphFile& writer) const override;

  int Kind;

 protected:
  void TrackPoints(int dx, int dy) override;

 private:
  int FindHandle(int x, int y) const;
};

struct TFreeHandOffset {
  std::int16_t dx = 0, dy = 0;
  bool operator==(const TFreeHandOffset&) const = default;
};

// 32 points of a stroke with the least and greatest offsets among them (and 0).
struct TFreeHandBlock {
  TRect Bounds;  // left, top: least dx, dy; right, bottom: greatest dx, dy
  std::array<TFreeHandOffset, kFreeHandBlockSize> Points{};
};

class TDrawFreeHand : public TDrawShape {
 public:
  std::unique_ptr<TDrawBaseClass> Clone() const override { return std::make_unique<TDrawFreeHand>(*this); }
  explicit TDrawFreeHand(TLabelOwner& owner) : TDrawShape(owner), blocks_(1) {}

  void MouseAction(int x, int y, int phase) override;
  // 10000 unless the point is near the stroke: then the distance to the nearest point
  // or segment.
  int Distance(int x, int y) const override;
  void DrawShape(TPoint first, TPoint second, int mode) override;
  void SetPenStyle(int style) override;
  void SetBrushStyle(int style) override;
  std::string GetDescription() const override;
  void ToggleMarker() override;
  bool TouchesBitmap(TPoint a, TPoint b) const override;
  bool EditDialog() override;
  void SaveToFile(TWriteGraphFile& writer) const override;
  void LoadFromFile(TReadGraphFile& reader) override;

  int BlockCount() const { return int(blocks_.size()); }
  const std::vector<TFreeHandBlock>& Blocks() const { return blocks_; }
  // The offset of point i (0 <= i < PointCount) from the first point.
  TFreeHandOffset Offset(int i) const { return blocks_[i / kFreeHandBlockSize].Points[i % kFreeHandBlockSize]; }

  TRect Bounds;  // over all points, relative to P1, as in a block
  std::int32_t PointCount = 0;
  std::int32_t LastBlockUsed = 0;  // points in the last block, 0..32

 private:
  // Appends (x, y) unless it repeats the last point or the stroke is full; true if added.
  bool AddPoint(int x, int y);

  // Each block's own points and the one before them (its first segment's start), relative
  // to P1: the blocks a hit test looks into. Rebuilt when the point count changed.
  const std::vector<TRect>& Extents() const;

  std::vector<TFreeHandBlock> blocks_;
  mutable std::vector<TRect> extents_;
  mutable std::int32_t extentPoints_ = -1;
};

class TDrawLine : public TDrawShape {
 public:
  std::unique_ptr<TDrawBaseClass> Clone() const override { return std::make_unique<TDrawLine>(*this); }
  using TDrawShape::TDrawShape;

  void MouseAction(int x, int y, int phase) override;
  int Distance(int x, int y) const override;
  void DrawShape(TPoint first, TPoint second, int mode) override;
  void SetPenStyle(int style) override;
  void SetBrushStyle(int style) override;
  std::string GetDescription() const override;
  void ToggleMarker() override;
  bool TouchesBitmap(TPoint a, TPoint b) const override;
  bool EditDialog() override;
  void SaveToFile(TWriteGraphFile& writer) const override;

 protected:
  void TrackPoints(int dx, int dy) override;
};

class TDrawText : public TDrawLabel {
 public:
  std::unique_ptr<TDrawBaseClass> Clone() const override { return std::make_unique<TDrawText>(*this); }
  explicit TDrawText(TLabelOwner& owner) : TDrawLabel(owner), Font(DefaultFont()) {}

  void MouseAction(int x, int y, int phase) override;
  // 0 inside the text's box, edges included.
  int Distance(int x, int y) const override;
  void DrawShape(TPoint first, TPoint second, int mode) override;
  std::string GetDescription() const override;
  // Takes the tool bar's text font.
  void SetAttributes(const TToolBarAttribClass& attributes) override;
  bool EditDialog() override;
  void SaveToFile(TWriteGraphFile& writer) const override;
  void LoadFromFile(TReadGraphFile& reader) override;

  // P1 := point, P2 := P1 + the text's extent in that font on the owner's canvas.
  void SetText(TPoint point, const std::string& text, const TFontDesc& font);
  // Brings a text that lies wholly beside the bitmap to its edge; true when it moved.
  bool FitOnBitmap();

  TFontDesc Font;
  std::string Text;
};

}  // namespace plotix
