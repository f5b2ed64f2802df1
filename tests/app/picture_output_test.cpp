// The picture going out: bitmap size and depth, regions and the region dialog, bitmap
// files, the clipboard, the print scale and printing to PDF.
#include "app/picture_output.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>

#include "../files/file_fixtures.h"
#include "../modal.h"
#include "../told.h"
#include "app/area_choice_dialog.h"
#include "app/print_scale_dialog.h"
#include "app/region_dialog.h"
#include "cartesian/cartesian_window.h"
#include "platform/bmp_file.h"
#include "platform/common_dialogs.h"
#include "window/bitmap_size_dialog.h"

namespace plotix {
namespace {

using testbytes::TScratchDir;

constexpr TColor kRedC = 0x0000FF, kBlueC = 0xFF0000;

QByteArray ReadAll(const std::string& path) {
  QFile file(QString::fromStdString(path));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Answers the area question with one of its choices (Cancel when choice is null).
void AnswerArea(const char* caption, const char* choice) {
  OnNextModal([caption, choice](QWidget* modal) {
    auto* dialog = qobject_cast<TSelectedAreaDlg*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle().toStdString(), caption);
    EXPECT_TRUE(dialog->RBSelected->isChecked());
    if (!choice) return dialog->reject();
    dialog->findChild<QRadioButton*>(choice)->setChecked(true);
    dialog->Buttons->button(QDialogButtonBox::Ok)->click();
  });
}

// Two halves of different colours, so placement and region copies show.
void PaintHalves(TBitmap& bitmap) {
  TCanvas& c = bitmap.Canvas();
  c.Brush() = {kRedC, bsSolid};
  c.FillRect({0, 0, bitmap.Width() / 2, bitmap.Height()});
  c.Brush() = {kBlueC, bsSolid};
  c.FillRect({bitmap.Width() / 2, 0, bitmap.Width(), bitmap.Height()});
}

class Picture : public ::testing::Test {
 protected:
  void SetUp() override {
    window.NewDefaultSize();
    PaintHalves(window.GraphBitmap);
    window.RedrawLabels();
  }

  TScopedScriptedMessages messages;
  TScopedScriptedCommonDlgs dialogs;
  TScratchDir dir;
  TFunc2DWindow window;
};

TEST(PictureRegion, RegionsHoldBothCornersAndMustBeFiveLargerToBeTyped) {
  TBitmap source(50, 40, 16);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 50; ++x) source.Canvas().SetPixel(x, y, RGBColor(x * 5, y * 6, 0));
  const struct {
    TRect region;
    int width, height;
  } rows[] = {{{10, 5, 20, 12}, 11, 8}, {{20, 12, 10, 5}, 11, 8}, {{30, 5, 10, 25}, 21, 21}, {{7, 7, 7, 7}, 1, 1}};
  for (const auto& r : rows) {
    const auto copy = MakeRegionBitmap(source, r.region);
    const TRect n = NormalizedRect(r.region);
    EXPECT_EQ(std::tuple(copy->Width(), copy->Height(), copy->Depth(), copy->Canvas().Pixel(0, 0),
                         copy->Canvas().Pixel(r.width - 1, r.height - 1)),
              std::tuple(r.width, r.height, 16, source.Canvas().Pixel(n.left, n.top),
                         source.Canvas().Pixel(n.right, n.bottom)));
  }
  for (const auto& [rect, ok] : {std::pair{TRect{10, 10, 15, 15}, true}, {TRect{10, 10, 14, 15}, false},
                                 {TRect{10, 10, 15, 14}, false}, {TRect{15, 15, 10, 10}, false}})
    EXPECT_EQ(IsRegionLargeEnough(rect), ok) << rect.right << "," << rect.bottom;
}

TEST(PictureRegion, PrintsArePlacedAtTheScaleRoundedToEven) {
  const struct {
    int width, height, percent;
    TPrintPlacement place;
  } rows[] = {{500, 500, 100, {false, {0, 0, 500, 500}}}, {500, 500, 200, {true, {0, 0, 998, 998}}},
              {500, 500, 25, {true, {0, 0, 125, 125}}},    // 124.75
              {100, 50, 150, {true, {0, 0, 148, 74}}},     // 148.5 and 73.5 to even
              {3, 3, 25, {true, {0, 0, 0, 0}}},            // 0.5 to even
              {40, 30, 500, {true, {0, 0, 195, 145}}}};
  for (const auto& r : rows) EXPECT_EQ(PlacePrint(r.width, r.height, r.percent), r.place) << r.percent;
}

TEST_F(Picture, ResizingDeletesLabelsLeftOffTheBitmapAndSnapsToTheDepth) {
  for (const auto& [p1, p2] : {std::pair{TPoint{10, 10}, TPoint{50, 50}}, {TPoint{250, 150}, TPoint{400, 400}},
                               {TPoint{350, 250}, TPoint{450, 480}}}) {
    window.Doc.Labels.push_back(std::make_unique<TDrawInclosedShape>(window.Doc.LabelOwner, ltRectangle));
    auto& label = dynamic_cast<TDrawInclosedShape&>(*window.Doc.Labels.back());
    label.P1 = p1;
    label.P2 = p2;
  }
  window.Modified = false;
  ASSERT_TRUE(window.SetBitmapAttributes(300, 200, 32));
  EXPECT_EQ(std::tuple(window.Doc.BitmapWidth, window.ScreenBitmap.Width(), window.GraphBitmap.Height()),
            std::tuple(300, 300, 200));
  EXPECT_EQ(window.Doc.Labels.size(), 2u);  // the third has no corner on 300 x 200
  EXPECT_TRUE(window.Modified);
  EXPECT_EQ(window.GraphBitmap.Canvas().Pixel(150, 30), window.Doc.Settings.Y.AxisColor);  // redrawn, centred
  ASSERT_TRUE(window.SetBitmapAttributes(600, 600, 32));  // growing deletes nothing
  EXPECT_EQ(window.Doc.Labels.size(), 2u);
  window.Doc.Settings.BackColor = RGBColor(200, 150, 100);
  for (const int depth : {4, 8, 15, 16, 24}) {
    ASSERT_TRUE(window.SetBitmapAttributes(100, 80, depth));
    EXPECT_EQ(std::tuple(window.GraphBitmap.Depth(), window.ScreenBitmap.Depth()), std::tuple(depth, depth));
    EXPECT_EQ(window.ScreenBitmap.Canvas().Pixel(3, 3), SnapColor(RGBColor(200, 150, 100), depth)) << depth;
  }
}

TEST_F(Picture, TheAttributesDialogChangesOnlyOnOkWithAChange) {
  const struct {
    int width, height;
    const char* depth;
    bool ok, changed;
  } rows[] = {
      {500, 500, "True Color (32 Bit)", true, false},
      {640, 500, "256 Colors (8 Bit)", false, false},
      {640, 5000, "65,536 Colors (16 Bit)", true, true},  // the height is held at 2000
  };
  for (const auto& r : rows) {
    int width = 500, height = 500, depth = 32;
    OnNextModal([&r](QWidget* modal) {
      auto* dlg = qobject_cast<TBitmapAttribDlg*>(modal);
      ASSERT_NE(dlg, nullptr);
      EXPECT_EQ(dlg->CBColorDepth->currentText(), "True Color (32 Bit)");
      dlg->EBitmapWidth->setValue(r.width);
      dlg->EBitmapHeight->setValue(r.height);
      dlg->CBColorDepth->setCurrentText(r.depth);
      r.ok ? dlg->Buttons->button(QDialogButtonBox::Ok)->click() : dlg->reject();
    });
    EXPECT_EQ(TBitmapAttribDlg::Edit(nullptr, width, height, depth), r.changed);
    EXPECT_EQ(std::tuple(width, height, depth), r.changed ? std::tuple(640, 2000, 16) : std::tuple(500, 500, 32));
  }
}

TEST_F(Picture, TheRegionDialogRefusesFourAndTakesFive) {
  const QImage before = window.ScreenBitmap.Image().copy();
  OnNextModal([this](QWidget* modal) {
    auto* dlg = qobject_cast<TSelectedRegionDlg*>(modal);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(std::tuple(dlg->EX1->value(), dlg->EX2->maximum()), std::tuple(0, 499));
    for (const auto& [box, value] : {std::pair{dlg->EX1, 100}, {dlg->EY1, 50}, {dlg->EX2, 104}, {dlg->EY2, 200}})
      box->setValue(value);
    dlg->Buttons->button(QDialogButtonBox::Ok)->click();
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(Told(messages), "E|OK|The Bottom Right (X,Y) Must be At Least 5 Greater Than the Top Left (X,Y)\n");
    dlg->EX2->setValue(105);
    dlg->Buttons->button(QDialogButtonBox::Ok)->click();
  });
  ASSERT_TRUE(EditRegionByCoordinates(nullptr, window));
  EXPECT_EQ(std::tuple(window.LabelMode, window.SelectionRect), std::tuple(lmRegionShown, TRect{100, 50, 105, 200}));
  EXPECT_NE(window.ScreenBitmap.Image(), before);  // the rectangle is drawn
  OnNextModal([](QWidget* modal) {
    EXPECT_EQ(qobject_cast<TSelectedRegionDlg*>(modal)->Region(), (TRect{100, 50, 105, 200}));
    qobject_cast<QDialog*>(modal)->reject();  // Cancel keeps the region
  });
  EXPECT_FALSE(EditRegionByCoordinates(nullptr, window));
  EXPECT_EQ(window.LabelMode, lmRegionShown);
  window.LeaveMode();
  EXPECT_EQ(window.ScreenBitmap.Image(), before);
}

TEST_F(Picture, BitmapFilesHoldTheWholePictureAtItsDepthOrTheRegionAsAsked) {
  for (const int depth : {4, 8, 15, 16, 24, 32}) {
    ASSERT_TRUE(window.SetBitmapAttributes(37, 21, depth));
    const std::string path = dir.Path("g" + std::to_string(depth) + ".bmp");
    dialogs->QueueFileName(path);
    ASSERT_TRUE(SaveBitmapFile(nullptr, window));  // no region: no area question
    EXPECT_EQ(std::tuple(dialogs->asked.back().title, dialogs->asked.back().defaultExt),
              std::tuple(std::string("Save As Bitmap File"), std::string("bmp")));
    EXPECT_EQ(ReadAll(path), EncodeBmp(window.ScreenBitmap.Image(), depth)) << depth;
  }
  ASSERT_TRUE(window.SetBitmapAttributes(500, 500, 32));
  PaintHalves(window.GraphBitmap);
  window.RedrawLabels();
  window.ShowRegion({260, 40, 240, 10});  // corners in any order
  const QImage whole = window.GraphBitmap.Image().copy();
  dialogs->QueueFileName(dir.Path("region.bmp"));
  AnswerArea("Area to Save to File", "RBSelected");
  ASSERT_TRUE(SaveBitmapFile(nullptr, window));
  const QImage region(QString::fromStdString(dir.Path("region.bmp")));
  EXPECT_EQ(region.convertToFormat(QImage::Format_RGB32), whole.copy(240, 10, 21, 31));  // without its outline
  EXPECT_EQ(std::tuple(window.LabelMode, window.SelectionRect), std::tuple(lmRegionShown, TRect{240, 10, 260, 40}));
  dialogs->QueueFileName(dir.Path("whole.png"));
  AnswerArea("Area to Save to File", "RBAll");
  ASSERT_TRUE(SaveBitmapFile(nullptr, window));
  EXPECT_EQ(QImage(QString::fromStdString(dir.Path("whole.png"))).convertToFormat(QImage::Format_RGB32), whole);
  dialogs->QueueFileName(dir.Path("never.bmp"));
  AnswerArea("Area to Save to File", nullptr);
  EXPECT_FALSE(SaveBitmapFile(nullptr, window));
  window.LeaveMode();
  dialogs->QueueCancel();
  EXPECT_FALSE(SaveBitmapFile(nullptr, window));
  dialogs->QueueFileName(dir.Path("no-such-folder/g.bmp"));
  EXPECT_FALSE(SaveBitmapFile(nullptr, window));
  EXPECT_EQ(Told(messages), "E|OK|Error Writing To File\n");
  EXPECT_EQ(dir.Names().size(), 8u);  // six depths, the region and the whole picture
}

TEST_F(Picture, TheClipboardGetsTheWholeBitmapOrTheRegion) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  ASSERT_TRUE(CopyBitmapToClipboard(nullptr, window));
  EXPECT_EQ(clipboard->image().convertToFormat(QImage::Format_RGB32), window.ScreenBitmap.Image());
  window.ShowRegion({100, 100, 399, 109});
  const QImage whole = window.GraphBitmap.Image().copy();
  AnswerArea("Area to Paste to Clipboard", "RBSelected");
  ASSERT_TRUE(CopyBitmapToClipboard(nullptr, window));
  EXPECT_EQ(clipboard->image().convertToFormat(QImage::Format_RGB32), whole.copy(100, 100, 300, 10));
  AnswerArea("Area to Paste to Clipboard", "RBAll");
  ASSERT_TRUE(CopyBitmapToClipboard(nullptr, window));
  EXPECT_EQ(clipboard->image().size(), QSize(500, 500));
  clipboard->clear();
  AnswerArea("Area to Paste to Clipboard", nullptr);
  EXPECT_FALSE(CopyBitmapToClipboard(nullptr, window));
  EXPECT_TRUE(clipboard->image().isNull());
}

TEST(PicturePrintScale, OkAndPrintStoreThePercentageCancelKeepsIt) {
  ASSERT_EQ(PrintScale(), 100);
  const struct {
    int typed;
    QDialogButtonBox::StandardButton button;  // NoButton: "&Print"
    TPrintScaleAnswer answer;
    int stored;
  } rows[] = {{250, QDialogButtonBox::Ok, TPrintScaleAnswer::Ok, 250},
              {10, QDialogButtonBox::NoButton, TPrintScaleAnswer::Print, 25},
              {400, QDialogButtonBox::Cancel, TPrintScaleAnswer::Cancel, 25},
              {900, QDialogButtonBox::Ok, TPrintScaleAnswer::Ok, 500},
              {100, QDialogButtonBox::Ok, TPrintScaleAnswer::Ok, 100}};
  for (const auto& r : rows) {
    OnNextModal([&r](QWidget* modal) {
      auto* dlg = qobject_cast<TPrintScaleDlg*>(modal);
      ASSERT_NE(dlg, nullptr);
      EXPECT_EQ(dlg->EScale->value(), PrintScale());
      dlg->EScale->setValue(r.typed);
      r.button ? dlg->Buttons->button(r.button)->click() : dlg->PrintButton->click();
    });
    EXPECT_EQ(TPrintScaleDlg::Edit(nullptr), r.answer) << r.typed;
    EXPECT_EQ(PrintScale(), r.stored) << r.typed;
  }
}

// The named colour a page pixel shows; the PDF's image compression may move a channel by 2.
Qt::GlobalColor Near(const QImage& page, int x, int y) {
  const QColor c = page.pixelColor(x, y);
  for (const Qt::GlobalColor named : {Qt::red, Qt::blue, Qt::white}) {
    const QColor n(named);
    if (std::abs(c.red() - n.red()) <= 2 && std::abs(c.green() - n.green()) <= 2 && std::abs(c.blue() - n.blue()) <= 2)
      return named;
  }
  return Qt::transparent;
}

class PicturePrint : public Picture {
 protected:
  // Prints to a PDF at 96 dots per inch whose (0, 0) is the page's corner and returns the
  // page rasterised at 96 dots per inch.
  QImage Print(const std::string& name, const std::function<bool(QPrinter&)>& print) {
    const std::string pdf = dir.Path(name + ".pdf");
    {
      QPrinter printer(QPrinter::ScreenResolution);
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(QString::fromStdString(pdf));
      printer.setResolution(96);
      printer.setFullPage(true);
      EXPECT_TRUE(print(printer));
    }
    const QString text = QString::fromLatin1(ReadAll(pdf));
    EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))), 1);  // one page
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    EXPECT_FALSE(tool.isEmpty()) << "pdftoppm (poppler-utils) is needed";
    const QString prefix = QString::fromStdString(dir.Path(name));
    QProcess::execute(tool, {"-r", "96", "-png", "-singlefile", QString::fromStdString(pdf), prefix});
    return QImage(prefix + ".png").convertToFormat(QImage::Format_RGB32);
  }
};

TEST_F(PicturePrint, APagePlacedByTheScale) {
  TBitmap bitmap(40, 30);
  PaintHalves(bitmap);
  const struct {
    int percent;
    int redX, blueX, whiteX;  // columns on the page in row 10
  } rows[] = {{100, 5, 35, 45}, {200, 10, 70, 85}, {50, 4, 16, 25}};
  for (const auto& r : rows) {
    const QImage page = Print("p" + std::to_string(r.percent),
                              [&](QPrinter& printer) { return PrintBitmap(printer, bitmap, r.percent); });
    EXPECT_EQ(std::tuple(Near(page, r.redX, 10), Near(page, r.blueX, 10), Near(page, r.whiteX, 10)),
              std::tuple(Qt::red, Qt::blue, Qt::white))
        << r.percent;
  }
}

TEST_F(PicturePrint, TheSelectionPrintsOnlyTheRegionAndIsOfferedOnlyWithOne) {
  OnNextModal([](QWidget* modal) {
    EXPECT_FALSE(qobject_cast<QPrintDialog*>(modal)->testOption(QAbstractPrintDialog::PrintSelection));
    qobject_cast<QDialog*>(modal)->reject();
  });
  EXPECT_FALSE(PrintGraph(nullptr, window));
  window.ShowRegion({240, 0, 269, 9});  // 30 x 10: 10 red, 20 blue columns
  OnNextModal([](QWidget* modal) {
    auto* dlg = qobject_cast<QPrintDialog*>(modal);
    EXPECT_TRUE(dlg->testOption(QAbstractPrintDialog::PrintSelection));
    EXPECT_EQ(dlg->printRange(), QAbstractPrintDialog::Selection);
    dlg->reject();
  });
  EXPECT_FALSE(PrintGraph(nullptr, window));
  const QImage page =
      Print("region", [this](QPrinter& printer) { return PrintWindowPicture(window, printer, true, 100); });
  EXPECT_EQ(window.LabelMode, lmRegionShown);
  EXPECT_EQ(std::tuple(Near(page, 5, 5), Near(page, 25, 5), Near(page, 35, 5), Near(page, 5, 15)),
            std::tuple(Qt::red, Qt::blue, Qt::white, Qt::white));
}

}  // namespace
}  // namespace plotix
