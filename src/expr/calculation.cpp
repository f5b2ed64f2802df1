#include "expr/calculation.h"

#include "expr/function_object.h"
#include "expr/number_format.h"

namespace plotix {

TCalcOutcome Calculate(const std::string& function, const std::string& xText, const std::string& zText, bool scientific,
                       TGraphScope* names) {
  TMathGraphFunc f;
  f.SetVariableCount(2);
  f.SetVariableName(0, "X");
  f.SetVariableName(1, "Z");
  f.SetExpression(function);
  TGraphScope none({});
  if (!f.UseNames(names ? *names : none))
    return {"Function Definition: " + f.GetErrorText(), false, TCalcOutcome::Function};

  TMathFunction constant;
  Extended values[2];
  const struct {
    const std::string& text;
    const char* label;
    TCalcOutcome::TField field;
  } vars[2] = {{xText, "Variable X: ", TCalcOutcome::VariableX}, {zText, "Variable Z: ", TCalcOutcome::VariableZ}};
  for (int i = 0; i < 2; ++i) {
    constant.SetExpression(vars[i].text);
    if (!constant.Compile()) return {vars[i].label + constant.GetErrorText(), false, vars[i].field};
    values[i] = constant.Result();
  }

  f.Value(0) = values[0];
  f.Value(1) = values[1];
  if (!f.Evaluate()) return {"Error: " + f.GetErrorText(), false, TCalcOutcome::None};
  const std::string text = scientific ? FloatToStrF(f.Result(), TFloatForm::Exponent, 18, 1)
                                      : FloatToStrF(f.Result(), TFloatForm::Fixed, 18, 18);
  return {text, true, TCalcOutcome::None};
}

}  // namespace plotix
