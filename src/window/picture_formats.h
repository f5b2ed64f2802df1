#pragma once
// The picture files the program writes, a row each in the order the export dialog offers
// them: the dialog's filter, --render's checks and its usage text read this table, and
// both write through the row a file's name picks.

#include <QImage>

#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "window/graph_picture.h"

namespace plotix {

// Exactly the bitmap, at its colour depth; anti-aliased through the painter twin at a
// scale; or vectors.
enum class TPictureDrawing { Exact, Smooth, Vector };

struct TPictureFormat {
  const char* type;       // the export dialog's name of it
  const char* extension;  // with its dot, matched in any case
  TPictureDrawing drawing;
  int scale = 1;  // of a smooth picture, in bitmap sizes
  // The writer: of an exact picture from its image, of the others through the twin.
  bool (*writeExact)(const QImage& image, int depth, const std::string& path) = nullptr;
  TTwinFormat twin = TTwinFormat::SmoothPng;
};

std::span<const TPictureFormat> PictureFormats();
// The row a file's name asks for: `preferred` when the name has its extension, else the
// first row of the name's extension; null for a name no row writes.
const TPictureFormat* PictureFormatOf(const std::string& fileName, const TPictureFormat* preferred = nullptr);
// The first row drawn so.
const TPictureFormat& FirstPictureFormat(TPictureDrawing drawing);
// The extensions of the rows drawn one of the ways given, each once, in table order.
std::vector<std::string> PictureExtensions(std::initializer_list<TPictureDrawing> drawings);
// The export dialog's filter, a type per row: "Bitmap File (*.bmp)|*.bmp|...".
std::string PictureFilter();

}  // namespace plotix
