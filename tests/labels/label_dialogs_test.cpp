// The label dialogs and the in-place text editor.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <functional>

#include "label_fixtures.h"
#include "labels/font_controls.h"
#include "labels/label_dialogs.h"
#include "labels/text_editor.h"
#include "platform/message_box.h"

namespace plotix {
namespace {

void ClickOk(QDialog& dialog) { dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click(); }

TEST(LabelDialogs, CoordinateFieldsHoldTheLabelWhereverItIs) {
  TTestOwner owner(300, 200);
  const struct {
    TPoint p1, p2;
    int minX, maxX, minY, maxY;  // the origin's fields
  } cases[] = {
      {{10, 20}, {30, 40}, -100, 400, -100, 300},
      {{-150, 20}, {30, 40}, -150, 400, -100, 300},
      {{500, -250}, {30, 40}, -100, 500, -250, 300},
  };
  for (const auto& c : cases) {
    TScopedScriptedMessages messages;
    auto line = MakeLabel<TDrawLine>(owner, c.p1, c.p2);
    TLineLabelDlg dialog(*line);
    EXPECT_EQ(dialog.Origin.X->minimum(), c.minX);
    EXPECT_EQ(dialog.Origin.X->maximum(), c.maxX);
    EXPECT_EQ(dialog.Origin.Y->minimum(), c.minY);
    EXPECT_EQ(dialog.Origin.Y->maximum(), c.maxY);
    ClickOk(dialog);  // an unchanged label stays where it was
    EXPECT_EQ(line->P1, c.p1);
    EXPECT_EQ(line->P2, c.p2);
  }
}

TEST(LabelDialogs, OkIsRefusedForBoxesInsideOutAndLabelsOffTheBitmap) {
  TTestOwner owner(300, 200);
  auto box = MakeLabel<TDrawInclosedShape>(owner, {10, 10}, {50, 50}, int(ltRectangle));
  auto line = MakeLabel<TDrawLine>(owner, {10, 10}, {50, 50});
  auto stroke = MakeStroke(owner, {{10, 10}, {20, 15}, {30, 10}});
  auto text = MakeLabel<TDrawText>(owner, {10, 10}, {10, 10});
  TShapeLabelDlg boxDlg(*box);
  TLineLabelDlg lineDlg(*line), strokeDlg(*stroke);
  TTextLabelDlg textDlg(*text);
  const struct {
    QDialog* dialog;
    std::function<void()> edit;
    const char* message;
  } cases[] = {
      {&boxDlg, [&] { boxDlg.TopLeft.X->setValue(60); }, "Top Left X Must be <= Bottom Right X"},
      {&boxDlg, [&] { boxDlg.TopLeft.X->setValue(10), boxDlg.TopLeft.Y->setValue(60); },
       "Top Left Y Must be <= Bottom Right Y"},
      {&boxDlg, [&] { boxDlg.TopLeft.Y->setValue(-90), boxDlg.BottomRight.Y->setValue(-10); },
       "The Label Must be on the Graph Bitmap"},
      {&lineDlg, [&] { lineDlg.Origin.X->setValue(-50), lineDlg.End.X->setValue(-50); },
       "The Label Must be on the Graph Bitmap"},
      {&strokeDlg, [&] { strokeDlg.Origin.X->setValue(350); }, "The Label Must be on the Graph Bitmap"},
      {&textDlg, [&] { textDlg.TopLeft.Y->setValue(250); }, "The Label Must be on the Graph Bitmap"},
  };
  for (const auto& c : cases) {
    TScopedScriptedMessages messages;
    c.edit();
    ClickOk(*c.dialog);
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].text, c.message);
    EXPECT_EQ(c.dialog->result(), QDialog::Rejected);
  }
  EXPECT_EQ(box->P1, (TPoint{10, 10}));
  EXPECT_EQ(stroke->P1, (TPoint{10, 10}));
}

TEST(LabelDialogs, OkWritesTheLabelBack) {
  TTestOwner owner(300, 200);
  auto box = MakeLabel<TDrawInclosedShape>(owner, {50, 40}, {10, 10}, int(ltRectangle));
  {
    TShapeLabelDlg dialog(*box);
    EXPECT_EQ(dialog.windowTitle(), "Edit Rectangle/Ellipse/Round Rectangle Label");
    EXPECT_EQ(dialog.TopLeft.Value(), (TPoint{10, 10}));  // the sorted corners
    dialog.Pen.Styles->button(psClear)->click();
    dialog.Pen.Width->setValue(4);
    dialog.Brush.Styles->button(bsCross)->click();
    dialog.ShapeType->button(ltEllipse)->click();
    dialog.BottomRight.X->setValue(70);
    ClickOk(dialog);
  }
  EXPECT_EQ(std::tuple(box->P1, box->P2, box->PenStyle, box->PenWidth, box->BrushStyle, box->Kind),
            std::tuple(TPoint{10, 10}, TPoint{70, 40}, int(psClear), 4, int(bsCross), int(ltEllipse)));

  auto stroke = MakeStroke(owner, {{10, 10}, {20, 15}, {30, 12}});
  {
    TLineLabelDlg dialog(*stroke);
    EXPECT_EQ(dialog.End.X, nullptr);
    dialog.Origin.X->setValue(100);
    ClickOk(dialog);
  }
  EXPECT_EQ(stroke->P2, (TPoint{120, 12}));  // the whole stroke moved

  auto text = MakeLabel<TDrawText>(owner, {10, 10}, {10, 10});
  {
    TTextLabelDlg dialog(*text);
    dialog.LabelText->setText(QStringLiteral("Peak"));
    TFontDesc font = dialog.FontFields->Font();
    font.size = 20;
    dialog.FontFields->SetFont(font);
    ClickOk(dialog);
  }
  EXPECT_EQ(text->Text, "Peak");
  EXPECT_EQ(text->Font.size, 20);
  EXPECT_GT(text->P2.y - text->P1.y, 20);  // the extent follows the font

  auto fill = std::make_unique<TDrawFloodFill>(owner);
  {
    TFloodFillDlg dialog(*fill);
    EXPECT_EQ(dialog.Brush.Styles->button(bsDiagCross)->text(), "Diagonal Cross Brush");
    dialog.Brush.Styles->button(bsHorizontal)->click();
    dialog.Location.X->setValue(-20);  // a seed off the bitmap is allowed
    dialog.reject();
  }
  EXPECT_EQ(std::tuple(fill->BrushStyle, fill->Seed.x), std::tuple(int(bsSolid), 0));
}

class TextEditor : public ::testing::Test {
 protected:
  void SetUp() override {
    parent.resize(400, 100);
    parent.show();
    parent.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&parent));  // so that the editor takes the focus
    editor.OnClosed = [this](TCustomTextEdit& e) { closed.push_back(e.Text()); };
  }
  QWidget parent;
  TCustomTextEdit editor{&parent};
  std::vector<std::string> closed;
};

TEST_F(TextEditor, TypingStopsAt250ButALongerTextIsKept) {
  const struct {
    std::string opened;
    const char* keys;
    std::string text;
  } cases[] = {
      {std::string(249, 'a'), "bc", std::string(249, 'a') + "b"},
      {std::string(300, 'a'), "b\b", std::string(299, 'a')},
      {"", "\b\tx", "x"},
  };
  for (const auto& c : cases) {
    editor.Open({10, 10}, c.opened, TFontDesc{});
    QTest::keyClicks(&editor, c.keys);
    EXPECT_EQ(editor.Text(), c.text);
  }
}

TEST_F(TextEditor, AClickPutsTheCaretAtTheNearestBoundary) {
  editor.Open({10, 10}, "WWW", TFontDesc{});
  TBitmap measure(1, 1);
  const int w = measure.Canvas().TextWidth("W");
  const struct { int x, index; } cases[] = {{-20, 0}, {2 + w / 2 - 1, 0}, {2 + w + 1, 1}, {2 + 3 * w + 50, 3}};
  for (const auto& c : cases) {
    QTest::mouseClick(&editor, Qt::LeftButton, {}, QPoint(c.x, 5));
    EXPECT_EQ(editor.CaretIndex(), c.index) << c.x;
  }
}

TEST_F(TextEditor, ReopeningCommitsTheFirstEditOnce) {
  editor.Open({10, 10}, "one", TFontDesc{});
  editor.Open({10, 10}, "two", TFontDesc{});
  QTest::keyClick(&editor, Qt::Key_Escape);
  editor.Close();
  EXPECT_EQ(closed, (std::vector<std::string>{"one", "two"}));
  EXPECT_FALSE(editor.isVisible());
}

TEST_F(TextEditor, WhiteTextIsShownOnBlack) {
  for (const TColor color : {kWhite, kRed}) {
    TFontDesc font;
    font.color = color;
    editor.Open({10, 10}, "x", font);
    EXPECT_EQ(editor.grab().toImage().pixelColor(1, 1), color == kWhite ? QColor(Qt::black) : QColor(Qt::white));
  }
}

}  // namespace
}  // namespace plotix
