#pragma once
// A 2D Cartesian graph without any window: bitmap size, view, settings and
// functions, and the redraw onto a bitmap. Graph windows, the headless command line
// and the tests all draw through it.

#include "expr/funcobj.h"
#include "graph/func2d.h"
#include "graph/setting2d.h"
#include "graph/view2d.h"

namespace plotix {

class TBitmap;

constexpr int kMaxFunctions = 252;
constexpr int kDefaultBitmapSize = 500;

class TGraph2DDoc {
 public:
  int BitmapWidth = kDefaultBitmapSize;
  int BitmapHeight = kDefaultBitmapSize;
  TView2D View;
  TSetting2DObj Settings;
  TFuncList<TFunc2DObj> Functions;

  // Clears the bitmap with the background colour, draws the axes, then every
  // function in list order, so later functions lie on top.
  void Render(TBitmap& bitmap);
};

}  // namespace plotix
