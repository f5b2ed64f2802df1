#include "app/picture_output.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>

#include "app/area_choice_dialog.h"
#include "app/print_scale_dialog.h"
#include "app/region_dialog.h"
#include "platform/common_dialogs.h"
#include "platform/message_box.h"
#include "window/graph_window.h"
#include "window/picture_formats.h"

namespace plotix {

namespace {

constexpr const char* kBitmapTitle = "Save As Bitmap File";
constexpr const char* kBitmapExt = "bmp";

// Runs use on the window's picture of the document as it is now (the labels over the
// graph, without a region's outline), or on a copy of the shown region when region is set. A shown region stays
// shown afterwards, so it can be used again.
template <class F>
bool WithPicture(TFuncGraphWindow& window, bool region, F use) {
  window.FinishDrawing();
  const bool shown = window.RegionShown();
  const TRect rect = window.Region();
  window.LeaveMode();
  bool done = false;
  if (region && shown) {
    if (const std::unique_ptr<TBitmap> copy = MakeRegionBitmap(window.ScreenPicture(), rect))
      done = use(*copy);
    else
      ShowMessage(TMsgKind::Error, "Out of Memory", TMsgButtons::OK);
  } else {
    done = use(window.ScreenPicture());
  }
  if (shown) window.ShowRegion(rect);
  return done;
}

// Asks for the area only while a region is shown; Cancel when the user cancelled.
TAreaChoice ChooseArea(QWidget* parent, const TFuncGraphWindow& window, const char* caption) {
  if (!window.RegionShown()) return TAreaChoice::AllBitmap;
  return TSelectedAreaDlg::Choose(parent, caption);
}

// The graph file's name with the bitmap extension, so the dialog starts beside it.
std::string SuggestedBitmapName(const TFuncGraphWindow& window) {
  if (window.FileName().empty()) return {};
  const QFileInfo info(QString::fromStdString(window.FileName()));
  return (info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".bmp")).toStdString();
}

}  // namespace

TRect NormalizedRect(const TRect& r) {
  return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right), std::max(r.top, r.bottom)};
}

std::unique_ptr<TBitmap> MakeRegionBitmap(const TBitmap& source, const TRect& region) {
  const TRect r = NormalizedRect(region);
  const int width = r.right - r.left + 1, height = r.bottom - r.top + 1;
  auto bitmap = std::make_unique<TBitmap>(width, height, source.Depth());
  if (bitmap->Width() != width || bitmap->Height() != height) return nullptr;
  // Both corners belong to the region, so its last row and column come from the graph too.
  bitmap->Canvas().CopyRect({0, 0, width, height}, source.Canvas(), {r.left, r.top, r.right + 1, r.bottom + 1});
  return bitmap;
}

TPrintPlacement PlacePrint(int width, int height, int percent) {
  if (percent == 100) return {false, {0, 0, width, height}};
  // Halves round to even, as every pixel rounding here does.
  const auto scaled = [percent](int extent) {
    return int(std::nearbyint((extent - 1) * static_cast<long double>(percent) / 100));
  };
  return {true, {0, 0, scaled(width), scaled(height)}};
}

bool SaveBitmapFile(QWidget* parent, TFuncGraphWindow& window) {
  std::string name = SuggestedBitmapName(window);
  int type = 0;
  if (!PickSaveFile(parent, kBitmapTitle, PictureFilter(), kBitmapExt, name, &type) || name.empty()) return false;
  const TAreaChoice choice = ChooseArea(parent, window, kAreaToFileCaption);
  if (choice == TAreaChoice::Cancel) return false;
  // The name's extension decides the format, the type chosen how a format of several types
  // is drawn; a name of another extension gets a bitmap file.
  const std::span<const TPictureFormat> formats = PictureFormats();
  const TPictureFormat* format =
      PictureFormatOf(name, type >= 0 && type < int(formats.size()) ? &formats[type] : nullptr);
  if (!format) format = &formats.front();
  if (format->drawing != TPictureDrawing::Exact) {
    const TRect region = window.Region();
    try {
      if (window.WriteTwinPicture(name, format->twin, format->scale,
                                  choice == TAreaChoice::SelectedRect ? &region : nullptr))
        return true;
      ShowMessage(TMsgKind::Error, "Error Writing To File", TMsgButtons::OK);
    } catch (const std::bad_alloc&) {
      ShowMessage(TMsgKind::Error, "Out of Memory", TMsgButtons::OK);  // the file is left as it was
    }
    return false;
  }
  return WithPicture(window, choice == TAreaChoice::SelectedRect, [&](const TBitmap& bitmap) {
    const bool written = format->writeExact(bitmap.Image(), bitmap.Depth(), name);
    if (!written) ShowMessage(TMsgKind::Error, "Error Writing To File", TMsgButtons::OK);
    return written;
  });
}

bool CopyBitmapToClipboard(QWidget* parent, TFuncGraphWindow& window) {
  const TAreaChoice choice = ChooseArea(parent, window, kAreaToClipboardCaption);
  if (choice == TAreaChoice::Cancel) return false;
  return WithPicture(window, choice == TAreaChoice::SelectedRect, [](const TBitmap& bitmap) {
    QGuiApplication::clipboard()->setImage(bitmap.Image());
    return true;
  });
}

bool EditRegionByCoordinates(QWidget* parent, TFuncGraphWindow& window) {
  TRect rect = NormalizedRect(window.Region());
  if (!TSelectedRegionDlg::Edit(parent, rect, window.RegionShown(), window.BitmapWidth(), window.BitmapHeight()))
    return false;
  emit window.RegionStarted(&window);
  window.ShowRegion(rect);
  return true;
}

bool PrintGraph(QWidget* parent, TFuncGraphWindow& window, int percent) {
  QPrinter printer(QPrinter::ScreenResolution);
  QPrintDialog dialog(&printer, parent);
  const bool shown = window.RegionShown();
  dialog.setOption(QAbstractPrintDialog::PrintSelection, shown);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  if (shown) dialog.setPrintRange(QAbstractPrintDialog::Selection);
  if (dialog.exec() != QDialog::Accepted) return false;
  return PrintWindowPicture(window, printer, dialog.printRange() == QAbstractPrintDialog::Selection, percent);
}

bool PrintWindowPicture(TFuncGraphWindow& window, QPrinter& printer, bool selection, int percent) {
  return WithPicture(window, selection, [&](const TBitmap& bitmap) { return PrintBitmap(printer, bitmap, percent); });
}

bool PrintBitmap(QPrinter& printer, const TBitmap& bitmap, int percent) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const TPrintPlacement place = PlacePrint(bitmap.Width(), bitmap.Height(), percent);
  const TRect& t = place.target;
  // Without smooth transformation a stretch repeats or drops whole pixels, as a bitmap
  // stretched onto a printer does.
  if (place.stretch)
    painter.drawImage(QRect(t.left, t.top, t.right - t.left, t.bottom - t.top), bitmap.Image());
  else
    painter.drawImage(QPoint(0, 0), bitmap.Image());
  return painter.end();
}

}  // namespace plotix
