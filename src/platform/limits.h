#pragma once
// The program's limits and defaults that models, graph files and dialogs share: a value
// a dialog refuses is refused by the file reader too.

#include "platform/extended.h"

namespace plotix {

// Graph bitmaps, in pixels per side.
constexpr int kMinBitmapSize = 16;
constexpr int kMaxBitmapSize = 2000;
constexpr int kDefaultBitmapSize = 500;
// The most pixels any picture may have, smooth ones included: 2^28, one GiB of 32-bit image.
constexpr long long kMaxPicturePixels = 1LL << 28;

// Pen widths of functions, axes and labels.
constexpr int kMinPenWidth = 1;
constexpr int kMaxPenWidth = 10;

// Axis limits, tick increments and function bounds lie within ±kMaxBound.
constexpr Extended kMaxBound = 1e12L;
constexpr const char* kMaxBoundText = "1,000,000,000,000";
constexpr const char* kMinBoundText = "-1,000,000,000,000";

// Font sizes in points, as the font dialog offers them; files holding others are refused.
constexpr int kMinFontSize = 1;
constexpr int kMaxFontSize = 512;

constexpr int kMaxFunctions = 252;    // per graph window
constexpr int kMaxLabels = 2000;      // per graph window, flood fills included
constexpr int kMaxGraphWindows = 16;  // open at once

}  // namespace plotix
