#pragma once
// Graph files name the classic faces of the desktops they were made on ("Arial", "MS Sans
// Serif"). Where such a face is not installed, its text is drawn in a metric-compatible
// face that Plotix depends on, the same on every machine: fontconfig's preference, which
// changes with whatever else is installed, never decides.

namespace plotix {

// Installs the substitution table; call once the application object exists.
void InstallFontSubstitutes();

}  // namespace plotix
