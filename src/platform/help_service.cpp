#include "platform/help_service.h"

#include <utility>

namespace plotix {

namespace {
std::function<void(const std::string&)>& Handler() {
  static std::function<void(const std::string&)> handler;
  return handler;
}
}  // namespace

void ShowHelp(const std::string& page) {
  if (Handler()) Handler()(page);
}

std::function<void(const std::string&)> InstallHelpHandler(std::function<void(const std::string&)> handler) {
  return std::exchange(Handler(), std::move(handler));
}

}  // namespace plotix
