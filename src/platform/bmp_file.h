#pragma once
// Windows bitmap files (.bmp) at a bitmap's true colour depth.

#include <QByteArray>
#include <QImage>

#include <string>

namespace plotix {

// The image as a BMP file of depth 4, 8 (with the fixed palettes of canvas.h), 15 (16-bit
// 5-5-5), 16 (5-6-5 bit fields), 24 or 32 bits, rows bottom-up. Colours the depth can not
// hold are written as the nearest one. Empty for an empty image or another depth.
QByteArray EncodeBmp(const QImage& image, int depth);

// Writes the file atomically: on failure an existing file keeps its old contents.
bool WriteBmpFile(const QImage& image, int depth, const std::string& path);

}  // namespace plotix
