#pragma once
// The function objects of a 3D graph: surfaces that give one coordinate as a function of
// the other two, and 2D functions y = f(x) turned about an axis. Each builds its wire
// mesh into the window's line store.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "expr/function_object.h"
#include "graph3d/line_store.h"

namespace plotix {

// Bounds and points of 3D functions lie within ±700, so that every scene coordinate and
// its projection fit the store's 16.16 fixed point; function values beyond are rounded
// down to ±700 or not drawn.
constexpr Extended kMax3DValue = 700;
constexpr int kMaxWireLines = 100;

// The orientation of a surface: which coordinate the expression gives.
enum TOrientation : std::uint8_t { orX = 1, orY = 2, orZ = 3 };

// A compiled expression of the two coordinates its orientation leaves free. In graph
// files the orientation goes before the text.
class TMath3DFunc : public TMathGraphFunc {
 public:
  TMath3DFunc() { SetOrientation(orZ); }
  TOrientation Orientation() const { return orientation_; }
  // Renames the two variables: "Y" and "Z" for X=f(y,z), and so on.
  void SetOrientation(TOrientation orientation);
  // "X=f(y,z)=", "Y=f(x,z)=" or "Z=f(x,y)=".
  std::string Prefix() const;
  void WriteToFile(TWriteGraphFile& writer) const override;
  void ReadFromFile(TReadGraphFile& reader) override;

 private:
  TOrientation orientation_ = orZ;
};

// A compiled expression of the one variable X.
class TMathRotateFunc : public TMathGraphFunc {
 public:
  TMathRotateFunc() {
    SetVariableCount(1);
    SetVariableName(0, "X");
  }
};

class TBaseFunc3DObj : public TBaseFuncObj {
 public:
  bool RoundDown = false;  // values beyond ±700 drawn at ±700 rather than left out

  // Adds the mesh to the store with palette index `position` (the place in the list).
  // A full store or a lack of memory is reported; what was added stays. False then.
  virtual bool BuildMesh(int position, TLineObj& store) = 0;
  // The dialogs registered for the function's class; the add dialog takes the colour.
  bool NewDialog(TColor color) override;
  bool ModifyDialog() override;
};

// One free variable of a surface: its bounds, and the wire lines parallel to its axis
// (each at a constant value of the other variable) with the detail between them.
struct TSurfaceVariable {
  std::string LoText = "-1", HiText = "1";
  Extended Lo = -1, Hi = 1;
  std::int32_t Lines = 6;
  std::int32_t Detail = 2;
};

class TFunc3DObj : public TBaseFunc3DObj {
 public:
  TMath3DFunc Func;
  std::array<TSurfaceVariable, 2> Vars;

  std::string GetDescription() const override { return Func.Prefix() + Func.Expression(); }
  void SaveToFile(TWriteGraphFile& writer) const override;
  void LoadFromFile(TReadGraphFile& reader) override;
  std::unique_ptr<TBaseFuncObj> Clone() const override { return std::make_unique<TFunc3DObj>(*this); }
  std::vector<const TMathGraphFunc*> Definitions() const override { return {&Func}; }
  bool BuildMesh(int position, TLineObj& store) override;
};

enum TRotationAxis : std::uint8_t { raXAxis = 0, raYAxis = 1, raLine = 2 };

class TFuncRotateObj : public TBaseFunc3DObj {
 public:
  TMathRotateFunc Func;
  std::string LoText = "0", HiText = "1";
  Extended Lo = 0, Hi = 1;
  std::uint8_t Axis = raXAxis;
  // Point 1 X, point 1 Y, point 2 X, point 2 Y of the specified rotation line.
  std::array<std::string, 4> PointTexts = {"0", "0", "1", "1"};
  std::array<Extended, 4> Points = {0, 0, 1, 1};
  std::int32_t Circles = 6, CircleDetail = 2;
  std::int32_t Lines = 6, LineDetail = 2;

  std::string GetDescription() const override { return "Y=f(x)=" + Func.Expression(); }
  std::string KindName() const override { return "Rotated Function"; }
  void SaveToFile(TWriteGraphFile& writer) const override;
  void LoadFromFile(TReadGraphFile& reader) override;
  std::unique_ptr<TBaseFuncObj> Clone() const override { return std::make_unique<TFuncRotateObj>(*this); }
  std::vector<const TMathGraphFunc*> Definitions() const override { return {&Func}; }
  bool BuildMesh(int position, TLineObj& store) override;
};

// The type codes of 3D function records.
enum T3DFuncType : std::int32_t { ftRotate = 1, ftSurface = 2 };

}  // namespace plotix
