// The painter twin against the raster it follows: at scale 1, drawing along pixel rows and
// columns (boxes, brushes, flood fills, hatches across and down) lands on the very pixels,
// diagonal hatches beside them; text is smooth; not-xor gives the picture back.
#include "platform/painter_twin.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QRegularExpression>
#include <QSet>
#include <QSvgGenerator>
#include <cmath>

namespace plotix {
namespace {

constexpr int kSize = 48;

// Pixels of the image that are not white, each as y * kSize + x.
QSet<int> Ink(const QImage& image, int threshold = 0) {
  QSet<int> ink;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      if (3 * 255 - qRed(p) - qGreen(p) - qBlue(p) > threshold) ink.insert(y * kSize + x);
    }
  return ink;
}

bool Beside(const QSet<int>& ink, int at) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (ink.contains(at + dy * kSize + dx)) return true;
  return false;
}

TEST(PainterTwin, DrawsOnTheRasterPixelsOrBesideThem) {
  const struct {
    const char* what;
    void (*draw)(TCanvas&);
    bool exact;  // every pixel the same, or each ink pixel beside ink of the other
  } rows[] = {
      // clang-format off
      {"box with a brush", [](TCanvas& c) {
         c.Pen() = {0x000000, 1, psSolid, TPenMode::Copy};
         c.Brush() = {0x0000FF, bsSolid};
         c.Rectangle(4, 6, 40, 30);
       }, true},
      {"flood fill inside a box", [](TCanvas& c) {
         c.Brush() = {0, bsClear};
         c.Rectangle(2, 3, 30, 44);
         c.Rectangle(10, 10, 20, 20);
         c.Brush() = {0x00FF00, bsSolid};
         c.FloodFill(5, 5);
       }, true},
      {"hatch across", [](TCanvas& c) { c.Brush() = {0xFF0000, bsHorizontal}, c.FillRect({0, 0, kSize, kSize}); }, true},
      {"hatch down", [](TCanvas& c) { c.Brush() = {0xFF0000, bsVertical}, c.FillRect({0, 0, kSize, kSize}); }, true},
      {"hatch cross", [](TCanvas& c) { c.Brush() = {0xFF0000, bsCross}, c.FillRect({3, 13, 41, 40}); }, true},
      {"inside-out box", [](TCanvas& c) { c.Brush() = {0xFF0000, bsSolid}, c.FillRect({30, 5, 10, 40}); }, true},
      {"hatch falling", [](TCanvas& c) { c.Brush() = {0x000000, bsFDiagonal}, c.FillRect({0, 0, kSize, kSize}); }, false},
      {"hatch rising", [](TCanvas& c) { c.Brush() = {0x000000, bsBDiagonal}, c.FillRect({0, 0, kSize, kSize}); }, false},
      {"hatch both diagonals", [](TCanvas& c) { c.Brush() = {0x000000, bsDiagCross}, c.FillRect({0, 0, kSize, kSize}); }, false},
      {"a line out of the picture and back", [](TCanvas& c) {
         const TPoint p[] = {{5, 5}, {40, 5}, {40, -5000}, {10, 40}, {40, 40}};
         c.Polyline(p, 5);
       }, false},
      {"hatched ellipse", [](TCanvas& c) { c.Pen().style = psClear, c.Brush() = {0x000000, bsFDiagonal}, c.Ellipse(0, 0, kSize, kSize); }, false},
      // clang-format on
  };
  for (const auto& r : rows) {
    TBitmap bitmap(kSize, kSize);
    TPainterTwin twin(kSize, kSize, 1);
    bitmap.SetTwin(&twin);
    r.draw(bitmap.Canvas());
    const QImage raster = bitmap.Image().convertToFormat(QImage::Format_RGB32);
    const QImage smooth = twin.Image().convertToFormat(QImage::Format_RGB32);
    if (r.exact) {
      EXPECT_EQ(smooth, raster) << r.what;
      continue;
    }
    const QSet<int> rasterInk = Ink(raster), smoothInk = Ink(smooth, 200), smoothAny = Ink(smooth, 40);
    int missing = 0, extra = 0;
    for (const int at : rasterInk) missing += !Beside(smoothAny, at);
    for (const int at : smoothInk) extra += !Beside(rasterInk, at);
    EXPECT_EQ(std::tuple(missing, extra), std::tuple(0, 0)) << r.what << " of " << rasterInk.size();
    EXPECT_GT(smoothInk.size(), rasterInk.size() / 3) << r.what;
  }
}

TEST(PainterTwin, TextIsSmoothNotXorGivesThePictureBackAndNoPixelsIsNoTwin) {
  EXPECT_THROW(TPainterTwin(32767, 32767, 4), std::bad_alloc);
  TBitmap bitmap(kSize, kSize);
  TPainterTwin twin(kSize, kSize, 2);
  bitmap.SetTwin(&twin);
  TCanvas& c = bitmap.Canvas();
  c.Font().size = 20;
  c.TextOut(2, 2, "Ag");
  QSet<QRgb> colours;
  const QImage text = twin.Image().copy();
  for (int y = 0; y < text.height(); ++y)
    for (int x = 0; x < text.width(); ++x) colours.insert(text.pixel(x, y));
  EXPECT_GT(colours.size(), 8);
  c.Pen() = {0x000000, 1, psDot, TPenMode::NotXor};
  c.Brush().style = bsClear;
  for (int i = 0; i < 2; ++i) {
    c.Rectangle(1, 1, 40, 30);
    c.MoveTo(0, 47);
    c.LineTo(47, 3);
    EXPECT_EQ(twin.Image() == text, i == 1);
  }
}

// A smooth curve's ink does not grow with its number of samples, drawn in batches as the
// plotters draw them.
TEST(PainterTwin, InkDoesNotDependOnTheNumberOfSamples) {
  const auto ink = [](int samples, double scale, int width) {
    TBitmap bitmap(kSize, kSize);
    TPainterTwin twin(kSize, kSize, scale);
    bitmap.SetTwin(&twin);
    bitmap.Canvas().Pen() = {0x000000, width, psSolid, TPenMode::Copy};
    std::vector<TPoint> pixels;
    std::vector<TPointF> exact;
    for (int i = 0; i <= samples; ++i) {
      const double t = 2 * M_PI * i / samples;
      exact.push_back({24 + 15 * std::cos(t), 24 + 15 * std::sin(3 * t)});
      pixels.push_back({int(exact.back().x), int(exact.back().y)});
    }
    for (int from = 0; from < samples; from += 127)
      bitmap.Canvas().Polyline(&pixels[from], std::min(128, samples + 1 - from), &exact[from]);
    const QImage image = twin.Image();
    double sum = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) sum += 255 - qGray(image.pixel(x, y));
    return sum;
  };
  for (const double scale : {1.0, 2.0})
    for (const int width : {1, 3}) {
      const double few = ink(1000, scale, width), many = ink(100000, scale, width);
      EXPECT_NEAR(many / few, 1, 0.05) << "scale " << scale << " width " << width;
    }
  // A line that goes on where one of another pen stopped is no part of it.
  TBitmap bitmap(kSize, kSize);
  TPainterTwin twin(kSize, kSize, 1);
  bitmap.SetTwin(&twin);
  TCanvas& c = bitmap.Canvas();
  c.MoveTo(4, 10);
  c.LineTo(20, 10);
  c.Pen().color = 0x0000FF;
  c.LineTo(40, 10);
  EXPECT_EQ(twin.Image().pixel(10, 10), qRgb(0, 0, 0));
}

// A vector polyline keeps fewer points than it was given, and every point it drops lies
// within 0.05 pixels of the line that replaces it.
TEST(PainterTwin, VectorLinesDropOnlyPointsOnTheirLine) {
  std::vector<TPoint> pixels;
  std::vector<TPointF> exact;
  for (int i = 0; i <= 400; ++i) {  // a wide arc, a point per column, then straight on
    const double x = 10 + i * 0.1, y = i < 300 ? 20 + 200 * std::sin(i / 300.0) : 20 + 200 * std::sin(1.0) + i - 300;
    exact.push_back({x, y});
    pixels.push_back({int(x), int(y)});
  }
  QBuffer file;
  QSvgGenerator svg;
  svg.setOutputDevice(&file);
  svg.setSize(QSize(300, 400));
  {
    TPainterTwin twin(svg, 1);
    twin.Lines(pixels.data(), int(pixels.size()), TPen{}, exact.data());
  }
  const QRegularExpressionMatch m = QRegularExpression("points=\"([^\"]*)\"").match(QString::fromUtf8(file.data()));
  ASSERT_TRUE(m.hasMatch());
  QList<QPointF> kept;
  for (const QString& pair : m.captured(1).split(' ', Qt::SkipEmptyParts))
    kept << QPointF(pair.section(',', 0, 0).toDouble(), pair.section(',', 1, 1).toDouble());
  EXPECT_LT(kept.size(), 100);
  for (const TPointF& p : exact) {
    double nearest = HUGE_VAL;
    for (qsizetype k = 0; k + 1 < kept.size(); ++k) {
      const QPointF a = kept[k], d = kept[k + 1] - a, v = QPointF(p.x, p.y) - a;
      const double t = std::clamp(QPointF::dotProduct(v, d) / QPointF::dotProduct(d, d), 0.0, 1.0);
      nearest = std::min(nearest, std::hypot(v.x() - t * d.x(), v.y() - t * d.y()));
    }
    EXPECT_LT(nearest, 0.06) << p.x << "," << p.y;
  }
}

}  // namespace
}  // namespace plotix
