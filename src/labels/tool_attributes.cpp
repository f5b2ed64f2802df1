#include "labels/tool_attributes.h"

namespace plotix {

TToolBarAttribClass::TToolBarAttribClass() : Font(DefaultFont()) {}

}  // namespace plotix
