#include "platform/font_description.h"

namespace plotix {

TFontDesc& DefaultFont() {
  static TFontDesc font;
  return font;
}

}  // namespace plotix
