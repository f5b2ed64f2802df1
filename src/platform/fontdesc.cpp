#include "platform/fontdesc.h"

namespace plotix {

TFontDesc& DefaultFont() {
  static TFontDesc font;
  return font;
}

}  // namespace plotix
