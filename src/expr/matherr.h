#pragma once
// The failure messages that drawing code shows when it catches a failure.

namespace plotix {

enum class TMathFailure {
  OutOfMemory,
  FloatingPointError,
  Overflow,
  Underflow,
  ZeroDivide,
  InvalidOperation,
  IntegerError,
  Unknown,
};

const char* MathFailureText(TMathFailure failure);

// Shows the failure's text in an error box with an OK button.
void ShowMathFailure(TMathFailure failure);

// Inside a catch block: which failure the exception in flight stands for.
TMathFailure ClassifyCurrentException();

}  // namespace plotix
