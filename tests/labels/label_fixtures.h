#pragma once
// A label owner over a plain bitmap, as a graph window's screen copy would be.

#include <QImage>

#include <initializer_list>
#include <memory>

#include "labels/drawing_labels.h"

namespace plotix {

constexpr TColor kWhite = 0xFFFFFF, kBlack = 0x000000, kRed = 0x0000FF, kBlue = 0xFF0000;

class TTestOwner : public TLabelOwner {
 public:
  TTestOwner(int width = 300, int height = 200, int depth = 32) : bitmap(width, height, depth) { Clear(); }

  TCanvas& Canvas() override { return bitmap.Canvas(); }
  int BitmapWidth() const override { return bitmap.Width(); }
  int BitmapHeight() const override { return bitmap.Height(); }
  TColor BackgroundColor() const override { return background; }

  void Clear() { bitmap.Image().fill(QColor(RedOf(background), GreenOf(background), BlueOf(background))); }
  // A busy picture, so that not-xor drawing has something to restore.
  void Scribble() {
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x) bitmap.Canvas().SetPixel(x, y, RGBColor(x * 7, y * 11, (x ^ y) * 5));
  }
  TColor At(int x, int y) { return bitmap.Canvas().Pixel(x, y); }
  QImage Snapshot() const { return bitmap.Image().copy(); }
  // Pixels of a colour within left..right-1 x top..bottom-1.
  int Count(TColor color, int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += At(x, y) == color;
    return n;
  }

  TBitmap bitmap;
  TColor background = kWhite;
};

template <class T, class... Args>
std::unique_ptr<T> MakeLabel(TTestOwner& owner, TPoint p1, TPoint p2, Args... args) {
  auto label = std::make_unique<T>(owner, args...);
  label->P1 = p1;
  label->P2 = p2;
  return label;
}

// A free-hand stroke through the points, drawn with the mouse.
inline std::unique_ptr<TDrawFreeHand> MakeStroke(TTestOwner& owner, std::initializer_list<TPoint> points) {
  auto stroke = std::make_unique<TDrawFreeHand>(owner);
  bool first = true;
  for (TPoint p : points) {
    stroke->MouseAction(p.x, p.y, first ? mpCreatePress : mpCreateDrag);
    first = false;
  }
  return stroke;
}

}  // namespace plotix
