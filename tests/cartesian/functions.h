#pragma once
// The pieces tests build 2D graphs of: a y = f(x) function of a text, a parameter.

#include <memory>
#include <string>

#include "cartesian/function.h"

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

}  // namespace plotix
