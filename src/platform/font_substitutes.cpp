#include "platform/font_substitutes.h"

#include <QFont>
#include <QFontDatabase>
#include <QSet>

namespace plotix {

namespace {

// Liberation's faces keep the widths of the faces they stand in for, so text labels
// cover the same pixels; the dialog faces of old desktops have no such twin and take
// DejaVu.
const struct {
  const char* classic;
  const char* ours;
} kSubstitutes[] = {
    {"Arial", "Liberation Sans"},       {"Arial MT", "Liberation Sans"},
    {"Helvetica", "Liberation Sans"},   {"Helvetica Neue", "Liberation Sans"},
    {"Helv", "Liberation Sans"},        {"Times New Roman", "Liberation Serif"},
    {"Times", "Liberation Serif"},      {"Tms Rmn", "Liberation Serif"},
    {"Courier New", "Liberation Mono"}, {"Courier", "Liberation Mono"},
    {"MS Sans Serif", "DejaVu Sans"},   {"MS Shell Dlg", "DejaVu Sans"},
    {"MS Shell Dlg 2", "DejaVu Sans"},  {"Tahoma", "DejaVu Sans"},
    {"Verdana", "DejaVu Sans"},         {"System", "DejaVu Sans"},
    {"MS Serif", "DejaVu Serif"},
};

}  // namespace

// The installed families are listed once: asking for each name would have fontconfig
// resolve it as an alias, which costs more than the whole start of a headless render.
void InstallFontSubstitutes() {
  QSet<QString> installed;
  for (const QString& family : QFontDatabase::families()) installed.insert(family.toCaseFolded());
  for (const auto& s : kSubstitutes) {
    const QString classic = QString::fromLatin1(s.classic);
    if (!installed.contains(classic.toCaseFolded())) QFont::insertSubstitution(classic, QString::fromLatin1(s.ours));
  }
}

}  // namespace plotix
