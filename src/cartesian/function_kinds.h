#pragma once
// The classes of functions a 2D graph holds, a row each: the record a file keeps one in,
// the "F&unction" menu's entry that makes one, the dialog that edits it and the graph's
// tools that take it. The file reader, the window's menu and the tools read this table; a
// new class is its own files and one row.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <typeindex>
#include <vector>

#include "cartesian/function.h"

namespace plotix {

class TDialogService;
class TGraphScope;
class TGraph2DDoc;

// The tags of the built-in curves' extension records.
constexpr std::int32_t kParametricCurveTag = 1;
constexpr std::int32_t kImplicitCurveTag = 2;
constexpr std::int32_t kDerivedCurveTag = 5;

// The graph's tools that take a function of the class, each reading it through the
// function's operation named.
struct TFunctionOffers {
  bool trace = false;     // the trace follows it (FunctionOfX, else CurveOfT)
  bool table = false;     // "Table of Values" lists it (TableValues)
  bool points = false;    // zeros, extrema and intersections (FunctionOfX)
  bool analysis = false;  // the area under it and between it and another (FunctionOfX)
};

struct TFunctionKind {
  std::type_index type = typeid(void);
  // Its extension record's tag; 0 for the one class the format 2 function list holds.
  std::int32_t fileTag = 0;
  std::string menuCaption;  // "New ..." in "F&unction", the access key marked; empty: made otherwise
  std::function<std::unique_ptr<TBaseFunc2DObj>()> make;
  std::function<void(TDialogService&)> registerDialog;  // with the service in use
  TFunctionOffers offers;
  // The function a typed text reads as, compiled with the scope's names and called `name`
  // unless the text names it; null for a text of another form, and no reader for a class
  // that is not typed.
  std::function<std::unique_ptr<TBaseFunc2DObj>(const std::string& text, const std::string& name, TGraphScope& scope)>
      fromText;
};

// The table starts with y = f(x) and the curves the program is built with. A row added goes
// at its end (the menu lists the rows in order) and registers its dialog; a tag or a class
// already in the table is refused with std::logic_error.
void RegisterFunctionKind(TFunctionKind kind);
void UnregisterFunctionKind(std::type_index type);
const std::vector<TFunctionKind>& FunctionKinds();
// The row of the function's class, or of the class tagged; null for one not in the table.
const TFunctionKind* FunctionKindOf(const TBaseFunc2DObj& function);
const TFunctionKind* TaggedFunctionKind(std::int32_t tag);

// The function a typed text is, of the first class in the table whose reader reads it and
// compiles it, else of the first that reads it furthest before its error (which then tells
// why); null when none reads it.
std::unique_ptr<TBaseFunc2DObj> FunctionFromText(const std::string& text, const std::string& name, TGraphScope& scope);

// The functions of the graph that are shown, compile and whose class offers the tool, as
// indexes into its list.
std::vector<int> FunctionsOffering(const TGraph2DDoc& doc, bool TFunctionOffers::*tool);

// Registers the dialog of every row with the dialog service in use (the program's, at start).
void RegisterFunctionKindDialogs();

}  // namespace plotix
