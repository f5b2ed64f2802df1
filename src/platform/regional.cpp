#include "platform/regional.h"

namespace plotix {

TRegionalSettings& Regional() {
  static TRegionalSettings settings;
  return settings;
}

}  // namespace plotix
