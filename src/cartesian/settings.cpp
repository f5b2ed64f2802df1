#include "cartesian/settings.h"

namespace plotix {

TSetting2DObj::TSetting2DObj() : XLabelFont(DefaultFont()), YLabelFont(DefaultFont()) {}

}  // namespace plotix
