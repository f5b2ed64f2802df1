#pragma once
// TLabelToolBar ("Label Shape"): the label tool and the attributes new labels take: pen
// and brush colours and styles, pen width and the text font.

#include <QToolBar>

#include "labels/tool_attributes.h"

class QActionGroup;
class QLabel;
class QScrollBar;

namespace plotix {

class TColorSampleButton;
class TFontControls;

class TLabelToolBar : public QToolBar {
  Q_OBJECT

 public:
  explicit TLabelToolBar(QWidget* parent = nullptr);

  // Presses "Label Tools Off" without telling: the region tool has taken over.
  void ShowToolsOff();
  // The font dialog on the text font; the font controls show the choice.
  void PickTextFont();
  void SetFlat(bool flat);
  // New attributes, shown on the bar's controls.
  void SetAttributes(const TToolBarAttribClass& attributes);
  // The button of a tool (0 off, 1..7 the label kinds) or of a pen or brush style code.
  QAction* ToolButton(int tool) const;
  QAction* PenStyleButton(int style) const;
  QAction* BrushStyleButton(int style) const;

  TToolBarAttribClass Attributes;
  QActionGroup* Tools;
  QActionGroup* PenStyles;
  QActionGroup* BrushStyles;
  TColorSampleButton* PenColor;
  TColorSampleButton* BrushColor;
  QScrollBar* PenWidth;
  QLabel* PenWidthNumber;
  TFontControls* FontFields;

 signals:
  void ToolChosen(int tool);
};

}  // namespace plotix
