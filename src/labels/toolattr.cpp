#include "labels/toolattr.h"

namespace plotix {

TToolBarAttribClass::TToolBarAttribClass() : Font(DefaultFont()) {}

}  // namespace plotix
