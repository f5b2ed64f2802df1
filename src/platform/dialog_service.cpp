#include "platform/dialog_service.h"

#include "platform/message_box.h"

namespace plotix {

namespace {
std::unique_ptr<TDialogService>& Installed() {
  static std::unique_ptr<TDialogService> service = std::make_unique<TDialogService>();
  return service;
}
}  // namespace

bool TDialogService::Run(std::type_index type, void* object, bool addMode) {
  const auto found = dialogs_.find(type);
  if (found == dialogs_.end()) {
    ShowMessage(TMsgKind::Error, "Unknown Error", TMsgButtons::OK);
    return false;
  }
  return found->second(object, addMode);
}

TDialogService& Dialogs() { return *Installed(); }

std::unique_ptr<TDialogService> InstallDialogService(std::unique_ptr<TDialogService> service) {
  std::swap(Installed(), service);
  return service;
}

TScopedDialogService::TScopedDialogService() {
  auto service = std::make_unique<TDialogService>();
  service_ = service.get();
  previous_ = InstallDialogService(std::move(service));
}

TScopedDialogService::~TScopedDialogService() { InstallDialogService(std::move(previous_)); }

}  // namespace plotix
