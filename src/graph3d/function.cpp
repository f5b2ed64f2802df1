#include "graph3d/function.h"

#include <cmath>
#include <functional>
#include <new>
#include <numbers>
#include <utility>
#include <vector>

#include "files/graph_file.h"
#include "platform/dialog_service.h"
#include "platform/geometry.h"
#include "platform/message_box.h"

namespace plotix {

namespace {

// The sample grid of a mesh: rows 1..rows, columns 1..columns. A wire row (column) has
// its lines along the row (column) drawn; the steps choose which ones are wire lines.
struct TGrid {
  int rows = 0, columns = 0;
  int rowStep = 0, columnStep = 0;
  int rowLinesUpTo = 0;  // rows past this one draw no lines along themselves
};

// Steps: -1 makes every row a wire row, D every (D + 1)-th from the first, 10000 the
// first alone and 32767 none.
bool NextIsWire(int& counter, int step) {
  if (counter < step)
    ++counter;
  else
    counter = 0;
  return counter == 0;
}

struct TSample {
  bool valid = false;
  TPoint3D p;
  std::int32_t slot = kNoSlot;
};

// Walks the grid row by row, holding two rows of samples, and adds a line between
// neighbouring valid samples on wire rows and wire columns.
bool BuildGrid(const TGrid& g, int position, TLineObj& store, const std::function<bool(int, int, TPoint3D&)>& sample) {
  if (g.rows <= 0 || g.columns <= 0) return true;
  std::vector<TSample> previous, current;
  std::vector<bool> wireColumn;
  try {
    previous.resize(std::size_t(g.columns));
    current.resize(std::size_t(g.columns));
    wireColumn.resize(std::size_t(g.columns));
  } catch (const std::bad_alloc&) {
    ShowMessage(TMsgKind::Error, "Out of Memory", TMsgButtons::OK);
    return false;
  }
  int columnCounter = 20000;
  for (int k = 0; k < g.columns; ++k) wireColumn[std::size_t(k)] = NextIsWire(columnCounter, g.columnStep);

  const auto add = [&](TSample& from, TSample& to) {
    switch (store.AddLine(from.p, from.slot, to.p, to.slot, std::uint8_t(position))) {
      case alAdded: return true;
      case alFull:
        ShowMessage(TMsgKind::Error, "3D Window Full, Partial Function Will be Displayed", TMsgButtons::OK);
        return false;
      case alOutOfMemory: break;
    }
    ShowMessage(TMsgKind::Error, "Out of Memory", TMsgButtons::OK);
    return false;
  };

  int rowCounter = 20000;
  for (int i = 1; i <= g.rows; ++i) {
    const bool rowLines = NextIsWire(rowCounter, g.rowStep) && i <= g.rowLinesUpTo;
    for (int k = 1; k <= g.columns; ++k) {
      TSample& s = current[std::size_t(k - 1)];
      s.slot = kNoSlot;
      s.valid = sample(i, k, s.p);
      if (!s.valid) continue;
      if (k > 1 && rowLines && current[std::size_t(k - 2)].valid && !add(current[std::size_t(k - 2)], s)) return false;
      if (i > 1 && wireColumn[std::size_t(k - 1)] && previous[std::size_t(k - 1)].valid &&
          !add(previous[std::size_t(k - 1)], s))
        return false;
    }
    std::swap(previous, current);
  }
  return true;
}

// Value n of count evenly spaced from lo to hi, both ends exact.
Extended Spaced(Extended lo, Extended hi, int n, int count) {
  if (n == 1) return lo;
  if (n == count) return hi;
  return lo + (hi - lo) * (n - 1) / (count - 1);
}

// Evaluates at the variables already set; false when undefined or beyond ±700 without
// rounding down.
bool SampleValue(TMathGraphFunc& func, bool roundDown, Extended& value) {
  if (!func.Evaluate()) return false;
  value = func.Result();
  if (fabsl(value) <= kMax3DValue) return true;
  if (!roundDown) return false;
  value = value > 0 ? kMax3DValue : -kMax3DValue;
  return true;
}

TGrid SurfaceGrid(int lines1, int detail1, int lines2, int detail2) {
  if (lines1 >= 2 && lines2 >= 2)
    return {(lines1 - 1) * detail2 + lines1, (lines2 - 1) * detail1 + lines2, detail2, detail1};
  if (lines1 == 0 && lines2 > 0) return {detail2 + 2, lines2, 32767, -1};
  if (lines1 > 0 && lines2 == 0) return {lines1, detail1 + 2, -1, 32767};
  if (lines1 == 1 && lines2 == 1) return {detail2 + 2, detail1 + 2, 10000, 10000};
  if (lines1 == 1 && lines2 > 1) return {detail2 + 2, (lines2 - 1) * detail1 + lines2, 10000, detail1};
  if (lines1 > 1 && lines2 == 1) return {(lines1 - 1) * detail2 + lines1, detail1 + 2, detail2, 10000};
  return {};
}

// Rows are turning angles, columns the points of the curve.
TGrid RotateGrid(int lines, int lineDetail, int circles, int circleDetail) {
  if (lines >= 2 && circles >= 2)
    return {lines * circleDetail + lines, (circles - 1) * lineDetail + circles, circleDetail, lineDetail};
  if (lines == 0 && circles > 0) return {circleDetail >= 1 ? circleDetail + 1 : 0, circles, 32767, -1};
  if (lines > 0 && circles == 0) return {lines, lineDetail + 2, -1, 32767};
  if (lines == 1 && circles == 1) return {circleDetail + 1, lineDetail + 2, 10000, 10000};
  if (lines == 1 && circles > 1) return {circleDetail + 1, (circles - 1) * lineDetail + circles, 10000, lineDetail};
  if (lines > 1 && circles == 1) return {lines * circleDetail + lines, lineDetail + 2, circleDetail, 10000};
  return {};
}

}  // namespace

// ---- TMath3DFunc -------------------------------------------------------------

void TMath3DFunc::SetOrientation(TOrientation orientation) {
  static const char* const kNames[3][2] = {{"Y", "Z"}, {"X", "Z"}, {"X", "Y"}};
  orientation_ = orientation;
  SetVariableCount(2);
  SetVariableName(0, kNames[orientation - 1][0]);
  SetVariableName(1, kNames[orientation - 1][1]);
}

std::string TMath3DFunc::Prefix() const {
  static const char* const kPrefixes[3] = {"X=f(y,z)=", "Y=f(x,z)=", "Z=f(x,y)="};
  return kPrefixes[orientation_ - 1];
}

// ---- TFunc3DObj --------------------------------------------------------------

bool TBaseFunc3DObj::NewDialog(TColor color) {
  Style.Color = color;
  return Dialogs().RunForItsClass(*this, true);
}

bool TBaseFunc3DObj::ModifyDialog() { return Dialogs().RunForItsClass(*this, false); }

bool TFunc3DObj::BuildMesh(int position, TLineObj& store) {
  store.SetPaletteColor(position, Style.Color);
  store.MarkFunctionStart();
  TGrid grid = SurfaceGrid(Vars[0].Lines, Vars[0].Detail, Vars[1].Lines, Vars[1].Detail);
  grid.rowLinesUpTo = grid.rows;
  const TOrientation orientation = Func.Orientation();
  return BuildGrid(grid, position, store, [&](int row, int column, TPoint3D& p) {
    const Extended v1 = Spaced(Vars[0].Lo, Vars[0].Hi, column, grid.columns);
    const Extended v2 = Spaced(Vars[1].Lo, Vars[1].Hi, row, grid.rows);
    Func.Value(0) = v1;
    Func.Value(1) = v2;
    Extended f = 0;
    if (!SampleValue(Func, RoundDown, f)) return false;
    const TFixed a = ToFixed(v1), b = ToFixed(v2), c = ToFixed(f);
    p = orientation == orX ? TPoint3D{c, a, b} : orientation == orY ? TPoint3D{a, c, b} : TPoint3D{a, b, c};
    return true;
  });
}

// ---- TFuncRotateObj ----------------------------------------------------------

bool TFuncRotateObj::BuildMesh(int position, TLineObj& store) {
  store.SetPaletteColor(position, Style.Color);
  store.MarkFunctionStart();
  TGrid grid = RotateGrid(Lines, LineDetail, Circles, CircleDetail);
  if (grid.rows <= 0 || grid.columns <= 0) return true;
  const int turns = grid.rows;
  grid.rowLinesUpTo = turns;
  ++grid.rows;  // the last row closes the surface at a full turn

  struct TProfile {
    bool valid;
    Extended x, y;
  };
  std::vector<TProfile> profile;
  try {
    profile.resize(std::size_t(grid.columns));
  } catch (const std::bad_alloc&) {
    ShowMessage(TMsgKind::Error, "Out of Memory", TMsgButtons::OK);
    return false;
  }
  for (int k = 1; k <= grid.columns; ++k) {
    TProfile& s = profile[std::size_t(k - 1)];
    s.x = Spaced(Lo, Hi, k, grid.columns);
    Func.Value(0) = s.x;
    s.valid = SampleValue(Func, RoundDown, s.y);
  }

  // A line through two equal points turns like the X axis.
  const Extended p1x = Points[0], p1y = Points[1];
  const bool aboutLine = Axis == raLine && (Points[0] != Points[2] || Points[1] != Points[3]);
  const int axis = aboutLine ? raLine : Axis == raYAxis ? raYAxis : raXAxis;
  Extended cosTheta = 1, sinTheta = 0;
  if (aboutLine) {
    Extended r = 0, theta = 0;
    ToPolar(Points[2] - p1x, Points[3] - p1y, r, theta);
    cosTheta = cosl(theta);
    sinTheta = sinl(theta);
  }

  int angleRow = 0;
  Extended c = 1, s = 0;
  return BuildGrid(grid, position, store, [&](int row, int column, TPoint3D& p) {
    const TProfile& sample = profile[std::size_t(column - 1)];
    if (!sample.valid) return false;
    const Extended x = sample.x, y = sample.y;
    if (row == 1 || row == grid.rows) {
      p = {ToFixed(x), ToFixed(y), 0};
      return true;
    }
    if (row != angleRow) {
      angleRow = row;
      const Extended phi = 2 * std::numbers::pi_v<Extended> * (row - 1) / turns;
      c = cosl(phi);
      s = sinl(phi);
    }
    switch (axis) {
      case raXAxis: p = {ToFixed(x), ToFixed(y * c), ToFixed(y * s)}; break;
      case raYAxis: p = {ToFixed(x * c), ToFixed(y), ToFixed(x * s)}; break;
      default: {
        const Extended u = x - p1x, v = y - p1y;
        const Extended u1 = u * cosTheta + v * sinTheta, v1 = -u * sinTheta + v * cosTheta;
        const Extended z = v1 * s, v2 = v1 * c;
        p = {ToFixed(u1 * cosTheta - v2 * sinTheta + p1x), ToFixed(u1 * sinTheta + v2 * cosTheta + p1y), ToFixed(z)};
      }
    }
    return true;
  });
}

}  // namespace plotix
