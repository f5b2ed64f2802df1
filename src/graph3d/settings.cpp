#include "graph3d/settings.h"

namespace plotix {

TSettings3DObj::TSettings3DObj() {
  for (TAxis3DSettings& axis : Axes) axis.LabelFont = DefaultFont();
}

}  // namespace plotix
