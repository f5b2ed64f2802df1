#include "expr/matherr.h"

#include <new>
#include <stdexcept>

#include "platform/msgbox.h"

namespace plotix {

const char* MathFailureText(TMathFailure failure) {
  switch (failure) {
    case TMathFailure::OutOfMemory: return "Out of Memory";
    case TMathFailure::FloatingPointError: return "Floating Point Error";
    case TMathFailure::Overflow: return "Floating Point Over Flow";
    case TMathFailure::Underflow: return "Floating Point Under Flow";
    case TMathFailure::ZeroDivide: return "Floating Point Zero Divide";
    case TMathFailure::InvalidOperation: return "Invalid Floating Point Operation";
    case TMathFailure::IntegerError: return "Integer Calculation Error";
    case TMathFailure::Unknown: return "Unknown Error";
  }
  return "Unknown Error";
}

void ShowMathFailure(TMathFailure failure) {
  ShowMessage(TMsgKind::Error, MathFailureText(failure), TMsgButtons::OK);
}

TMathFailure ClassifyCurrentException() {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    return TMathFailure::OutOfMemory;
  } catch (const std::overflow_error&) {
    return TMathFailure::Overflow;
  } catch (const std::underflow_error&) {
    return TMathFailure::Underflow;
  } catch (const std::range_error&) {
    return TMathFailure::IntegerError;
  } catch (...) {
    return TMathFailure::Unknown;
  }
}

}  // namespace plotix
