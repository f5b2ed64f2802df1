#pragma once
// The pieces tests build 2D graphs of: a y = f(x) function of a text, a parametric or implicit
// curve, a list of them, a parameter; and the function list's Modify on the first function.

#include <QListWidget>
#include <memory>
#include <string>

#include "../modal.h"
#include "cartesian/cartesian_window.h"
#include "cartesian/curve_functions.h"
#include "window/function_list_dialog.h"

namespace plotix {

inline std::unique_ptr<TFunc2DObj> Function(const std::string& text, const std::string& name = "f") {
  auto f = std::make_unique<TFunc2DObj>();
  f->Name = name;
  f->Func.SetExpression(text);
  return f;
}

inline std::unique_ptr<TParametricFuncObj> Curve(const std::string& x, const std::string& y,
                                                 const std::string& name = "f") {
  auto f = std::make_unique<TParametricFuncObj>();
  f->Name = name;
  f->X.SetExpression(x);
  f->Y.SetExpression(y);
  return f;
}

inline std::unique_ptr<TImplicitFuncObj> Equation(const std::string& text, const std::string& name = "f") {
  auto f = std::make_unique<TImplicitFuncObj>();
  f->Name = name;
  f->Equation.SetText(text);
  return f;
}

// The functions of a 2D graph, in order.
template <class... T>
TFuncList<TBaseFunc2DObj> List(std::unique_ptr<T>... functions) {
  TFuncList<TBaseFunc2DObj> list;
  (list.push_back(std::move(functions)), ...);
  return list;
}

inline TParameter Param(const char* name, Extended value = 1) {
  TParameter p;
  p.Name = name;
  p.Value = value;
  return p;
}

// "Edit Function List", Modify on the first row (its dialog as the test registered it), OK.
inline void ModifyFirstInList(TFunc2DWindow& window) {
  OnNextModal([](QWidget* modal) {
    auto& dlg = *qobject_cast<TFuncListDlg*>(modal);
    dlg.FListBox->setCurrentRow(0);
    dlg.ModifyClick();
    dlg.accept();
  });
  window.EditFunctionList();
}

}  // namespace plotix
