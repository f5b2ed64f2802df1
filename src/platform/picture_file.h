#pragma once
// Picture files of a graph: a Windows bitmap at the bitmap's colour depth, or PNG.

#include <QImage>

#include <string>

namespace plotix {

// True for a name ending in .png, in any case.
bool IsPngFileName(const std::string& path);

// Writes a PNG file for a name ending in .png, else a BMP file of the depth (bmp_file.h).
// Atomic: on failure an existing file keeps its old contents.
bool WritePictureFile(const QImage& image, int depth, const std::string& path);

}  // namespace plotix
