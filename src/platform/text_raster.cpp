// Text on the raster canvas: laid out and rasterised once per font and text, then
// stamped pixel by pixel with no antialiasing.
#include <QFontMetrics>
#include <QPainter>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <climits>
#include <cmath>
#include <unordered_map>
#include <vector>

#include "platform/canvas.h"
#include "platform/painter_twin.h"
#include "platform/raster_pixels.h"

namespace plotix {

using namespace raster;

QFont MakeQFont(const TFontDesc& desc) {
  QFont font(QString::fromStdString(desc.name));
  font.setPixelSize(std::max(1, int(std::lround(desc.size * 96.0 / 72.0))));
  font.setBold(desc.style & fsBold);
  font.setItalic(desc.style & fsItalic);
  font.setUnderline(desc.style & fsUnderline);
  font.setStrikeOut(desc.style & fsStrikeOut);
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

namespace {

// Text is laid out and rasterised once per font and text and then only stamped: tick
// labels repeat on every redraw, and laying out text through Qt costs far more than the
// pixels. A text label may be millions of pixels wide, so offsets are 32-bit, widths
// are summed in 64 bits, and only the part of a large text that meets the bitmap is
// rasterised.

// Qt places glyphs in 26.6 fixed point, which wraps beyond 2^25 pixels: a long text is
// laid out in pieces of at most this many UTF-16 units, placed one after another.
constexpr qsizetype kPieceLength = 1024;
// Texts whose reach holds at most this many pixels (a line of ordinary text) are
// rasterised whole, so that one raster serves wherever they are drawn; larger ones only
// where they meet the bitmap: a file may hold a thousand short texts at 512 points.
constexpr Int64 kWholeRasterPixels = Int64(1) << 16;
// Once the cached texts hold more than this, the next new text empties the cache.
constexpr std::size_t kTextCacheBytes = std::size_t(32) << 20;
// Fonts whose layouts are kept at once.
constexpr std::size_t kCachedFonts = 64;

struct TInkRun {
  std::int32_t y, x1, x2;  // pixels x1..x2 of row y, from the cell's top-left corner
};

struct TTextPiece {
  qsizetype from, length;  // UTF-16 units of the text
  Int64 x;                 // the piece's cell starts this far right of the text's
  QRect reach;             // where the piece may paint, from the text cell's top-left
};

struct TTextRaster {
  Int64 width = 0;  // horizontal advance
  QRect reach;      // where the text may paint: its cell and its glyphs' bounds
  std::vector<TTextPiece> pieces;
  QRect area;  // the part of reach that runs cover
  std::vector<TInkRun> runs;
};

struct TFontRasters {
  QFont font;
  QFontMetrics metrics;
  std::unordered_map<std::string, TTextRaster> texts;
  explicit TFontRasters(const TFontDesc& desc) : font(MakeQFont(desc)), metrics(font) {}
};

struct TFontDescHash {
  std::size_t operator()(const TFontDesc& d) const {
    return std::hash<std::string>()(d.name) ^ (std::size_t(d.size) << 8) ^ (std::size_t(d.style) << 4);
  }
};

struct TTextCache {
  std::unordered_map<TFontDesc, std::unique_ptr<TFontRasters>, TFontDescHash> fonts;
  std::size_t bytes = 0;  // held by the texts of all fonts
};

// One per thread: drawings on worker threads each keep their own, so none waits for
// another and a text's raster is never changed under a drawing that stamps it.
TTextCache& TextCache() {
  thread_local TTextCache cache;
  return cache;
}

std::size_t HeldBytes(const std::string& text, const TTextRaster& r) {
  return sizeof(TTextRaster) + text.size() + r.pieces.size() * sizeof(TTextPiece) + r.runs.size() * sizeof(TInkRun);
}

int SaturatedInt(Int64 v) { return int(std::clamp<Int64>(v, INT_MIN, INT_MAX)); }

// The colour is not part of the key: it is applied when the raster is stamped.
TFontRasters& RastersFor(const TFontDesc& desc) {
  TTextCache& cache = TextCache();
  TFontDesc key = desc;
  key.color = 0;
  auto it = cache.fonts.find(key);
  if (it == cache.fonts.end()) {
    if (cache.fonts.size() >= kCachedFonts) {
      cache.fonts.clear();
      cache.bytes = 0;
    }
    it = cache.fonts.emplace(key, std::make_unique<TFontRasters>(key)).first;
  }
  return *it->second;
}

// Widths and glyph bounds from the font's metrics; pieces end on character boundaries.
void LayOut(const TFontRasters& f, const QString& text, TTextRaster& r) {
  QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
  for (qsizetype from = 0; from < text.size();) {
    qsizetype to = text.size();
    if (to - from > kPieceLength) {
      // Pieces end between characters, unless one character is longer than a piece.
      graphemes.setPosition(from + kPieceLength);
      const qsizetype end = graphemes.isAtBoundary() ? graphemes.position() : graphemes.toPreviousBoundary();
      to = end > from ? end : from + kPieceLength;
    }
    const QString piece = text.mid(from, to - from);
    const int advance = f.metrics.horizontalAdvance(piece);
    // Glyphs may reach outside the cell (italics, accents).
    const QRect cell(SaturatedInt(r.width), 0, advance, f.metrics.height());
    const QRect ink = f.metrics.boundingRect(piece).translated(cell.left(), f.metrics.ascent());
    r.pieces.push_back({from, to - from, r.width, cell.united(ink).adjusted(-2, -2, 2, 2)});
    r.reach = r.reach.united(r.pieces.back().reach);
    r.width += advance;
    from = to;
  }
}

// The runs of the text's pixels within area (a part of its reach).
void Rasterise(const TFontRasters& f, const QString& text, const QRect& area, TTextRaster& r) {
  r.area = area;
  r.runs.clear();
  // The mask's memory is kept from one text to the next: fresh pages for every text cost
  // more than drawing it.
  thread_local std::vector<uchar> buffer;
  const qsizetype stride = (qsizetype(area.width()) + 3) & ~qsizetype(3);  // rows start on 32-bit words
  buffer.assign(std::size_t(stride) * std::size_t(area.height()), 0);
  QImage mask(buffer.data(), area.width(), area.height(), stride, QImage::Format_Alpha8);
  {
    QPainter painter(&mask);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(f.font);
    painter.setPen(Qt::white);
    for (const TTextPiece& p : r.pieces)
      if (p.reach.intersects(area))
        painter.drawText(QPoint(int(p.x - area.left()), f.metrics.ascent() - area.top()), text.mid(p.from, p.length));
  }
  // Ink is a byte of 128 or more; eight bytes are tested at once where they agree.
  constexpr std::uint64_t kHigh = 0x8080808080808080u;
  const auto highBits = [](const uchar* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word & kHigh;
  };
  const int width = mask.width(), height = mask.height();
  for (int my = 0; my < height; ++my) {
    const uchar* row = mask.constScanLine(my);
    for (int mx = 0; mx < width;) {
      if (mx + 8 <= width && highBits(row + mx) == 0) {
        mx += 8;
        continue;
      }
      if (row[mx] < 128) {
        ++mx;
        continue;
      }
      const int start = mx;
      while (mx + 8 <= width && highBits(row + mx) == kHigh) mx += 8;
      while (mx < width && row[mx] >= 128) ++mx;
      r.runs.push_back({my + area.top(), start + area.left(), mx - 1 + area.left()});
    }
  }
}

TTextRaster& TextFor(TFontRasters& f, const std::string& text) {
  auto it = f.texts.find(text);
  if (it != f.texts.end()) return it->second;
  TTextCache& cache = TextCache();
  if (cache.bytes > kTextCacheBytes) {
    for (auto& [desc, fonts] : cache.fonts) fonts->texts.clear();
    cache.bytes = 0;
  }
  TTextRaster& r = f.texts[text];
  LayOut(f, QString::fromUtf8(text.data(), qsizetype(text.size())), r);
  cache.bytes += HeldBytes(text, r);
  return r;
}

}  // namespace

void TCanvas::TextOut(int x, int y, const std::string& text) {
  if (text.empty() || bitmap_.Width() == 0) return;
  if (TPainterTwin* twin = bitmap_.Twin()) twin->Text(x, y, text, font_);
  TFontRasters& f = RastersFor(font_);
  TTextRaster& r = TextFor(f, text);
  // The bitmap as seen from the text's cell.
  constexpr Int64 kFar = Int64(1) << 30;
  const QRect window(int(std::clamp<Int64>(-Int64(x), -kFar, kFar)), int(std::clamp<Int64>(-Int64(y), -kFar, kFar)),
                     bitmap_.Width(), bitmap_.Height());
  const QRect needed = r.reach.intersected(window);
  if (needed.isEmpty()) return;
  if (!r.area.contains(needed)) {
    const std::size_t before = HeldBytes(text, r);
    const bool whole = Int64(r.reach.width()) * r.reach.height() <= kWholeRasterPixels;
    Rasterise(f, QString::fromUtf8(text.data(), qsizetype(text.size())), whole ? r.reach : needed, r);
    TextCache().bytes += HeldBytes(text, r) - before;
  }
  const TPixelWriter writer(bitmap_, font_.color, false);
  for (const TInkRun& run : r.runs) writer.Span(Int64(y) + run.y, Int64(x) + run.x1, Int64(x) + run.x2);
}

int TCanvas::TextWidth(const std::string& text) { return SaturatedInt(TextFor(RastersFor(font_), text).width); }

int TCanvas::TextHeight(const std::string&) { return RastersFor(font_).metrics.height(); }

}  // namespace plotix
