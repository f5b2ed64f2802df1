#pragma once
// A graph window's picture going out: to a bitmap file, the clipboard or a printer,
// whole or only its selected region, and the region typed in by coordinates.

#include <memory>

#include "platform/canvas.h"

class QPrinter;
class QWidget;

namespace plotix {

class TFuncGraphWindow;

// The corners ordered: left and top first.
TRect NormalizedRect(const TRect& rect);

// A new bitmap of the source's depth, |right - left| + 1 by |bottom - top| + 1 pixels,
// holding the source from the region's top-left corner through its bottom-right one.
// Null when the pixels can not be had.
std::unique_ptr<TBitmap> MakeRegionBitmap(const TBitmap& source, const TRect& region);

// Where a print puts a bitmap of width x height on the page at percent: at 100 pixel for
// pixel at the top left (target is the bitmap's own box), otherwise stretched onto
// (0, 0)-((width - 1) * percent / 100, (height - 1) * percent / 100), corners rounded.
struct TPrintPlacement {
  bool stretch = false;
  TRect target;
  bool operator==(const TPrintPlacement&) const = default;
};
TPrintPlacement PlacePrint(int width, int height, int percent);

// "Save As &Bitmap File...": BMP at the bitmap's depth, or PNG for a name ending in .png,
// exact or, by the type chosen, smooth at 1x, 2x or 4x; SVG and PDF for names ending so
// (the dialog adds the extension of the chosen file type to a name without one).
// False when nothing was written.
bool SaveBitmapFile(QWidget* parent, TFuncGraphWindow& window);
// "&Copy Bitmap to Clipboard": false when nothing was copied.
bool CopyBitmapToClipboard(QWidget* parent, TFuncGraphWindow& window);
// "Bitmap Region &Dialog...": true when the typed region is shown.
bool EditRegionByCoordinates(QWidget* parent, TFuncGraphWindow& window);

// "P&rint...": the print dialog, then one page at the scale in percent. False when cancelled
// or failed.
bool PrintGraph(QWidget* parent, TFuncGraphWindow& window, int percent);
// Prints the window's picture, or its region when selection is set and a region is shown,
// as one page on a printer already set up.
bool PrintWindowPicture(TFuncGraphWindow& window, QPrinter& printer, bool selection, int percent);
// One page holding the bitmap placed by PlacePrint.
bool PrintBitmap(QPrinter& printer, const TBitmap& bitmap, int percent);

}  // namespace plotix
