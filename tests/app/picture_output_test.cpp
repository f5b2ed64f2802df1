// The picture going out: bitmap size and depth, regions, bitmap files, the clipboard and
// printing to PDF.
#include "app/picture_output.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFile>
#include <QGuiApplication>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>

#include "../files/file_fixtures.h"
#include "../modal.h"
#include "app/area_choice_dialog.h"
#include "cartesian/cartesian_window.h"
#include "platform/bmp_file.h"
#include "platform/common_dialogs.h"
#include "platform/message_box.h"

namespace plotix {
namespace {

// Two halves of different colours, so placement and region copies show.
void PaintHalves(TBitmap& bitmap) {
  bitmap.Canvas().Brush() = {0x0000FF, bsSolid};
  bitmap.Canvas().FillRect({0, 0, bitmap.Width() / 2, bitmap.Height()});
  bitmap.Canvas().Brush() = {0xFF0000, bsSolid};
  bitmap.Canvas().FillRect({bitmap.Width() / 2, 0, bitmap.Width(), bitmap.Height()});
}

// Answers the area question: the selected region or the whole bitmap.
void AnswerArea(const char* caption, bool region) {
  OnNextModal([caption, region](QWidget* modal) {
    auto* dialog = qobject_cast<TSelectedAreaDlg*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle().toStdString(), caption);
    dialog->findChild<QRadioButton*>(region ? "RBSelected" : "RBAll")->setChecked(true);
    dialog->Buttons->button(QDialogButtonBox::Ok)->click();
  });
}

TEST(PictureRegion, RegionsHoldBothCornersAndPrintsArePlacedByTheScale) {
  TBitmap source(50, 40, 16);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 50; ++x) source.Canvas().SetPixel(x, y, RGBColor(x * 5, y * 6, 0));
  const struct {
    TRect region;
    int width, height;
  } rows[] = {{{10, 5, 20, 12}, 11, 8}, {{30, 25, 10, 5}, 21, 21}, {{7, 7, 7, 7}, 1, 1}};
  for (const auto& r : rows) {
    const auto copy = MakeRegionBitmap(source, r.region);
    const TRect n = NormalizedRect(r.region);
    EXPECT_EQ(std::tuple(copy->Width(), copy->Height(), copy->Depth(), copy->Canvas().Pixel(0, 0),
                         copy->Canvas().Pixel(r.width - 1, r.height - 1)),
              std::tuple(r.width, r.height, 16, source.Canvas().Pixel(n.left, n.top),
                         source.Canvas().Pixel(n.right, n.bottom)));
  }
  const struct {
    int width, height, percent;
    TPrintPlacement place;
  } prints[] = {{500, 500, 100, {false, {0, 0, 500, 500}}},
                {500, 500, 25, {true, {0, 0, 125, 125}}},  // 124.75
                {100, 50, 150, {true, {0, 0, 148, 74}}},   // 148.5 and 73.5 to even
                {40, 30, 500, {true, {0, 0, 195, 145}}}};
  for (const auto& p : prints) EXPECT_EQ(PlacePrint(p.width, p.height, p.percent), p.place) << p.percent;
}

class Picture : public ::testing::Test {
 protected:
  void SetUp() override { window.NewDefaultSize(); }

  TScopedScriptedMessages messages;
  TScopedScriptedCommonDlgs dialogs;
  testbytes::TScratchDir dir;
  TFunc2DWindow window;
};

TEST_F(Picture, ResizingDeletesLabelsLeftOffTheBitmapAndSnapsToTheDepth) {
  for (const auto& [p1, p2] : {std::pair{TPoint{10, 10}, TPoint{50, 50}},
                               {TPoint{250, 150}, TPoint{400, 400}},
                               {TPoint{350, 250}, TPoint{450, 480}}}) {
    auto box = std::make_unique<TDrawInclosedShape>(window.LabelOwner(), ltRectangle);
    box->P1 = p1;
    box->P2 = p2;
    window.LabelEditor().AddLabel(std::move(box));
  }
  window.SetModified(false);
  ASSERT_TRUE(window.SetBitmapAttributes(300, 200, 32));
  EXPECT_EQ(std::tuple(window.Doc().BitmapWidth(), window.ScreenPicture().Width(), window.GraphPicture().Height()),
            std::tuple(300, 300, 200));
  EXPECT_EQ(window.Doc().Labels().size(), 2u);  // the third has no corner on 300 x 200
  EXPECT_TRUE(window.IsModified());
  EXPECT_EQ(window.GraphPicture().Canvas().Pixel(150, 30), window.Doc().Settings().Y.AxisColor);  // redrawn, centred
  ASSERT_TRUE(window.SetBitmapAttributes(600, 600, 32));  // growing deletes nothing
  EXPECT_EQ(window.Doc().Labels().size(), 2u);
  TSetting2DObj settings = window.Doc().Settings();
  settings.BackColor = RGBColor(200, 150, 100);
  window.SetSettings(settings);
  for (const int depth : {4, 8, 16}) {
    ASSERT_TRUE(window.SetBitmapAttributes(100, 80, depth));
    EXPECT_EQ(std::tuple(window.GraphPicture().Depth(), window.ScreenPicture().Canvas().Pixel(3, 3)),
              std::tuple(depth, SnapColor(RGBColor(200, 150, 100), depth)));
  }
}

TEST_F(Picture, FilesAndTheClipboardGetTheWholeBitmapOrTheRegionAsAsked) {
  for (const int depth : {4, 8, 16, 32}) {  // no region: no area question
    ASSERT_TRUE(window.SetBitmapAttributes(37, 21, depth));
    dialogs->QueueFileName(dir.Path("g.bmp"));
    ASSERT_TRUE(SaveBitmapFile(nullptr, window));
    EXPECT_EQ(std::tuple(dialogs->asked.back().title, dialogs->asked.back().defaultExt),
              std::tuple(std::string("Save As Bitmap File"), std::string("bmp")));
    const testbytes::TBytes bytes = testbytes::ReadBytes(dir.Path("g.bmp"));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())),
              EncodeBmp(window.ScreenPicture().Image(), depth));
  }
  ASSERT_TRUE(window.SetBitmapAttributes(500, 500, 32));
  window.ShowRegion({260, 40, 240, 10});  // corners in any order: the y axis and a tick in it
  const QImage whole = window.GraphPicture().Image().copy();
  dialogs->QueueFileName(dir.Path("region.bmp"));
  AnswerArea("Area to Save to File", true);
  ASSERT_TRUE(SaveBitmapFile(nullptr, window));
  const QImage region(QString::fromStdString(dir.Path("region.bmp")));
  EXPECT_EQ(region.convertToFormat(QImage::Format_RGB32), whole.copy(240, 10, 21, 31));  // without its outline
  EXPECT_EQ(std::tuple(window.LabelEditor().Mode(), window.Region()),
            std::tuple(lmRegionShown, TRect{240, 10, 260, 40}));
  QClipboard* clipboard = QGuiApplication::clipboard();
  AnswerArea("Area to Paste to Clipboard", true);
  ASSERT_TRUE(CopyBitmapToClipboard(nullptr, window));
  EXPECT_EQ(clipboard->image().convertToFormat(QImage::Format_RGB32), whole.copy(240, 10, 21, 31));
  window.LeaveMode();
  dialogs->QueueFileName(dir.Path("no-such-folder/g.bmp"));
  EXPECT_FALSE(SaveBitmapFile(nullptr, window));
  EXPECT_EQ(messages->shown.at(0).text, "Error Writing To File");
}

// Printed to a PDF at 96 dots per inch from the page's corner and rasterised again.
TEST_F(Picture, APrintIsOnePagePlacedByTheScale) {
  TBitmap bitmap(40, 30);
  PaintHalves(bitmap);
  const struct {
    int percent;
    int redX, blueX, whiteX;  // columns on the page in row 10
  } rows[] = {{100, 5, 35, 45}, {200, 10, 70, 85}, {50, 4, 16, 25}};
  for (const auto& r : rows) {
    const std::string pdf = dir.Path("p.pdf");
    {
      QPrinter printer(QPrinter::ScreenResolution);
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(QString::fromStdString(pdf));
      printer.setResolution(96);
      printer.setFullPage(true);
      ASSERT_TRUE(PrintBitmap(printer, bitmap, r.percent));
    }
    const QString tool = QStandardPaths::findExecutable("pdftoppm");
    ASSERT_FALSE(tool.isEmpty()) << "pdftoppm (poppler-utils) is needed";
    QProcess::execute(tool, {"-r", "96", "-png", QString::fromStdString(pdf), QString::fromStdString(dir.Path("p"))});
    EXPECT_FALSE(QFile::exists(QString::fromStdString(dir.Path("p-2.png"))));  // one page
    const QImage page(QString::fromStdString(dir.Path("p-1.png")));
    // The PDF's image compression may move a channel by 2.
    const auto near = [&page](int x, QColor want) {
      const QColor c = page.pixelColor(x, 10);
      return std::abs(c.red() - want.red()) <= 2 && std::abs(c.green() - want.green()) <= 2 &&
             std::abs(c.blue() - want.blue()) <= 2;
    };
    EXPECT_TRUE(near(r.redX, Qt::red) && near(r.blueX, Qt::blue) && near(r.whiteX, Qt::white)) << r.percent;
  }
}

}  // namespace
}  // namespace plotix
