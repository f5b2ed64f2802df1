#pragma once
// The modal dialogs that edit model objects (function objects of every graph kind, labels).
// A model asks for its dialog here by its own type; the application registers the Qt
// dialogs at start-up and tests register scripted ones, as with the message handler.

#include <functional>
#include <memory>
#include <typeindex>
#include <unordered_map>

namespace plotix {

class TDialogService {
 public:
  // The dialog that edits objects of type T; addMode tells a new object from one modified.
  // It returns true when the user stored a change.
  template <class T>
  void Register(std::function<bool(T&, bool addMode)> dialog) {
    dialogs_[typeid(T)] = [dialog = std::move(dialog)](void* object, bool addMode) {
      return dialog(*static_cast<T*>(object), addMode);
    };
  }

  // Runs the dialog registered for T. Without one (a fault of the program, not a Cancel)
  // the user is told "Unknown Error" and the answer is false.
  template <class T>
  bool Run(T& object, bool addMode = false) {
    return Run(typeid(T), &object, addMode);
  }
  // The same for the object's own class, of which T is a base.
  template <class T>
  bool RunForItsClass(T& object, bool addMode) {
    return Run(typeid(object), dynamic_cast<void*>(&object), addMode);
  }

 private:
  bool Run(std::type_index type, void* object, bool addMode);

  std::unordered_map<std::type_index, std::function<bool(void*, bool)>> dialogs_;
};

// The service in use (an empty one until another is installed).
TDialogService& Dialogs();
// Installs a service and returns the previous one.
std::unique_ptr<TDialogService> InstallDialogService(std::unique_ptr<TDialogService> service);

// Installs an empty service for the life of the scope and restores the previous one.
class TScopedDialogService {
 public:
  TScopedDialogService();
  ~TScopedDialogService();
  TScopedDialogService(const TScopedDialogService&) = delete;
  TScopedDialogService& operator=(const TScopedDialogService&) = delete;

  TDialogService* operator->() { return service_; }

 private:
  TDialogService* service_;
  std::unique_ptr<TDialogService> previous_;
};

}  // namespace plotix
