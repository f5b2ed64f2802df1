// The picture going out: bitmap size and depth, region arithmetic and the region dialog,
// bitmap files at every depth, the clipboard, the print scale and printing to PDF.
#include "app/picture_output.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
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
#include <cstdint>
#include <cstring>

#include "../files/file_fixtures.h"
#include "../modal.h"
#include "app/area_choice_dialog.h"
#include "app/main_window.h"
#include "app/print_scale_dialog.h"
#include "app/region_dialog.h"
#include "cartesian/cartesian_window.h"
#include "platform/bmp_file.h"
#include "platform/common_dialogs.h"
#include "platform/message_box.h"
#include "window/bitmap_size_dialog.h"

namespace plotix {
namespace {

using testbytes::TScratchDir;

constexpr TColor kRedC = 0x0000FF, kBlueC = 0xFF0000, kWhiteC = 0xFFFFFF;

QByteArray ReadAll(const std::string& path) {
  QFile file(QString::fromStdString(path));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

template <class T>
T At(const QByteArray& bytes, int offset) {
  T value{};
  std::memcpy(&value, bytes.constData() + offset, sizeof value);
  return value;
}

// Runs the command; fails (and closes it) if a modal dialog opens while it runs.
template <class F>
bool WithoutModal(F command) {
  QTimer::singleShot(0, [] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      ADD_FAILURE() << "unexpected dialog " << modal->windowTitle().toStdString();
      modal->close();
    }
  });
  const bool result = command();
  QCoreApplication::processEvents();  // the check runs now, not in a later test's dialog
  return result;
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

class Picture : public ::testing::Test {
 protected:
  void SetUp() override { window.NewDefaultSize(); }

  // Two halves of different colours, so placement and region copies show.
  static void PaintHalves(TBitmap& bitmap) {
    TCanvas& c = bitmap.Canvas();
    c.Brush() = {kRedC, bsSolid};
    c.FillRect({0, 0, bitmap.Width() / 2, bitmap.Height()});
    c.Brush() = {kBlueC, bsSolid};
    c.FillRect({bitmap.Width() / 2, 0, bitmap.Width(), bitmap.Height()});
  }

  TScopedScriptedMessages messages;
  TScopedScriptedCommonDlgs dialogs;
  TScratchDir dir;
  TFunc2DWindow window;
};

// ---- region arithmetic -------------------------------------------------------

TEST(PictureRegion, RegionBitmapIsOneLargerThanTheExtentAndHoldsBothCorners) {
  TBitmap source(50, 40, 16);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 50; ++x) source.Canvas().SetPixel(x, y, RGBColor(x * 5, y * 6, 0));
  struct Case {
    TRect region;
    int width, height;
  };
  for (const Case& c : {Case{{10, 5, 20, 12}, 11, 8}, Case{{20, 12, 10, 5}, 11, 8}, Case{{30, 5, 10, 25}, 21, 21},
                        Case{{0, 0, 49, 39}, 50, 40}, Case{{7, 7, 7, 7}, 1, 1}}) {
    const auto copy = MakeRegionBitmap(source, c.region);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Width(), c.width);
    EXPECT_EQ(copy->Height(), c.height);
    EXPECT_EQ(copy->Depth(), 16);
    const TRect n = NormalizedRect(c.region);
    EXPECT_EQ(copy->Canvas().Pixel(0, 0), source.Canvas().Pixel(n.left, n.top));
    EXPECT_EQ(copy->Canvas().Pixel(c.width - 1, c.height - 1), source.Canvas().Pixel(n.right, n.bottom));
  }
}

TEST(PictureRegion, TypedRegionMustBeAtLeastFiveLargerOnEachAxis) {
  struct Case {
    TRect rect;
    bool ok;
  };
  for (const Case& c : {Case{{10, 10, 15, 15}, true}, Case{{10, 10, 14, 15}, false}, Case{{10, 10, 15, 14}, false},
                        Case{{0, 0, 499, 499}, true}, Case{{15, 15, 10, 10}, false}, Case{{3, 3, 3, 3}, false}})
    EXPECT_EQ(IsRegionLargeEnough(c.rect), c.ok) << c.rect.left << "," << c.rect.top << "," << c.rect.right;
}

TEST(PictureRegion, PrintPlacement) {
  struct Case {
    int width, height, percent;
    TPrintPlacement place;
  };
  for (const Case& c : {Case{500, 500, 100, {false, {0, 0, 500, 500}}}, Case{500, 500, 200, {true, {0, 0, 998, 998}}},
                        Case{500, 500, 25, {true, {0, 0, 125, 125}}},  // 124.75
                        Case{100, 50, 150, {true, {0, 0, 148, 74}}},   // 148.5 and 73.5 to even
                        Case{3, 3, 25, {true, {0, 0, 0, 0}}},          // 0.5 to even
                        Case{40, 30, 500, {true, {0, 0, 195, 145}}}})
    EXPECT_EQ(PlacePrint(c.width, c.height, c.percent), c.place) << c.percent;
}

// ---- bitmap size and colours -----------------------------------------------------

TEST_F(Picture, ResizingDeletesLabelsLeftOffTheBitmapAndRedraws) {
  const auto add = [this](TPoint p1, TPoint p2) {
    auto label = std::make_unique<TDrawInclosedShape>(window.Doc.LabelOwner, 3);
    label->P1 = p1;
    label->P2 = p2;
    window.Doc.Labels.push_back(std::move(label));
  };
  add({10, 10}, {50, 50});      // stays
  add({250, 150}, {400, 400});  // still has a corner on 300 x 200
  add({350, 250}, {450, 480});  // off the smaller bitmap
  window.Modified = false;
  ASSERT_TRUE(window.SetBitmapAttributes(300, 200, 32));
  EXPECT_EQ(window.BitmapWidth(), 300);
  EXPECT_EQ(window.BitmapHeight(), 200);
  EXPECT_EQ(window.ScreenBitmap.Width(), 300);
  EXPECT_EQ(window.GraphBitmap.Height(), 200);
  EXPECT_EQ(window.Doc.BitmapWidth, 300);
  EXPECT_EQ(window.Doc.Labels.size(), 2u);
  EXPECT_TRUE(window.Modified);
  // The origin is in the middle of the new size: the axes cross at (150, 100).
  EXPECT_EQ(window.GraphBitmap.Canvas().Pixel(150, 30), window.Doc.Settings.Y.AxisColor);
  // Growing deletes nothing.
  ASSERT_TRUE(window.SetBitmapAttributes(600, 600, 32));
  EXPECT_EQ(window.Doc.Labels.size(), 2u);
}

TEST_F(Picture, ColourDepthSnapsEveryLaterDrawing) {
  window.Doc.Settings.BackColor = RGBColor(200, 150, 100);
  for (const int depth : {4, 8, 15, 16, 24}) {
    ASSERT_TRUE(window.SetBitmapAttributes(100, 80, depth));
    EXPECT_EQ(window.GraphBitmap.Depth(), depth);
    EXPECT_EQ(window.ScreenBitmap.Depth(), depth);
    const TColor snapped = SnapColor(RGBColor(200, 150, 100), depth);
    EXPECT_EQ(window.ScreenBitmap.Canvas().Pixel(3, 3), snapped) << depth;
  }
}

TEST_F(Picture, AttributesDialogChangesOnlyOnOkWithAChange) {
  int width = 500, height = 500, depth = 32;
  OnNextModal([](QWidget* modal) {
    auto* dlg = qobject_cast<TBitmapAttribDlg*>(modal);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->windowTitle(), "Current Window Bitmap Attributes");
    EXPECT_EQ(dlg->EBitmapWidth->minimum(), 16);
    EXPECT_EQ(dlg->EBitmapHeight->maximum(), 2000);
    EXPECT_EQ(dlg->CBColorDepth->count(), 6);
    EXPECT_EQ(dlg->CBColorDepth->currentText(), "True Color (32 Bit)");
    dlg->Buttons->button(QDialogButtonBox::Ok)->click();
  });
  EXPECT_FALSE(TBitmapAttribDlg::Edit(nullptr, width, height, depth));  // nothing changed

  OnNextModal([](QWidget* modal) {
    auto* dlg = qobject_cast<TBitmapAttribDlg*>(modal);
    dlg->EBitmapWidth->setValue(640);
    dlg->CBColorDepth->setCurrentText("256 Colors (8 Bit)");
    dlg->reject();
  });
  EXPECT_FALSE(TBitmapAttribDlg::Edit(nullptr, width, height, depth));
  EXPECT_EQ(width, 500);

  OnNextModal([](QWidget* modal) {
    auto* dlg = qobject_cast<TBitmapAttribDlg*>(modal);
    dlg->EBitmapWidth->setValue(640);
    dlg->EBitmapHeight->setValue(5000);  // held at 2000
    dlg->CBColorDepth->setCurrentText("65,536 Colors (16 Bit)");
    dlg->Buttons->button(QDialogButtonBox::Ok)->click();
  });
  ASSERT_TRUE(TBitmapAttribDlg::Edit(nullptr, width, height, depth));
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 2000);
  EXPECT_EQ(depth, 16);
}

// ---- region dialog --------------------------------------------------------------

TEST_F(Picture, RegionDialogRefusesFourAndTakesFive) {
  OnNextModal([this](QWidget* modal) {
    auto* dlg = qobject_cast<TSelectedRegionDlg*>(modal);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->windowTitle(), "Selected Bitmap Region");
    EXPECT_EQ(dlg->EX1->value(), 0);  // no region yet
    EXPECT_EQ(dlg->EX2->maximum(), 499);
    EXPECT_EQ(dlg->EY2->maximum(), 499);
    dlg->EX1->setValue(100);
    dlg->EY1->setValue(50);
    dlg->EX2->setValue(104);
    dlg->EY2->setValue(200);
    dlg->Buttons->button(QDialogButtonBox::Ok)->click();
    EXPECT_TRUE(dlg->isVisible());
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].text, "The Bottom Right (X,Y) Must be At Least 5 Greater Than the Top Left (X,Y)");
    EXPECT_EQ(messages->shown[0].kind, TMsgKind::Error);
    dlg->EX2->setValue(105);
    dlg->Buttons->button(QDialogButtonBox::Ok)->click();
  });
  const QImage before = window.ScreenBitmap.Image().copy();
  ASSERT_TRUE(EditRegionByCoordinates(nullptr, window));
  EXPECT_EQ(window.LabelMode, lmRegionShown);
  EXPECT_EQ(window.SelectionRect, (TRect{100, 50, 105, 200}));
  EXPECT_NE(window.ScreenBitmap.Image(), before);  // the rectangle is drawn

  // The dialog shows the region; Cancel keeps it.
  OnNextModal([](QWidget* modal) {
    auto* dlg = qobject_cast<TSelectedRegionDlg*>(modal);
    EXPECT_EQ(dlg->Region(), (TRect{100, 50, 105, 200}));
    dlg->reject();
  });
  EXPECT_FALSE(EditRegionByCoordinates(nullptr, window));
  EXPECT_EQ(window.LabelMode, lmRegionShown);
  window.LeaveMode();
  EXPECT_EQ(window.ScreenBitmap.Image(), before);
}

// ---- bitmap files -----------------------------------------------------------------

TEST_F(Picture, BitmapFilesAtEveryDepthWithoutAnAreaQuestion) {
  struct Case {
    int depth, bitCount;
  };
  for (const Case& c : {Case{4, 4}, Case{8, 8}, Case{15, 16}, Case{16, 16}, Case{24, 24}, Case{32, 32}}) {
    ASSERT_TRUE(window.SetBitmapAttributes(37, 21, c.depth));
    const std::string path = dir.Path("g" + std::to_string(c.depth) + ".bmp");
    dialogs->QueueFileName(path);
    ASSERT_TRUE(WithoutModal([this] { return SaveBitmapFile(nullptr, window); }));
    EXPECT_EQ(dialogs->asked.back().title, "Save As Bitmap File");
    EXPECT_EQ(dialogs->asked.back().defaultExt, "bmp");
    const QByteArray bytes = ReadAll(path);
    ASSERT_GT(bytes.size(), 54);
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(At<std::uint32_t>(bytes, 2), std::uint32_t(bytes.size()));
    EXPECT_EQ(At<std::int32_t>(bytes, 18), 37);
    EXPECT_EQ(At<std::int32_t>(bytes, 22), 21);
    EXPECT_EQ(At<std::uint16_t>(bytes, 28), c.bitCount);
    const int stride = (37 * c.bitCount + 31) / 32 * 4;
    EXPECT_EQ(int(bytes.size()) - int(At<std::uint32_t>(bytes, 10)), stride * 21) << c.depth;
    EXPECT_EQ(bytes, EncodeBmp(window.ScreenBitmap.Image(), c.depth));
  }
  EXPECT_TRUE(messages->shown.empty());
}

TEST_F(Picture, RegionOrWholeBitmapToFileAsTheAreaQuestionSays) {
  PaintHalves(window.GraphBitmap);
  window.RedrawLabels();
  window.ShowRegion({260, 40, 240, 10});  // corners in any order
  const QImage whole = window.GraphBitmap.Image().copy();

  dialogs->QueueFileName(dir.Path("region.bmp"));
  AnswerArea("Area to Save to File", "RBSelected");
  ASSERT_TRUE(SaveBitmapFile(nullptr, window));
  QImage region(QString::fromStdString(dir.Path("region.bmp")));
  ASSERT_EQ(region.size(), QSize(21, 31));
  EXPECT_EQ(region.pixel(0, 0), whole.pixel(240, 10));    // red half
  EXPECT_EQ(region.pixel(20, 30), whole.pixel(260, 40));  // blue half
  EXPECT_EQ(region.pixel(9, 5), whole.pixel(249, 15));
  // The region stays selected and its outline is not in the file.
  EXPECT_EQ(window.LabelMode, lmRegionShown);
  EXPECT_EQ(window.SelectionRect, (TRect{240, 10, 260, 40}));

  dialogs->QueueFileName(dir.Path("whole.png"));
  AnswerArea("Area to Save to File", "RBAll");
  ASSERT_TRUE(SaveBitmapFile(nullptr, window));
  const QImage png(QString::fromStdString(dir.Path("whole.png")));
  EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32), whole);

  dialogs->QueueFileName(dir.Path("never.bmp"));
  AnswerArea("Area to Save to File", nullptr);
  EXPECT_FALSE(SaveBitmapFile(nullptr, window));
  dialogs->QueueCancel();
  EXPECT_FALSE(WithoutModal([this] { return SaveBitmapFile(nullptr, window); }));
  EXPECT_EQ(dir.Names(), (std::vector<std::string>{"region.bmp", "whole.png"}));
}

TEST_F(Picture, BitmapFileFailureIsReported) {
  dialogs->QueueFileName(dir.Path("no-such-folder/g.bmp"));
  EXPECT_FALSE(SaveBitmapFile(nullptr, window));
  ASSERT_EQ(messages->shown.size(), 1u);
  EXPECT_EQ(messages->shown[0].text, "Error Writing To File");
}

// ---- clipboard --------------------------------------------------------------------

TEST_F(Picture, ClipboardGetsTheWholeBitmapOrTheRegion) {
  PaintHalves(window.GraphBitmap);
  window.RedrawLabels();
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  ASSERT_TRUE(WithoutModal([this] { return CopyBitmapToClipboard(nullptr, window); }));
  EXPECT_EQ(clipboard->image().convertToFormat(QImage::Format_RGB32), window.ScreenBitmap.Image());

  window.ShowRegion({100, 100, 399, 109});
  AnswerArea("Area to Paste to Clipboard", "RBSelected");
  ASSERT_TRUE(CopyBitmapToClipboard(nullptr, window));
  const QImage region = clipboard->image();
  ASSERT_EQ(region.size(), QSize(300, 10));
  EXPECT_EQ(QColor(region.pixel(0, 0)), QColor(Qt::red));
  EXPECT_EQ(QColor(region.pixel(299, 9)), QColor(Qt::blue));

  AnswerArea("Area to Paste to Clipboard", "RBAll");
  ASSERT_TRUE(CopyBitmapToClipboard(nullptr, window));
  EXPECT_EQ(clipboard->image().size(), QSize(500, 500));

  clipboard->clear();
  AnswerArea("Area to Paste to Clipboard", nullptr);
  EXPECT_FALSE(CopyBitmapToClipboard(nullptr, window));
  EXPECT_TRUE(clipboard->image().isNull());
}

// ---- print scale and printing -------------------------------------------------------

TEST(PicturePrintScale, OkAndPrintStoreThePercentageCancelKeepsIt) {
  ASSERT_EQ(PrintScale(), 100);
  struct Case {
    int typed;
    const char* button;  // "ok", "print" or "cancel"
    TPrintScaleAnswer answer;
    int stored;
  };
  for (const Case& c : {Case{250, "ok", TPrintScaleAnswer::Ok, 250}, Case{10, "print", TPrintScaleAnswer::Print, 25},
                        Case{400, "cancel", TPrintScaleAnswer::Cancel, 25}, Case{900, "ok", TPrintScaleAnswer::Ok, 500},
                        Case{100, "ok", TPrintScaleAnswer::Ok, 100}}) {
    OnNextModal([c](QWidget* modal) {
      auto* dlg = qobject_cast<TPrintScaleDlg*>(modal);
      ASSERT_NE(dlg, nullptr);
      EXPECT_EQ(dlg->windowTitle(), "Print Scale");
      EXPECT_EQ(dlg->PrintButton->text(), "&Print");
      EXPECT_EQ(dlg->EScale->value(), PrintScale());
      dlg->EScale->setValue(c.typed);
      if (std::string(c.button) == "ok")
        dlg->Buttons->button(QDialogButtonBox::Ok)->click();
      else if (std::string(c.button) == "print")
        dlg->PrintButton->click();
      else
        dlg->Buttons->button(QDialogButtonBox::Cancel)->click();
    });
    EXPECT_EQ(TPrintScaleDlg::Edit(nullptr), c.answer) << c.typed;
    EXPECT_EQ(PrintScale(), c.stored) << c.typed;
  }
}

// The pages of a PDF as Qt writes it: page objects, not the page tree.
int PdfPages(const QByteArray& pdf) {
  return int(QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))));
}

// The page rasterised at 96 dots per inch; null when pdftoppm is not installed.
QImage Rasterise(const std::string& pdf, const std::string& prefix) {
  const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
  if (tool.isEmpty()) return {};
  QProcess::execute(tool,
                    {"-r", "96", "-png", "-singlefile", QString::fromStdString(pdf), QString::fromStdString(prefix)});
  return QImage(QString::fromStdString(prefix) + ".png");
}

class PicturePrint : public Picture {
 protected:
  // A PDF printer at 96 dots per inch whose (0, 0) is the page's corner.
  std::unique_ptr<QPrinter> PdfPrinter(const std::string& path) {
    auto printer = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(path));
    printer->setResolution(96);
    printer->setFullPage(true);
    return printer;
  }
};

TEST_F(PicturePrint, OnePagePdfPlacedByTheScale) {
  TBitmap bitmap(40, 30);
  PaintHalves(bitmap);
  struct Case {
    int percent;
    int redX, blueX, whiteX;  // columns on the page in row 10
  };
  for (const Case& c : {Case{100, 5, 35, 45}, Case{200, 10, 70, 85}, Case{50, 4, 16, 25}}) {
    const std::string path = dir.Path("p" + std::to_string(c.percent) + ".pdf");
    auto printer = PdfPrinter(path);
    ASSERT_TRUE(PrintBitmap(*printer, bitmap, c.percent));
    printer.reset();
    const QByteArray pdf = ReadAll(path);
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(PdfPages(pdf), 1);
    const QImage page = Rasterise(path, dir.Path("p" + std::to_string(c.percent)));
    if (page.isNull()) continue;
    const auto near = [&page](int x, int y, QColor want) {
      const QColor got = page.pixelColor(x, y);
      return std::abs(got.red() - want.red()) < 40 && std::abs(got.green() - want.green()) < 40 &&
             std::abs(got.blue() - want.blue()) < 40;
    };
    EXPECT_TRUE(near(c.redX, 10, Qt::red)) << c.percent;
    EXPECT_TRUE(near(c.blueX, 10, Qt::blue)) << c.percent;
    EXPECT_TRUE(near(c.whiteX, 10, Qt::white)) << c.percent;
  }
  if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
    GTEST_SKIP() << "pdftoppm is not installed: the pages were not rasterised";
}

TEST_F(PicturePrint, SelectionPrintsOnlyTheRegion) {
  PaintHalves(window.GraphBitmap);
  window.RedrawLabels();
  window.ShowRegion({240, 0, 269, 9});  // 30 x 10: 10 red, 20 blue columns
  const std::string path = dir.Path("region.pdf");
  auto printer = PdfPrinter(path);
  ASSERT_TRUE(PrintWindowPicture(window, *printer, true, 100));
  printer.reset();
  EXPECT_EQ(PdfPages(ReadAll(path)), 1);
  EXPECT_EQ(window.LabelMode, lmRegionShown);
  const QImage page = Rasterise(path, dir.Path("region"));
  if (page.isNull()) GTEST_SKIP() << "pdftoppm is not installed: the page was not rasterised";
  EXPECT_LT(page.pixelColor(5, 5).blue(), 60);
  EXPECT_GT(page.pixelColor(5, 5).red(), 200);
  EXPECT_GT(page.pixelColor(25, 5).blue(), 200);
  EXPECT_EQ(page.pixelColor(35, 5), QColor(Qt::white));
  EXPECT_EQ(page.pixelColor(5, 15), QColor(Qt::white));
}

TEST_F(PicturePrint, PrintDialogOffersTheSelectionOnlyWithARegion) {
  for (const bool region : {false, true}) {
    if (region) window.ShowRegion({10, 10, 100, 100});
    OnNextModal([region](QWidget* modal) {
      auto* dlg = qobject_cast<QPrintDialog*>(modal);
      ASSERT_NE(dlg, nullptr);
      EXPECT_EQ(dlg->testOption(QAbstractPrintDialog::PrintSelection), region);
      EXPECT_EQ(dlg->printRange() == QAbstractPrintDialog::Selection, region);
      dlg->reject();
    });
    EXPECT_FALSE(PrintGraph(nullptr, window));
  }
}

// ---- main window --------------------------------------------------------------------

TEST(PictureMainWindow, CommandsFollowTheWindowsAndTheRegionToolSelectsWithoutShift) {
  TScopedScriptedMessages messages;
  TMainForm form;
  const QList<QAction*> commands = {form.SaveBitmapAction,   form.PrintScaleAction,   form.PrintAction,
                                    form.BitmapAttribAction, form.SelectRegionAction, form.RegionDialogAction,
                                    form.CopyBitmapAction};
  for (QAction* a : commands) EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
  TFuncGraphWindow* w = form.New2DCartisian1Click();
  ASSERT_NE(w, nullptr);
  for (QAction* a : commands) EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();

  w->MouseDown(Qt::LeftButton, Qt::NoModifier, 20, 20);
  EXPECT_EQ(w->LabelMode, lmIdle);
  form.SelectRegionAction->trigger();
  EXPECT_EQ(form.LabelToolMode, kRegionTool);
  w->MouseDown(Qt::LeftButton, Qt::NoModifier, 60, 50);
  w->MouseMove(Qt::LeftButton, Qt::NoModifier, 20, 80);
  w->MouseUp(Qt::LeftButton, Qt::NoModifier, 20, 80);
  EXPECT_EQ(w->LabelMode, lmRegionShown);
  EXPECT_EQ(w->SelectionRect, (TRect{20, 50, 60, 80}));
  form.SelectRegionAction->trigger();
  EXPECT_EQ(form.LabelToolMode, 0);
}

}  // namespace
}  // namespace plotix
