#pragma once
// A function of any kind compiled from its definition, as its dialog leaves it.

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace plotix {

template <class T>
std::unique_ptr<T> Compiled(const std::string& definition) {
  auto f = std::make_unique<T>();
  f->Func.SetExpression(definition);
  EXPECT_TRUE(f->Func.Compile()) << definition;
  return f;
}

}  // namespace plotix
