#include "app/settings_store.h"

#include <QAction>
#include <QSettings>
#include <QToolBar>
#include <cmath>
#include <cstdlib>

#include "app/label_tool_bar.h"
#include "app/main_window.h"
#include "app/print_scale_dialog.h"
#include "expr/math_function.h"
#include "expr/number_format.h"
#include "files/graph_file.h"
#include "platform/canvas.h"
#include "platform/limits.h"
#include "window/graph_kinds.h"

namespace plotix {

namespace {

int IntIn(const QSettings& store, const QString& key, int low, int high, int fallback) {
  bool ok = false;
  const int value = store.value(key).toInt(&ok);
  return ok && value >= low && value <= high ? value : fallback;
}

bool Bool(const QSettings& store, const QString& key, bool fallback) {
  const QVariant value = store.value(key);
  return value.isValid() && (value.toString() == "true" || value.toString() == "false") ? value.toBool() : fallback;
}

// Extended values as the shortest text that reads back as the same value.
QString ExtendedText(Extended value) { return QString::fromStdString(ReadoutText(value)); }

Extended ExtendedIn(const QSettings& store, const QString& key, Extended low, Extended high, Extended fallback) {
  const QByteArray text = store.value(key).toString().toLatin1();
  char* end = nullptr;
  const Extended value = std::strtold(text.constData(), &end);
  return !text.isEmpty() && end == text.constData() + text.size() && value >= low && value <= high ? value : fallback;
}

TColor ColorIn(const QSettings& store, const QString& key, TColor fallback) {
  bool ok = false;
  const uint value = store.value(key).toUInt(&ok);
  return ok && value <= 0xFFFFFF ? TColor(value) : fallback;
}

void SaveFont(QSettings& store, const QString& group, const TFontDesc& font) {
  store.setValue(group + "/name", QString::fromStdString(font.name));
  store.setValue(group + "/color", uint(font.color));
  store.setValue(group + "/style", int(font.style));
  store.setValue(group + "/size", font.size);
}

TFontDesc FontIn(const QSettings& store, const QString& group, const TFontDesc& fallback) {
  const QString name = store.value(group + "/name").toString();
  if (name.isEmpty() || name.size() > kMaxFontNameLength) return fallback;
  return {
      name.toStdString(), ColorIn(store, group + "/color", fallback.color),
      std::uint8_t(IntIn(store, group + "/style", 0, fsBold | fsItalic | fsUnderline | fsStrikeOut, fallback.style)),
      IntIn(store, group + "/size", kMinFontSize, kMaxFontSize, fallback.size)};
}

}  // namespace

void LoadSettings(QSettings& store, TMainForm& form) {
  TProgramSettings& s = form.Settings();
  const TProgramSettings defaults;

  QStringList recent = store.value("recentFiles").toStringList();
  recent.removeAll(QString());
  form.SetRecentFiles(recent.mid(0, kMaxRecentFiles));

  for (std::size_t i = 0; i < s.zoom2D.increments.size(); ++i)
    s.zoom2D.increments[i] =
        ExtendedIn(store, QString("hotKeys/zoom%1").arg(i + 1), 0.00001L, 10000, defaults.zoom2D.increments[i]);
  s.zoom2D.scrollAmount =
      IntIn(store, "hotKeys/scrollAmount", kMinScrollAmount, kMaxScrollAmount, defaults.zoom2D.scrollAmount);
  const Extended rotation = ExtendedIn(store, "hotKeys/rotationAmount", 0, kMaxRotationAmount, 0);
  s.zoom3D.rotationAmount = rotation > 0 ? rotation : defaults.zoom3D.rotationAmount;
  for (std::size_t i = 0; i < s.zoom3D.increments.size(); ++i)
    s.zoom3D.increments[i] = IntIn(store, QString("hotKeys/zoom3D%1").arg(i + 1), kMinZoom3DIncrement,
                                   kMaxZoom3DIncrement, defaults.zoom3D.increments[i]);
  for (const TGraphKindEntry& kind : GraphKinds())
    for (const TStatusModeChoice& choice : kind.statusModes) {
      const QString key = "statusLine/" + QString::fromStdString(choice.key);
      if (store.contains(key))
        s.statusModes[choice.key] = IntIn(store, key, 0, int(choice.names.size()) - 1, choice.defaultMode);
    }
  s.printScale = IntIn(store, "print/scale", kMinPrintScale, kMaxPrintScale, defaults.printScale);
  s.recoverySeconds = IntIn(store, "recovery/intervalSeconds", 5, 86400, defaults.recoverySeconds);
  s.digitsShown = IntIn(store, "readouts/digitsShown", kMinDigitsShown, kMaxDigitsShown, defaults.digitsShown);

  int range = 0;
  bool exact = true;
  GetTrigFixup(range, exact);
  SetTrigFixup(IntIn(store, "trigonometry/range", 0, 5, range), Bool(store, "trigonometry/exact", exact));

  DefaultFont() = FontIn(store, "fonts/default", DefaultFont());
  TToolBarAttribClass attributes = form.LabelToolBar->Attributes;
  attributes.Font = FontIn(store, "labelToolBar/font", attributes.Font);
  attributes.PenColor = ColorIn(store, "labelToolBar/penColor", attributes.PenColor);
  attributes.PenStyle = IntIn(store, "labelToolBar/penStyle", psSolid, psClear, attributes.PenStyle);
  attributes.PenWidth = IntIn(store, "labelToolBar/penWidth", kMinPenWidth, kMaxPenWidth, attributes.PenWidth);
  attributes.BrushColor = ColorIn(store, "labelToolBar/brushColor", attributes.BrushColor);
  attributes.BrushStyle = IntIn(store, "labelToolBar/brushStyle", bsSolid, bsDiagCross, attributes.BrushStyle);
  form.LabelToolBar->SetAttributes(attributes);

  form.ResizeLabelsAction->setChecked(Bool(store, "tools/resizeLabels", false));
  s.smoothDrawing = Bool(store, "window/smoothDrawing", false);
  form.SmoothDrawingAction->setChecked(s.smoothDrawing);
  form.FlatToolBarsAction->setChecked(Bool(store, "toolBars/flat", true));
  form.GraphToolBar->setVisible(Bool(store, "toolBars/graph", true));
  form.LabelToolBar->setVisible(Bool(store, "toolBars/label", false));
  form.restoreGeometry(store.value("window/geometry").toByteArray());
  // Qt drops the maximised state of a geometry saved at another screen width or scale.
  if (Bool(store, "window/maximized", false)) form.setWindowState(form.windowState() | Qt::WindowMaximized);
  form.restoreState(store.value("window/state").toByteArray());
}

void SaveSettings(QSettings& store, const TMainForm& form) {
  const TProgramSettings& s = form.Settings();
  store.setValue("recentFiles", form.RecentFiles());
  for (std::size_t i = 0; i < s.zoom2D.increments.size(); ++i)
    store.setValue(QString("hotKeys/zoom%1").arg(i + 1), ExtendedText(s.zoom2D.increments[i]));
  store.setValue("hotKeys/scrollAmount", s.zoom2D.scrollAmount);
  store.setValue("hotKeys/rotationAmount", ExtendedText(s.zoom3D.rotationAmount));
  for (std::size_t i = 0; i < s.zoom3D.increments.size(); ++i)
    store.setValue(QString("hotKeys/zoom3D%1").arg(i + 1), s.zoom3D.increments[i]);
  for (const auto& [key, mode] : s.statusModes) store.setValue("statusLine/" + QString::fromStdString(key), mode);
  store.setValue("print/scale", s.printScale);
  store.setValue("recovery/intervalSeconds", s.recoverySeconds);
  store.setValue("readouts/digitsShown", s.digitsShown);
  store.setValue("window/smoothDrawing", s.smoothDrawing);
  int range = 0;
  bool exact = true;
  GetTrigFixup(range, exact);
  store.setValue("trigonometry/range", range);
  store.setValue("trigonometry/exact", exact);
  SaveFont(store, "fonts/default", DefaultFont());
  const TToolBarAttribClass& a = form.LabelToolBar->Attributes;
  SaveFont(store, "labelToolBar/font", a.Font);
  store.setValue("labelToolBar/penColor", uint(a.PenColor));
  store.setValue("labelToolBar/penStyle", a.PenStyle);
  store.setValue("labelToolBar/penWidth", a.PenWidth);
  store.setValue("labelToolBar/brushColor", uint(a.BrushColor));
  store.setValue("labelToolBar/brushStyle", a.BrushStyle);
  store.setValue("tools/resizeLabels", form.ResizeLabelsAction->isChecked());
  store.setValue("toolBars/flat", form.FlatToolBarsAction->isChecked());
  store.setValue("toolBars/graph", !form.GraphToolBar->isHidden());
  store.setValue("toolBars/label", !form.LabelToolBar->isHidden());
  store.setValue("window/geometry", form.saveGeometry());
  store.setValue("window/maximized", form.isMaximized());
  store.setValue("window/state", form.saveState());
  store.sync();
}

}  // namespace plotix
