// What a new user of the desktop program runs into: the question before unsaved work is
// lost, where new windows open, the picture formats of the bitmap export, number boxes and
// pen style buttons.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSpinBox>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <tuple>

#include "../compiled.h"
#include "../files/file_fixtures.h"
#include "../modal.h"
#include "app/main_window.h"
#include "app/picture_output.h"
#include "app/print_scale_dialog.h"
#include "app/region_dialog.h"
#include "cartesian/cartesian_window.h"
#include "cartesian/curve_dialogs.h"
#include "cartesian/function_dialog.h"
#include "expr/math_const_edit.h"
#include "graph3d/function_dialog.h"
#include "graph3d/rotate_dialog.h"
#include "labels/label_list.h"
#include "platform/common_dialogs.h"
#include "platform/dialog_controls.h"
#include "platform/message_box.h"
#include "platform/picture_file.h"
#include "polar/function_dialog.h"

namespace plotix {
namespace {

using testbytes::TScratchDir;

class Desktop : public ::testing::Test {
 protected:
  Desktop() { form.show(); }
  ~Desktop() override { Settle(); }
  static void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
  int Windows() const { return int(form.findChild<QMdiArea*>()->subWindowList().size()); }

  TScopedScriptedMessages messages;
  TScopedScriptedCommonDlgs dialogs;
  TScratchDir dir;
  TMainForm form;
};

// What a modified object's dialog shows selected in the field that has the focus as it opens.
template <class TDlg, class TObj, class TField>
std::string OpenedSelection(TObj& object, TField* TDlg::*field) {
  TDlg dlg(object, false);
  dlg.show();
  const QLineEdit* edit = dlg.*field;
  return dlg.focusWidget() == edit ? edit->selectedText().toStdString() : "(elsewhere)";
}

// Every function and curve dialog, a modified one too, opens in its first definition field
// with the text selected: what is typed replaces it, and Enter then keeps it.
TEST(FunctionDialogs, OpenInTheDefinitionWithItsTextSelected) {
  EXPECT_EQ(OpenedSelection(*Compiled<TFunc2DObj>("x^2"), &TAdd2DFuncDlg::EUserFuncStr), "x^2");
  TParametricFuncObj p;
  p.X.SetExpression("cos(t)");
  EXPECT_EQ(OpenedSelection(p, &TAddParametricDlg::EXStr), "cos(t)");
  TImplicitFuncObj i;
  i.Equation.SetText("x^2+y^2=4", nullptr);
  EXPECT_EQ(OpenedSelection(i, &TAddImplicitDlg::EEquationStr), "x^2+y^2=4");
  TDerivedFuncObj integral("f", {TDerivedKind::Integral, "1", "0", 1, 0});
  EXPECT_EQ(OpenedSelection(integral, &TDerivedCurveDlg::EX0Str), "1");
  EXPECT_EQ(OpenedSelection(*Compiled<TFuncPolarObj>("cos(3theta)"), &TAddPolarFuncDlg::EUserFuncStr), "cos(3theta)");
  EXPECT_EQ(OpenedSelection(*Compiled<TFunc3DObj>("x*y"), &TAdd3DFuncDlg::EUserFuncStr), "x*y");
  EXPECT_EQ(OpenedSelection(*Compiled<TFuncRotateObj>("sqrt(x)"), &TAddRotateDlg::EUserFuncStr), "sqrt(x)");
}

TEST_F(Desktop, ClosingUnsavedWorkAsksFirst) {
  enum TWork { Nothing, Function, Label };
  const struct {
    TWork work;
    TMsgAnswer answer;
    const char* saveAs;  // the name the save dialog gives, null: cancelled
    bool closes;
  } rows[] = {
      {Nothing, TMsgAnswer::No, nullptr, true},  // not asked
      {Function, TMsgAnswer::No, nullptr, true},   {Function, TMsgAnswer::Cancel, nullptr, false},
      {Function, TMsgAnswer::Yes, nullptr, false}, {Function, TMsgAnswer::Yes, "f.pxg", true},
      {Label, TMsgAnswer::Yes, "l.pxg", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(&row - rows);
    auto* w = static_cast<TFunc2DWindow*>(form.NewGraphClick(k2DCartesianCode));
    w->ZoomIn();  // modified
    if (row.work == Function) w->AppendFunction(std::make_unique<TFunc2DObj>());
    if (row.work == Label) w->LabelEditor().AddLabel(CreateLabel(ltRectangle, w->LabelOwner()));
    messages->shown.clear();
    if (row.work != Nothing) messages->QueueAnswer(row.answer);
    if (row.saveAs) dialogs->QueueFileName(dir.Path(row.saveAs));
    const int before = Windows();
    form.CloseFile1Click();
    Settle();
    EXPECT_EQ(Windows(), before - row.closes);
    ASSERT_EQ(messages->shown.size(), row.work == Nothing ? 0u : 1u);
    for (const auto& shown : messages->shown) EXPECT_EQ(shown.text, "Save Changes To Graph 2D Cartesian?");
    EXPECT_EQ(row.saveAs && std::filesystem::exists(dir.Path(row.saveAs)), row.saveAs && row.closes);
  }
  messages->QueueAnswer(TMsgAnswer::Cancel);
  EXPECT_FALSE(form.close());  // nor does the program end over unsaved work
}

// Sixteen new windows cascade inside the area, each a title bar below and right of the
// one before, none hiding another.
TEST_F(Desktop, NewWindowsCascadeInsideTheArea) {
  const QRect area(QPoint(0, 0), form.findChild<QMdiArea*>()->viewport()->size());
  QList<QPoint> corners;
  for (int i = 0; i < kMaxGraphWindows; ++i) {
    auto* sub = qobject_cast<QMdiSubWindow*>(form.NewGraphClick(k2DCartesianCode)->parentWidget());
    EXPECT_TRUE(area.contains(sub->geometry())) << i;
    if (!corners.contains(sub->pos())) corners << sub->pos();
  }
  ASSERT_EQ(corners.size(), kMaxGraphWindows);
  const int step = corners[1].x() - corners[0].x();
  EXPECT_GT(step, 10);
  EXPECT_EQ(corners[1], corners[0] + QPoint(step, step));
}

// A name typed without an extension takes the one of the chosen file type, and its format.
TEST(DesktopDialogs, BitmapExportWritesTheChosenFileType) {
  TScopedScriptedMessages messages;
  TScratchDir dir;
  TFunc2DWindow window;
  window.NewDefaultSize();
  const struct {
    const char* name;
    int downs;  // in the file type list
    const char* format;
    int scale;
  } rows[] = {{"a", 0, "bmp", 1}, {"b", 1, "png", 1}, {"c", 3, "png", 2}};
  for (const auto& r : rows) {
    OnNextModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->nameFilters(),
                QStringList({"Bitmap File (*.bmp)", "PNG Files (*.png)", "PNG Files, Smooth (*.png)",
                             "PNG Files, Smooth 2x (*.png)", "PNG Files, Smooth 4x (*.png)", "SVG Files (*.svg)",
                             "PDF Files (*.pdf)"}));
      for (int i = 0; i < r.downs; ++i)
        QTest::keyClick(dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")), Qt::Key_Down);
      dialog->selectFile(QString::fromStdString(dir.Path(r.name)));
      static_cast<QDialog*>(dialog)->accept();
    });
    ASSERT_TRUE(SaveBitmapFile(nullptr, window));
    QImageReader written(QString::fromStdString(dir.Path(r.name)) + "." + r.format);
    EXPECT_EQ(std::tuple(written.format(), written.size()),
              std::tuple(QByteArray(r.format), QSize(500, 500) * r.scale));
  }
}

// Sized for the largest value the program allows, with a digit to spare, also on a small
// bitmap; the pressed pen style shows in the selection colour.
TEST(DesktopDialogs, NumberBoxesFitTheirLargestValuesAndPenStylesShowWhichIsPressed) {
  TSelectedRegionDlg region({0, 0, 10, 10}, true, 16, 16);
  TPrintScaleDlg scale(100);
  for (const auto& [dialog, box, widest] : {std::tuple<QDialog*, QSpinBox*, int>{&region, region.EX1, 1999},
                                            {&region, region.EY2, 1999},
                                            {&scale, scale.EScale, 500}}) {
    dialog->show();
    QSpinBox tight;
    tight.setRange(0, widest);
    EXPECT_GE(box->width(), tight.sizeHint().width() + box->fontMetrics().horizontalAdvance('0')) << widest;
  }

  QWidget owner;
  QButtonGroup* group = PenStyleButtons(&owner, new QHBoxLayout(&owner));
  CheckPenStyle(group, 2);
  owner.show();
  for (int style = 0; style < 5; ++style) {
    const QImage face = group->button(style)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto* pixels = reinterpret_cast<const QRgb*>(face.constBits());
    const auto marked =
        std::count(pixels, pixels + face.width() * face.height(), owner.palette().highlight().color().rgb());
    EXPECT_EQ(marked > 100, style == 2) << style << ": " << marked;
  }
}

// PNG pictures are exact also with more colours than a palette holds.
TEST(DesktopPictures, PngFilesKeepEveryColour) {
  TScratchDir dir;
  QImage image(300, 2, QImage::Format_RGB32);
  for (int x = 0; x < image.width(); ++x) image.setPixel(x, 0, qRgb(x % 256, x / 256, 7));
  ASSERT_TRUE(WritePngFile(image, dir.Path("many.png")));
  EXPECT_EQ(QImage(QString::fromStdString(dir.Path("many.png"))).convertToFormat(QImage::Format_RGB32), image);
}

}  // namespace
}  // namespace plotix
