#pragma once
// PNG picture files of a graph, written small and fast.

#include <QImage>

#include <string>

namespace plotix {

// Writes a PNG file of the image (a BMP file is in bmp_file.h). Atomic: on failure an
// existing file keeps its old contents.
bool WritePngFile(const QImage& image, const std::string& path);

}  // namespace plotix
