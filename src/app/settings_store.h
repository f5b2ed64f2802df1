#pragma once
// The program's settings on disk, kept between runs with QSettings (organisation and
// application "Plotix": on Linux ~/.config/Plotix/Plotix.conf). A value that a damaged
// or hand-edited file holds out of its range is read as its default. The headless modes
// neither read nor write the file.

class QSettings;

namespace plotix {

class TMainForm;

// Gives the main window, its tool bars and the program's settings what the store holds.
void LoadSettings(QSettings& store, TMainForm& form);
void SaveSettings(QSettings& store, const TMainForm& form);

}  // namespace plotix
