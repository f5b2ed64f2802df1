// The label tool bar and the label items of the Tools menu, as a graph window sees them.
#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>

#include "app/label_tool_bar.h"
#include "app/main_window.h"
#include "cartesian/cartesian_document.h"
#include "labels/font_controls.h"
#include "platform/common_dialogs.h"
#include "platform/message_box.h"
#include "window/graph_window.h"

namespace plotix {
namespace {

TEST(LabelToolBar, NewLabelsTakeTheToolAndAttributesChosen) {
  TScopedScriptedMessages messages;
  TScopedScriptedCommonDlgs dialogs;
  TMainForm form;
  EXPECT_FALSE(form.findChild<TLabelToolBar*>()->isVisible());
  EXPECT_TRUE(form.findChild<TLabelToolBar*>()->ToolButton(0)->isChecked());
  TFuncGraphWindow* w = form.NewGraphClick(k2DCartesianCode);
  ASSERT_NE(w, nullptr);

  form.findChild<QAction*>("SelectRegionAction")->trigger();
  form.findChild<TLabelToolBar*>()->ToolButton(ltEllipse)->trigger();
  EXPECT_FALSE(form.findChild<QAction*>("SelectRegionAction")->isChecked());
  EXPECT_EQ(form.LabelToolMode(), int(ltEllipse));
  form.findChild<TLabelToolBar*>()->PenStyleButton(psDashDot)->trigger();
  form.findChild<TLabelToolBar*>()->BrushStyleButton(bsCross)->trigger();
  form.findChild<TLabelToolBar*>()->PenWidth->setValue(3);
  dialogs->QueueColor(0x00FF00);
  form.findChild<TLabelToolBar*>()->PenColor->click();
  w->MouseDown(Qt::LeftButton, Qt::NoModifier, 20, 20);
  w->MouseMove(Qt::LeftButton, Qt::NoModifier, 80, 60);
  w->MouseUp(Qt::LeftButton, Qt::NoModifier, 80, 60);
  ASSERT_EQ(w->Labels().size(), 1u);
  const auto& shape = dynamic_cast<const TDrawInclosedShape&>(*w->Labels()[0]);
  EXPECT_EQ(std::tuple(shape.Kind, shape.PenStyle, shape.BrushStyle, shape.PenWidth, shape.PenColor),
            std::tuple(int(ltEllipse), int(psDashDot), int(bsCross), 3, TColor(0x00FF00)));

  // Resize Labels Mode turns a plain drag at a corner into a resize.
  form.findChild<TLabelToolBar*>()->ToolButton(0)->trigger();
  form.findChild<QAction*>("ResizeLabelsAction")->trigger();
  w->MouseDown(Qt::LeftButton, Qt::NoModifier, 80, 60);
  w->MouseMove(Qt::LeftButton, Qt::NoModifier, 90, 90);
  w->MouseUp(Qt::LeftButton, Qt::NoModifier, 90, 90);
  EXPECT_EQ(shape.P1, (TPoint{20, 20}));
  EXPECT_EQ(shape.P2, (TPoint{90, 90}));

  // The text font from the font dialog goes to new text labels.
  TFontDesc font;
  font.size = 17;
  dialogs->QueueFont(font);
  form.findChild<TLabelToolBar*>()->PickTextFont();
  EXPECT_EQ(form.findChild<TLabelToolBar*>()->FontFields->Font().size, 17);
  form.findChild<TLabelToolBar*>()->ToolButton(ltText)->trigger();
  w->MouseDown(Qt::LeftButton, Qt::NoModifier, 200, 200);
  EXPECT_EQ(dynamic_cast<const TDrawText&>(*w->Labels().back()).Font.size, 17);
}

// A typed size is held to what a graph file may hold, so every label saved can be read again.
TEST(LabelToolBar, TypedFontSizesStayWithinWhatAFileHolds) {
  TFontControls fields;
  const struct {
    const char* typed;
    int size;
  } rows[] = {{"24", 24}, {"9999", 512}, {"0", 1}, {"-30", 1}, {"abc", 1}};
  for (const auto& row : rows) {
    fields.Size->setEditText(row.typed);
    emit fields.Size->lineEdit()->editingFinished();
    EXPECT_EQ(fields.Font().size, row.size) << row.typed;
  }
}

}  // namespace
}  // namespace plotix
