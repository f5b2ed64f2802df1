#include "graph/setting2d.h"

namespace plotix {

TSetting2DObj::TSetting2DObj() : XLabelFont(DefaultFont()), YLabelFont(DefaultFont()) {}

}  // namespace plotix
