// The colour depths a bitmap may have: the 16- and 256-colour palettes and the snapping of
// every colour to what a depth can hold.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <iterator>
#include <unordered_map>

#include "platform/canvas.h"
#include "platform/raster_pixels.h"

namespace plotix {

namespace {

int SquaredDistance(TColor a, TColor b) {
  const int dr = RedOf(a) - RedOf(b), dg = GreenOf(a) - GreenOf(b), db = BlueOf(a) - BlueOf(b);
  return dr * dr + dg * dg + db * db;
}

// For each 8-bit channel value, the nearest value a channel of `bits` bits holds,
// expanded back to 8 bits by bit replication (5 bits: v becomes (v << 3) | (v >> 2)).
std::array<std::uint8_t, 256> ChannelTable(int bits) {
  std::array<std::uint8_t, 256> table{};
  for (int c = 0; c < 256; ++c) {
    int best = 0;
    for (int v = 0; v < (1 << bits); ++v) {
      const int expanded = (v << (8 - bits)) | (v >> (2 * bits - 8));
      if (std::abs(expanded - c) < std::abs(best - c)) best = expanded;
    }
    table[c] = std::uint8_t(best);
  }
  return table;
}

const std::array<std::uint8_t, 256>& Channel5() {
  static const auto table = ChannelTable(5);
  return table;
}

const std::array<std::uint8_t, 256>& Channel6() {
  static const auto table = ChannelTable(6);
  return table;
}

template <std::size_t N>
int NearestIndex(TColor color, const std::array<TColor, N>& palette) {
  int best = 0;
  for (std::size_t i = 1; i < N; ++i)
    if (SquaredDistance(color, palette[i]) < SquaredDistance(color, palette[best])) best = int(i);
  return best;
}

// The palettes as QImage pixels, for writing them.
template <std::size_t N>
std::array<QRgb, N> AsRgb(const std::array<TColor, N>& palette) {
  std::array<QRgb, N> out{};
  std::transform(palette.begin(), palette.end(), out.begin(), raster::ToRgb);
  return out;
}

}  // namespace

const QRgb* raster::PaletteRgb(int depth) {
  static const auto rgb4 = AsRgb(Palette4());
  static const auto rgb8 = AsRgb(Palette8());
  return depth == 4 ? rgb4.data() : rgb8.data();
}

bool IsValidDepth(int depth) {
  return depth == 4 || depth == 8 || depth == 15 || depth == 16 || depth == 24 || depth == 32;
}

const std::array<TColor, 16>& Palette4() {
  static const std::array<TColor, 16> palette = {
      0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
      0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
  };
  return palette;
}

// The 8-bit palette: entries 0..107 are the 6 x 6 x 6 colour cube (levels 0, 51, ...,
// 255; index 36r + 6g + b) with a red level below 3, 148..255 the rest of the cube in
// the same order; 108..114 maroon, green, olive, navy, purple, teal and grey of the VGA
// set, 115 a dark grey 3F3F3F, 116..127 twelve more greys; 128..147 mirror 108..127 as
// complements (so 140 is VGA silver C0C0C0). Entry 255 - i is the complement of entry i.
const std::array<TColor, 256>& Palette8() {
  static const std::array<TColor, 256> palette = [] {
    std::array<TColor, 256> p{};
    for (int i = 0; i < 108; ++i) p[i] = RGBColor(i / 36 * 51, i / 6 % 6 * 51, i % 6 * 51);
    const TColor extra[20] = {
        0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080, 0x3F3F3F, 0x090909, 0x111111,
        0x1A1A1A, 0x222222, 0x2B2B2B, 0x474747, 0x4F4F4F, 0x565656, 0x5E5E5E, 0x6C6C6C, 0x727272, 0x797979,
    };
    std::copy(std::begin(extra), std::end(extra), p.begin() + 108);
    for (int i = 0; i < 128; ++i) p[255 - i] = ~p[i] & 0xFFFFFF;
    return p;
  }();
  return palette;
}

int PaletteIndex(TColor color, int depth) {
  color &= 0xFFFFFF;
  if (depth == 4) return NearestIndex(color, Palette4());
  static const std::unordered_map<TColor, int> exact = [] {
    std::unordered_map<TColor, int> map;
    for (int i = 0; i < 256; ++i) map.emplace(Palette8()[i], i);
    return map;
  }();
  const auto found = exact.find(color);
  return found != exact.end() ? found->second : NearestIndex(color, Palette8());
}

TColor SnapColor(TColor color, int depth) {
  color &= 0xFFFFFF;
  switch (depth) {
    case 4: return Palette4()[PaletteIndex(color, 4)];
    case 8: return Palette8()[PaletteIndex(color, 8)];
    case 15: return RGBColor(Channel5()[RedOf(color)], Channel5()[GreenOf(color)], Channel5()[BlueOf(color)]);
    case 16: return RGBColor(Channel5()[RedOf(color)], Channel6()[GreenOf(color)], Channel5()[BlueOf(color)]);
    default: return color;
  }
}

}  // namespace plotix
