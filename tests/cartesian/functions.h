#pragma once
// The pieces tests build 2D graphs of: a y = f(x) function of a text, a parameter; and the
// function list's Modify on the first function.

#include <QListWidget>
#include <memory>
#include <string>

#include "../modal.h"
#include "cartesian/cartesian_window.h"
#include "window/function_list_dialog.h"

namespace plotix {

inline std::unique_ptr<TFunc2DObj> Function(const std::string& text, const std::string& name = "f") {
  auto f = std::make_unique<TFunc2DObj>();
  f->Name = name;
  f->Func.SetExpression(text);
  return f;
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
