#pragma once
// Every field of the 2D settings and function objects as one comparable value, so a test
// can say "all of it came back" in one expectation.

#include <tuple>

#include "cartesian/function.h"
#include "cartesian/settings.h"

namespace plotix {

inline auto AxisFields(const TAxisSettings& a) {
  return std::tuple(a.ShowAxisLines, a.LimitLoText, a.LimitLoEmpty, a.LimitLo, a.LimitHiText, a.LimitHiEmpty, a.LimitHi,
                    a.AxisColor, a.AxisWidth, a.AxisStyle, a.TickType, a.TickColor, a.IncText, a.Inc, a.TickLength,
                    a.GridStyle, a.ShowLabels, a.LabelFormat, a.LabelComma, a.LabelPlus, a.LabelDecimals);
}

inline auto SettingsFields(const TSetting2DObj& s) {
  return std::tuple(AxisFields(s.X), AxisFields(s.Y), s.BackColor, s.XLabelFont, s.YLabelFont);
}

inline auto FunctionFields(const TBaseFunc2DObj& function) {
  const auto& f = dynamic_cast<const TFunc2DObj&>(function);
  return std::tuple(f.Func.Expression(), f.LoBoundText, f.HiBoundText, f.LoBoundEmpty, f.HiBoundEmpty, f.LoBound,
                    f.HiBound, f.AsymptoteFixUp, f.ExtraAccuracy, f.SpecialXLines, f.SpecialX(), f.Style.Color,
                    f.Style.Width);
}

}  // namespace plotix
