#include "cartesian/function_kinds.h"

#include <algorithm>
#include <stdexcept>

#include "cartesian/cartesian_document.h"
#include "cartesian/curve_dialogs.h"
#include "cartesian/curve_functions.h"
#include "cartesian/derived_function.h"
#include "cartesian/function_dialog.h"
#include "files/graph_file.h"
#include "platform/dialog_controls.h"
#include "platform/dialog_service.h"
#include "window/typed_functions.h"

namespace plotix {

namespace {

template <class TObj, class TDlg>
TFunctionKind Row(std::int32_t fileTag, std::string menuCaption, TFunctionOffers offers) {
  TFunctionKind kind;
  kind.type = typeid(TObj);
  kind.fileTag = fileTag;
  kind.menuCaption = std::move(menuCaption);
  kind.make = [] { return std::make_unique<TObj>(); };
  kind.registerDialog = [](TDialogService& service) { RegisterModal<TDlg, TObj>(service); };
  kind.offers = offers;
  if constexpr (requires(const std::string& text, TGraphScope& scope) { TObj::FromTyped(text, text, scope); })
    kind.fromText = [](const std::string& text, const std::string& name,
                       TGraphScope& scope) -> std::unique_ptr<TBaseFunc2DObj> {
      return TObj::FromTyped(text, name, scope);
    };
  return kind;
}

// y = f(x) and the curves the program is built with, there from the first use on, so that
// every program that reads or writes 2D graphs knows them.
std::vector<TFunctionKind> BuiltInKinds() {
  std::vector<TFunctionKind> kinds;
  kinds.push_back(Row<TFunc2DObj, TAdd2DFuncDlg>(0, "&New 2D Function...", {true, true, true, true}));
  kinds.push_back(
      Row<TParametricFuncObj, TAddParametricDlg>(kParametricCurveTag, "New &Parametric Curve...", {.trace = true}));
  kinds.push_back(Row<TImplicitFuncObj, TAddImplicitDlg>(kImplicitCurveTag, "New &Implicit Curve...", {}));
  // Derivative and integral curves come from their function's dialog.
  kinds.push_back(Row<TDerivedFuncObj, TDerivedCurveDlg>(kDerivedCurveTag, "", {.table = true}));
  for (const TFunctionKind& k : kinds)
    if (k.fileTag != 0) ClaimRecordTag(k.fileTag);
  return kinds;
}

std::vector<TFunctionKind>& Table() {
  static std::vector<TFunctionKind> table = BuiltInKinds();
  return table;
}

}  // namespace

void RegisterFunctionKind(TFunctionKind kind) {
  std::vector<TFunctionKind>& table = Table();
  const bool known = std::any_of(table.begin(), table.end(), [&kind](const TFunctionKind& k) {
    return k.type == kind.type || k.fileTag == kind.fileTag;
  });
  if (known || (kind.fileTag != 0 && !ClaimRecordTag(kind.fileTag)))
    throw std::logic_error("a function kind's class or file tag is taken");
  if (kind.registerDialog) kind.registerDialog(Dialogs());
  table.push_back(std::move(kind));
}

void UnregisterFunctionKind(std::type_index type) {
  std::vector<TFunctionKind>& table = Table();
  const auto row = std::find_if(table.begin(), table.end(), [type](const TFunctionKind& k) { return k.type == type; });
  if (row == table.end()) return;
  ReleaseRecordTag(row->fileTag);
  table.erase(row);
}

const std::vector<TFunctionKind>& FunctionKinds() { return Table(); }

const TFunctionKind* FunctionKindOf(const TBaseFunc2DObj& function) {
  const std::type_index type = typeid(function);
  for (const TFunctionKind& k : Table())
    if (k.type == type) return &k;
  return nullptr;
}

const TFunctionKind* TaggedFunctionKind(std::int32_t tag) {
  for (const TFunctionKind& k : Table())
    if (k.fileTag == tag) return &k;
  return nullptr;
}

std::unique_ptr<TBaseFunc2DObj> FunctionFromText(const std::string& text, const std::string& name, TGraphScope& scope) {
  std::unique_ptr<TBaseFunc2DObj> best;
  int bestReach = -1;
  for (const TFunctionKind& k : Table()) {
    if (!k.fromText) continue;
    std::unique_ptr<TBaseFunc2DObj> f = k.fromText(text, name, scope);
    if (!f) continue;
    if (f->ErrorText().empty()) return f;
    if (const int reach = TypedRow(*f, text).error.character; reach > bestReach) {
      best = std::move(f);
      bestReach = reach;
    }
  }
  return best;
}

std::vector<int> FunctionsOffering(const TGraph2DDoc& doc, bool TFunctionOffers::*tool) {
  std::vector<int> indexes;
  for (int i = 0; i < int(doc.Functions().size()); ++i) {
    const TBaseFunc2DObj& f = *doc.Functions()[std::size_t(i)];
    const TFunctionKind* kind = FunctionKindOf(f);
    if (kind && kind->offers.*tool && !f.Hidden && f.ErrorText().empty()) indexes.push_back(i);
  }
  return indexes;
}

void RegisterFunctionKindDialogs() {
  for (const TFunctionKind& k : Table())
    if (k.registerDialog) k.registerDialog(Dialogs());
}

}  // namespace plotix
