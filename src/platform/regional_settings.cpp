#include "platform/regional_settings.h"

namespace plotix {

TRegionalSettings& Regional() {
  static TRegionalSettings settings;
  return settings;
}

}  // namespace plotix
