#pragma once
// The raster canvas: drawing on a bitmap with the semantics graphs and labels expect
// of a classic Windows canvas (end pixel of a line left out, right and bottom edges of
// rectangles exclusive, not-xor pens that restore the picture when drawn twice,
// transparent text, surface flood fill), over a 32-bit QImage.

#include <QColor>
#include <QFont>
#include <QImage>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/colour.h"
#include "platform/font_description.h"

namespace plotix {

struct TPoint {
  std::int32_t x = 0, y = 0;
  bool operator==(const TPoint&) const = default;
};

// A real position on a bitmap: pixel (x, y) covers [x, x + 1) x [y, y + 1).
struct TPointF {
  double x = 0, y = 0;
};

struct TRect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const TRect&) const = default;
};

// Pen style codes: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 clear.
enum TPenStyle : int { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
// A pen style the program does not know (read from a file) draws solid, as the settings
// dialogs show it.
inline int KnownPenStyle(int style) { return style >= psSolid && style <= psClear ? style : psSolid; }
// Brush style codes: 0 solid, 1 clear, 2 horizontal, 3 vertical, 4 forward diagonal,
// 5 backward diagonal, 6 cross, 7 diagonal cross.
enum TBrushStyle : int { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
enum class TPenMode { Copy, NotXor };

struct TPen {
  TColor color = 0;
  int width = 1;
  int style = psSolid;
  TPenMode mode = TPenMode::Copy;
  bool operator==(const TPen&) const = default;
};

struct TBrush {
  TColor color = 0xFFFFFF;
  int style = bsSolid;
};

// Colour depths a bitmap may have: 4, 8, 15, 16, 24 or 32 bits per pixel.
bool IsValidDepth(int depth);
// The nearest colour a bitmap of that depth can hold (4 bits: the 16 VGA colours;
// 8 bits: a fixed 256-colour palette; 15/16 bits: 5-5-5 / 5-6-5; 24/32: unchanged).
// The top byte of a colour is ignored.
TColor SnapColor(TColor color, int depth);
// The fixed palettes of 4-bit and 8-bit bitmaps (bitmap files carry the same ones).
// Palette4: the 16 VGA colours in their usual order. Palette8: entry 255 - i is the
// complement of entry i, so not-xor on palette indices inverts colours exactly.
const std::array<TColor, 16>& Palette4();
const std::array<TColor, 256>& Palette8();
// The index of the nearest colour of the 4-bit or 8-bit palette (exact colours map to
// their own entry).
int PaletteIndex(TColor color, int depth);

// The Qt font a font description draws with: pixel size at a fixed 96 dots per inch,
// no antialiasing.
QFont MakeQFont(const TFontDesc& font);
// The Qt colour of a colour.
inline QColor ToQColor(TColor c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

class TCanvas;
class TPainterTwin;

// An off-screen bitmap: a 32-bit image whose every written colour is snapped to its depth.
class TBitmap {
 public:
  TBitmap();
  TBitmap(int width, int height, int depth = 32);
  ~TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  // Sizes run 1..32767 with at most 2^28 pixels; the old picture stays at the top left
  // and new pixels are white. False when the pixels can not be had (the bitmap keeps
  // its old size then).
  bool SetSize(int width, int height);
  // Changes the depth and snaps every pixel to it; other values are ignored.
  void SetDepth(int depth);

  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }
  int Depth() const { return depth_; }
  const QImage& Image() const { return image_; }
  QImage& Image() { return image_; }
  TCanvas& Canvas() { return *canvas_; }
  const TCanvas& Canvas() const { return *canvas_; }
  // The picture that draws everything the canvas draws a second time, smooth or as
  // vectors; null for none. The twin outlives its time here.
  void SetTwin(TPainterTwin* twin) { twin_ = twin; }
  TPainterTwin* Twin() const { return twin_; }

 private:
  QImage image_;
  int depth_ = 32;
  std::unique_ptr<TCanvas> canvas_;
  TPainterTwin* twin_ = nullptr;
};

class TCanvas {
 public:
  explicit TCanvas(TBitmap& bitmap);

  TPen& Pen() { return pen_; }
  TBrush& Brush() { return brush_; }
  TFontDesc& Font() { return font_; }

  void MoveTo(int x, int y);
  // A line from the pen position to (x, y) without its end pixel; the pen moves there.
  void LineTo(int x, int y);
  TPoint PenPos() const { return penPos_; }
  // Lines through the points, the last point's pixel left out; the pen position stays.
  // exact: the real positions the points were rounded from, for the bitmap's twin.
  void Polyline(const TPoint* points, int count, const TPointF* exact = nullptr);

  // Outlined with the pen and filled with the brush; the box covers left..right-1,
  // top..bottom-1 (corners in any order). A not-xor pen combines the brush that way too.
  // Pens wider than 1 pixel draw solid, centred on the 1-pixel outline.
  void Rectangle(int left, int top, int right, int bottom);
  void Ellipse(int left, int top, int right, int bottom);
  // cornerWidth and cornerHeight are the size of the corner ellipse.
  void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
  // The brush alone, no outline.
  void FillRect(const TRect& rect);

  // Text with its cell's top-left corner at (x, y), transparent background, no antialiasing.
  void TextOut(int x, int y, const std::string& text);
  int TextWidth(const std::string& text);
  int TextHeight(const std::string& text);

  TColor Pixel(int x, int y) const;  // -1 cast to TColor (0xFFFFFFFF) off the bitmap
  // Completes the end pixel of a raster line; the twin's round line ends hold it already.
  void SetPixel(int x, int y, TColor color);

  // Fills the 4-connected region of pixels that have the seed pixel's colour with the brush.
  void FloodFill(int x, int y);

  // Copies source's rectangle into this bitmap's rectangle (stretching when the sizes differ).
  void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);

  // Direct pixel access: one 0xFFRRGGBB word per pixel, as QImage::Format_RGB32 stores it
  // (write colours of the bitmap's depth to keep its pixels exact).
  std::uint32_t* ScanLine(int y);

  TBitmap& Bitmap() { return bitmap_; }

 private:
  TBitmap& bitmap_;
  TPen pen_;
  TBrush brush_;
  TFontDesc font_;
  TPoint penPos_;
  int dashPhase_ = 0;  // position in the pen's dash pattern, carried from line to line
};

}  // namespace plotix
