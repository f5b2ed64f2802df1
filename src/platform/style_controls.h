#pragma once
// Controls the settings dialogs share: the five pen style speed buttons, a pen size
// scroll bar with the label that shows its position, and the text naming a font.

#include <QString>
#include <cstdint>

#include "platform/font_description.h"

class QButtonGroup;
class QHBoxLayout;
class QLabel;
class QScrollBar;
class QWidget;

namespace plotix {

// Five exclusive speed buttons, one per pen style 0..4 (the button ids), added to the layout.
QButtonGroup* PenStyleButtons(QWidget* owner, QHBoxLayout* layout);
// Presses the style's button; an unknown style shows solid.
void CheckStyle(QButtonGroup* group, int style);
// The style of the pressed button; none pressed reads as solid.
std::uint8_t CheckedStyle(const QButtonGroup* group);
// A pen width scroll bar (1..10) with the label that shows its position, added to the layout.
QScrollBar* SizeScrollBar(QLabel*& label, QHBoxLayout* layout);
// "Face, 9 pt, Bold, Italic".
QString FontText(const TFontDesc& font);

}  // namespace plotix
