// What a new user of the desktop program runs into: the question before unsaved work is
// lost, where new windows open, the picture formats of the bitmap export, and dialogs
// wide enough for their values.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImageReader>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSpinBox>
#include <QTest>
#include <filesystem>

#include "../files/file_fixtures.h"
#include "../modal.h"
#include "app/main_window.h"
#include "app/picture_output.h"
#include "app/print_scale_dialog.h"
#include "app/region_dialog.h"
#include "cartesian/cartesian_window.h"
#include "labels/label_list.h"
#include "platform/common_dialogs.h"
#include "platform/dialog_controls.h"
#include "platform/message_box.h"
#include "platform/picture_file.h"
#include "window/graph_kinds.h"

namespace plotix {
namespace {

using testbytes::TScratchDir;

class Desktop : public ::testing::Test {
 protected:
  Desktop() { form.show(); }
  ~Desktop() override { Settle(); }
  static void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
  int Windows() const { return int(form.MdiArea->subWindowList().size()); }

  TScopedScriptedMessages messages;
  TScopedScriptedCommonDlgs dialogs;
  TScratchDir dir;
  TMainForm form;
};

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
    auto* w = static_cast<TFunc2DWindow*>(form.New2DCartisian1Click());
    w->ZoomIn();  // modified
    if (row.work == Function) w->Doc.Functions.push_back(std::make_unique<TFunc2DObj>());
    if (row.work == Label) w->Doc.Labels.push_back(CreateLabel(ltRectangle, w->Doc.LabelOwner));
    messages->shown.clear();
    if (row.work != Nothing) messages->QueueAnswer(row.answer);
    if (row.saveAs) dialogs->QueueFileName(dir.Path(row.saveAs));
    form.CloseFile1Click();
    Settle();
    EXPECT_EQ(Windows(), row.closes ? 0 : 1);
    if (row.work == Nothing) {
      EXPECT_TRUE(messages->shown.empty());
    } else {
      ASSERT_EQ(messages->shown.size(), 1u);
      EXPECT_EQ(messages->shown[0].text, "Save Changes To Graph 2D Cartesian?");
      EXPECT_EQ(messages->shown[0].buttons, TMsgButtons::YesNoCancel);
    }
    EXPECT_EQ(row.saveAs && std::filesystem::exists(dir.Path(row.saveAs)), row.closes && row.saveAs != nullptr);
    if (!row.closes) {
      // The program does not end over it either.
      messages->QueueAnswer(TMsgAnswer::Cancel);
      EXPECT_FALSE(form.close());
      messages->QueueAnswer(TMsgAnswer::No);
      form.CloseFile1Click();
      Settle();
    }
  }
}

TEST_F(Desktop, NewWindowsCascadeInsideTheArea) {
  const struct {
    QSize size;
    bool roomy;  // the program's first size: no window hides another
  } rows[] = {{{1000, 760}, true}, {{640, 600}, false}};
  for (const auto& row : rows) {
    form.resize(row.size);
    const QRect area(QPoint(0, 0), form.MdiArea->viewport()->size());
    QList<QPoint> corners;
    for (int i = 0; i < kMaxGraphWindows; ++i) {
      auto* sub = qobject_cast<QMdiSubWindow*>(form.New2DCartisian1Click()->parentWidget());
      ASSERT_NE(sub, nullptr);
      EXPECT_TRUE(area.contains(sub->geometry())) << i;
      if (!corners.contains(sub->pos())) corners << sub->pos();
    }
    if (row.roomy) {
      EXPECT_EQ(corners.size(), kMaxGraphWindows);
      const int step = corners[1].x() - corners[0].x();
      EXPECT_GT(step, 10);  // a title bar
      EXPECT_EQ(corners[1], corners[0] + QPoint(step, step));
    }
    form.MdiArea->closeAllSubWindows();
    Settle();
  }
}

// A name typed without an extension takes the one of the chosen file type, and its format.
TEST(DesktopDialogs, BitmapExportWritesTheChosenFileType) {
  TScopedScriptedMessages messages;
  TScratchDir dir;
  TFunc2DWindow window;
  window.NewDefaultSize();
  for (const char* type : {"BMP", "PNG"}) {
    OnNextModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->nameFilters(), QStringList({"Bitmap Files (*.bmp)", "PNG Files (*.png)"}));
      if (type == std::string("PNG"))
        QTest::keyClick(dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")), Qt::Key_Down);
      dialog->selectFile(QString::fromStdString(dir.Path(type)));
      static_cast<QDialog*>(dialog)->accept();
    });
    ASSERT_TRUE(SaveBitmapFile(nullptr, window));
    const QString written = QString::fromStdString(dir.Path(type)) + "." + QString(type).toLower();
    EXPECT_EQ(QImageReader(written).format(), QString(type).toLower().toLatin1());
  }
}

// Sized for the largest value the program allows, with a digit to spare, also when the
// bitmap is small.
TEST(DesktopDialogs, NumberBoxesFitTheirLargestValues) {
  TSelectedRegionDlg region({0, 0, 10, 10}, true, 16, 16);
  TPrintScaleDlg scale(100);
  const struct {
    QDialog* dialog;
    QSpinBox* box;
    int widest;
  } rows[] = {{&region, region.EX1, 1999}, {&region, region.EY2, 1999}, {&scale, scale.EScale, 500}};
  for (const auto& row : rows) {
    row.dialog->show();
    QSpinBox tight;
    tight.setRange(0, row.widest);
    EXPECT_GE(row.box->width(), tight.sizeHint().width() + row.box->fontMetrics().horizontalAdvance('0'))
        << row.box->objectName().toStdString();
  }
}

// The pressed pen style shows in the selection colour; the others do not.
TEST(DesktopDialogs, PressedPenStyleStandsOut) {
  QWidget owner;
  auto* row = new QHBoxLayout(&owner);
  QButtonGroup* group = PenStyleButtons(&owner, row);
  CheckPenStyle(group, 2);
  owner.show();
  const QRgb highlight = owner.palette().color(QPalette::Highlight).rgb();
  for (int style = 0; style < 5; ++style) {
    const QImage face = group->button(style)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int marked = 0;
    for (int y = 0; y < face.height(); ++y)
      for (int x = 0; x < face.width(); ++x) marked += face.pixel(x, y) == highlight;
    EXPECT_EQ(marked > 100, style == 2) << style << ": " << marked;
  }
  EXPECT_EQ(CheckedPenStyle(group), 2);
}

// PNG pictures are exact whatever the number of colours (a palette holds at most 256).
TEST(DesktopPictures, PngFilesKeepEveryColour) {
  TScratchDir dir;
  for (const int colours : {3, 300}) {
    QImage image(400, 20, QImage::Format_RGB32);
    for (int x = 0; x < image.width(); ++x)
      for (int y = 0; y < image.height(); ++y) image.setPixel(x, y, qRgb(x % colours, y, 7));
    const std::string path = dir.Path(std::to_string(colours) + ".png");
    ASSERT_TRUE(WritePictureFile(image, 32, path));
    EXPECT_EQ(QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32), image) << colours;
  }
}

// The README shows every example as the program draws it now (scripts/render_docs.sh).
TEST(DesktopPictures, ReadmePicturesShowEveryExampleAsDrawnNow) {
  const QDir examples(QStringLiteral(PLOTIX_EXAMPLES));
  const QStringList graphs = examples.entryList({QStringLiteral("*.pxg")});
  ASSERT_FALSE(graphs.isEmpty());
  for (const QString& graph : graphs) {
    const std::unique_ptr<TGraphDoc> doc = OpenGraphDocument(examples.filePath(graph).toStdString());
    ASSERT_TRUE(doc) << graph.toStdString();
    TBitmap bitmap(doc->BitmapWidth, doc->BitmapHeight);
    doc->RenderWithLabels(bitmap);
    const QImage picture(examples.filePath("../docs/" + QFileInfo(graph).completeBaseName() + ".png"));
    EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32), bitmap.Image()) << graph.toStdString();
  }
}

}  // namespace
}  // namespace plotix
