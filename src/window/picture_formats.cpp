#include "window/picture_formats.h"

#include <QString>

#include <algorithm>

#include "platform/bmp_file.h"
#include "platform/picture_file.h"

namespace plotix {

namespace {

bool WritePng(const QImage& image, int, const std::string& path) { return WritePngFile(image, path); }

using D = TPictureDrawing;
const TPictureFormat kFormats[] = {
    {"Bitmap File", ".bmp", D::Exact, 1, WriteBmpFile},
    {"PNG Files", ".png", D::Exact, 1, WritePng},
    {"PNG Files, Smooth", ".png", D::Smooth, 1, nullptr, TTwinFormat::SmoothPng},
    {"PNG Files, Smooth 2x", ".png", D::Smooth, 2, nullptr, TTwinFormat::SmoothPng},
    {"PNG Files, Smooth 4x", ".png", D::Smooth, 4, nullptr, TTwinFormat::SmoothPng},
    {"SVG Files", ".svg", D::Vector, 1, nullptr, TTwinFormat::Svg},
    {"PDF Files", ".pdf", D::Vector, 1, nullptr, TTwinFormat::Pdf},
};

bool Named(const std::string& fileName, const TPictureFormat& format) {
  return QString::fromStdString(fileName).endsWith(QLatin1String(format.extension), Qt::CaseInsensitive);
}

}  // namespace

std::span<const TPictureFormat> PictureFormats() { return kFormats; }

const TPictureFormat* PictureFormatOf(const std::string& fileName, const TPictureFormat* preferred) {
  if (preferred && Named(fileName, *preferred)) return preferred;
  for (const TPictureFormat& f : kFormats)
    if (Named(fileName, f)) return &f;
  return nullptr;
}

const TPictureFormat& FirstPictureFormat(TPictureDrawing drawing) {
  return *std::find_if(std::begin(kFormats), std::end(kFormats),
                       [drawing](const TPictureFormat& f) { return f.drawing == drawing; });
}

std::vector<std::string> PictureExtensions(std::initializer_list<TPictureDrawing> drawings) {
  std::vector<std::string> extensions;
  for (const TPictureFormat& f : kFormats)
    if (std::find(drawings.begin(), drawings.end(), f.drawing) != drawings.end() &&
        std::find(extensions.begin(), extensions.end(), f.extension) == extensions.end())
      extensions.push_back(f.extension);
  return extensions;
}

std::string PictureFilter() {
  std::string filter;
  for (const TPictureFormat& f : kFormats) {
    const std::string pattern = std::string("*") + f.extension;
    filter += (filter.empty() ? "" : "|") + std::string(f.type) + " (" + pattern + ")|" + pattern;
  }
  return filter;
}

}  // namespace plotix
