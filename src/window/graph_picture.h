#pragma once
// Pictures of a graph drawn through its painter twin: smooth PNG at a scale, SVG and PDF
// vectors of the bitmap's size (96 pixels to the inch).

#include <string>

#include "platform/canvas.h"

namespace plotix {

class TGraphDoc;

enum class TTwinFormat { SmoothPng, Svg, Pdf };

// Draws the graph with its labels and writes it to fileName, atomically: an existing file
// keeps its old contents on failure. A smooth PNG's name ends in .png; scale: its size in
// bitmap sizes (1 to 4).
// region: the part between two corners, both inside, or null for the whole bitmap.
// False when nothing was written; the user has not been told.
bool WriteTwinPicture(TGraphDoc& doc, const std::string& fileName, TTwinFormat format, int scale = 1,
                      const TRect* region = nullptr);

}  // namespace plotix
