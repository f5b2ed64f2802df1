#include "window/graph_picture.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>

#include "platform/painter_twin.h"
#include "platform/picture_file.h"
#include "window/graph_document.h"

namespace plotix {

bool WriteTwinPicture(TGraphDoc& doc, const std::string& fileName, TTwinFormat format, int scale, const TRect* region) {
  TBitmap bitmap(doc.BitmapWidth(), doc.BitmapHeight());
  if (bitmap.Width() != doc.BitmapWidth() || bitmap.Height() != doc.BitmapHeight()) return false;
  TRect area{0, 0, bitmap.Width(), bitmap.Height()};
  if (region)
    area = {std::min(region->left, region->right), std::min(region->top, region->bottom),
            std::max(region->left, region->right) + 1, std::max(region->top, region->bottom) + 1};
  const int width = area.right - area.left, height = area.bottom - area.top;
  const auto draw = [&](TPainterTwin& twin) {
    bitmap.SetTwin(&twin);
    doc.RenderWithLabels(bitmap);
    twin.End();
  };

  if (format == TTwinFormat::SmoothPng) {
    TPainterTwin twin(bitmap.Width(), bitmap.Height(), scale);
    draw(twin);
    const QImage& image = twin.Image();
    return WritePngFile(image.copy(area.left * scale, area.top * scale, width * scale, height * scale), fileName);
  }
  QSaveFile file(QString::fromStdString(fileName));
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (format == TTwinFormat::Svg) {
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(width, height));
    svg.setViewBox(QRect(0, 0, width, height));
    svg.setTitle(QStringLiteral("Plotix graph"));
    TPainterTwin twin(svg, 1, {area.left, area.top});
    draw(twin);
    // The generator gives the size in millimetres, which viewers round to a pixel more or
    // less: the picture is the bitmap's size in pixels.
    QByteArray text = buffer.data();
    static const QRegularExpression kSize(QStringLiteral("<svg width=\"[0-9.]+mm\" height=\"[0-9.]+mm\""));
    const QRegularExpressionMatch size = kSize.match(QString::fromLatin1(text.left(200)));
    if (size.hasMatch())
      text.replace(size.capturedStart(), size.capturedLength(),
                   QStringLiteral("<svg width=\"%1\" height=\"%2\"").arg(width).arg(height).toLatin1());
    if (file.write(text) != text.size()) return false;
  } else {
    QPdfWriter pdf(&file);
    pdf.setResolution(96);
    // The page is the picture: 72 points to 96 pixels.
    pdf.setPageSize(QPageSize(QSizeF(width * 0.75, height * 0.75), QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setCreator(QStringLiteral("Plotix"));
    TPainterTwin twin(pdf, 1, {area.left, area.top});
    draw(twin);
  }
  return file.commit();
}

}  // namespace plotix
