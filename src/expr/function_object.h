#pragma once
// The bases of every graph kind's function objects.

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "expr/graph_scope.h"
#include "expr/math_function.h"
#include "expr/parameters.h"
#include "platform/plot_style.h"

namespace plotix {

class TReadGraphFile;
class TWriteGraphFile;

// A compiled expression that a function object owns and stores in graph files.
class TMathGraphFunc : public TMathFunction {
 public:
  using TMathFunction::TMathFunction;
  // The expression record: the text as one string.
  virtual void WriteToFile(TWriteGraphFile& writer) const;
  // Reads the record of the file's format and compiles it; a text that does not compile
  // shows "Error Loading File" and abandons the load, except in files that may hold
  // parameters, whose definitions compile once the parameters are read.
  virtual void ReadFromFile(TReadGraphFile& reader);

  // The graph's names: its parameters become the variables after the function's own, with
  // their values, and its callable definitions may be called; all are read longest first
  // among the built-ins (a parameter s leaves SIN whole). Compiles again unless the scope
  // brings values only; false when the definition does not compile.
  bool UseNames(TGraphScope& scope);
  // The function's own variables, before the parameters.
  int OwnVariables() const { return ownVariables_ < 0 ? VariableCount() : ownVariables_; }

 private:
  int ownVariables_ = -1;  // the variables before the parameters; -1 until parameters come
  bool ownLongest_ = false;
};

// The interface of every function object, in slot order.
class TBaseFuncObj {
 public:
  virtual ~TBaseFuncObj() = default;

  TPlotStyle Style;     // 3D functions draw one-pixel lines and keep the width unused
  std::string Name;     // in the graph's namespace; empty in kinds whose definitions read no names
  bool Hidden = false;  // neither drawn nor analysed, and so not exported; the file keeps it

  // The graph kind's prefix ("Y=f(x)=", ...) followed by the expression text.
  virtual std::string GetDescription() const = 0;
  // What the object is, for the history's steps: "Add Parametric Curve".
  virtual std::string KindName() const { return "Function"; }
  // The function as one typed line, which its kind's reader reads back as the same
  // definitions ("f(x)=x^2", "x(t)=cos(t), y(t)=sin(t)"); empty for one that is not typed.
  virtual std::string TypedText() const { return {}; }
  // Takes from the function a typed line replaces what the line does not say: the style,
  // whether it is shown and, from one of its own class, the other settings.
  virtual void KeepUntyped(const TBaseFuncObj& replaced) {
    Style = replaced.Style;
    Hidden = replaced.Hidden;
  }
  // Takes the colour and runs the add dialog; true on OK.
  virtual bool NewDialog(TColor color) = 0;
  // Runs the modify dialog; true on OK.
  virtual bool ModifyDialog() = 0;
  // The tag of the extension record the function is stored in; 0 for a function format 2
  // holds in the kind's function list.
  virtual std::int32_t FileTag() const { return 0; }
  // Every definition the function compiles.
  virtual std::vector<const TMathGraphFunc*> Definitions() const = 0;
  // The definition other definitions call by the function's name; null for a function that
  // can not be called.
  virtual TMathGraphFunc* Callable() { return nullptr; }
  const TMathGraphFunc* Callable() const { return const_cast<TBaseFuncObj*>(this)->Callable(); }
  // The graph's names for every definition (see TMathGraphFunc::UseNames); false when one
  // does not compile with them.
  virtual bool UseNames(TGraphScope& scope);
  // Why the function draws nothing: the first error of its definitions; empty when they
  // compiled.
  virtual std::string ErrorText() const;
  bool CallsOthers() const;
  // The function the graph knows by the name `from`, among the callable ones (`callNames`),
  // is now called `to`: the definitions that call it call it by the new name.
  virtual void FunctionRenamed(const std::vector<std::string>& callNames, const std::string& from,
                               const std::string& to);
  // The functions the dialog was asked to add after this one (its derivative curves), taken
  // out of it; their colours are left to the list they join.
  virtual std::vector<std::unique_ptr<TBaseFuncObj>> TakeCompanions() { return {}; }
  // Writes the current-format record; reads the record of the file's format.
  virtual void SaveToFile(TWriteGraphFile& writer) const = 0;
  virtual void LoadFromFile(TReadGraphFile& reader) = 0;
  // A copy of the object, of its own class.
  virtual std::unique_ptr<TBaseFuncObj> Clone() const = 0;
};

// A graph window's function list: the window owns its objects.
template <class T>
using TFuncList = std::vector<std::unique_ptr<T>>;

// Every function of the list compiled with the parameters and each other's callable
// definitions, or (valuesOnly) handed the parameters' new values.
template <class T>
void UseGraphNames(const TFuncList<T>& functions, const TParameterList& parameters, bool valuesOnly = false) {
  TGraphScope scope(parameters, valuesOnly);
  for (const auto& f : functions)
    if (TMathGraphFunc* callable = f->Callable()) scope.AddCallable(f->Name, *callable);
  for (const auto& f : functions) f->UseNames(scope);
}

// The functions as the graph's scopes and name checks take them.
template <class T>
std::vector<const TBaseFuncObj*> FunctionPointers(const TFuncList<T>& functions) {
  std::vector<const TBaseFuncObj*> pointers;
  for (const auto& f : functions) pointers.push_back(f.get());
  return pointers;
}

// A copy of every function of the list, in its order.
template <class T>
TFuncList<T> CloneFunctions(const TFuncList<T>& functions) {
  TFuncList<T> copies;
  copies.reserve(functions.size());
  for (const auto& f : functions) copies.emplace_back(static_cast<T*>(f->Clone().release()));
  return copies;
}

// True when a function of the list is drawn in the colour.
template <class T>
bool UsesColor(const TFuncList<T>& functions, TColor color) {
  return std::any_of(functions.begin(), functions.end(), [color](const auto& f) { return f->Style.Color == color; });
}

}  // namespace plotix
