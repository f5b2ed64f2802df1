#pragma once
// The way to the manual from any part of Plotix: a dialog's Help button and F1 name the
// page they are about ("polar.md#change-polar-view"); the desktop program installs the
// help window behind it, and where none is installed (the headless modes, tests) asking
// shows nothing.

#include <functional>
#include <string>

namespace plotix {

// The property a dialog names its manual page by, for F1.
constexpr char kHelpPageProperty[] = "helpPage";

void ShowHelp(const std::string& page);
// Installs the way to the manual and returns the previous one.
std::function<void(const std::string&)> InstallHelpHandler(std::function<void(const std::string&)> handler);

}  // namespace plotix
