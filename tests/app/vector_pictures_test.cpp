// Smooth and vector pictures: SVG and PDF files, rasterised by other programs, and smooth
// PNGs show the graph the exact picture shows; the window's smooth drawing; the export types.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>

#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>

#include "../files/file_fixtures.h"
#include "../modal.h"
#include "app/area_choice_dialog.h"
#include "app/picture_output.h"
#include "cartesian/cartesian_window.h"
#include "platform/common_dialogs.h"
#include "platform/message_box.h"
#include "run_plotix.h"

namespace plotix {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Pixels that differ from the picture's top-left one by more than threshold (the sum of
// the channel differences): lines, text and fills, not the background nor faint edges.
std::vector<bool> InkOf(const QImage& picture, int threshold) {
  const QImage image = picture.convertToFormat(QImage::Format_RGB32);
  const QRgb background = image.pixel(0, 0);
  std::vector<bool> ink(std::size_t(image.width()) * image.height());
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      ink[std::size_t(y) * image.width() + x] = std::abs(qRed(p) - qRed(background)) +
                                                    std::abs(qGreen(p) - qGreen(background)) +
                                                    std::abs(qBlue(p) - qBlue(background)) >
                                                threshold;
    }
  return ink;
}

// The share of a's ink with no ink of b within two pixels.
double Unmatched(const std::vector<bool>& a, const std::vector<bool>& b, int width, int height) {
  int inked = 0, alone = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      if (!a[std::size_t(y) * width + x]) continue;
      ++inked;
      bool near = false;
      for (int dy = -2; dy <= 2 && !near; ++dy)
        for (int dx = -2; dx <= 2 && !near; ++dx) {
          const int nx = x + dx, ny = y + dy;
          near = nx >= 0 && ny >= 0 && nx < width && ny < height && b[std::size_t(ny) * width + nx];
        }
      alone += !near;
    }
  return inked ? double(alone) / inked : 0;
}

// Both pictures of one size show the same graph: ink of each lies beside ink of the other.
void ExpectSameGraph(const QImage& exact, const QImage& other, const std::string& what) {
  ASSERT_EQ(other.size(), exact.size()) << what;
  const std::vector<bool> a = InkOf(exact, 0), b = InkOf(other, 200);
  const std::vector<bool> aStrong = InkOf(exact, 200), bAny = InkOf(other, 60);
  EXPECT_LT(Unmatched(aStrong, bAny, exact.width(), exact.height()), 0.002) << what << ": exact ink missing";
  // The dashes of a dashed ellipse fall elsewhere: the raster counts its pattern in steps
  // from pixel to pixel, a painter in length along the curve.
  EXPECT_LT(Unmatched(b, a, exact.width(), exact.height()), 0.006) << what << ": ink the exact picture lacks";
}

QImage Rasterised(const QString& file) {
  const QString png = file + ".png";
  QProcess tool;
  if (file.endsWith(".svg"))
    tool.start("rsvg-convert", {file, "-o", png});
  else
    tool.start("pdftoppm", {"-r", "96", "-png", "-singlefile", file, file});
  EXPECT_TRUE(tool.waitForFinished(30000) && tool.exitCode() == 0) << file.toStdString();
  return QImage(png);
}

QString ToolOutput(const QString& program, const QStringList& args) {
  QProcess tool;
  tool.start(program, args);
  tool.waitForFinished(30000);
  return QString::fromUtf8(tool.readAllStandardOutput());
}

int ColourCount(const QImage& image) {
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
  return int(colours.size());
}

TEST(VectorPictures, EveryExampleShowsTheExactGraphAsSvgPdfAndSmoothPng) {
  testbytes::TScratchDir dir;
  QStringList graphs = QDir(PLOTIX_EXAMPLES).entryList({"*.pxg"});
  for (QString& g : graphs) g = QStringLiteral(PLOTIX_EXAMPLES "/") + g;
  graphs << QStringLiteral(PLOTIX_SOURCE "/bench/ten_functions.pxg");
  QStringList exact{"--render"}, vectors{"--render"}, smooth{"--render"};
  for (int i = 0; i < graphs.size(); ++i) {
    const QString out = Q(dir.Path(std::to_string(i)));
    exact << graphs[i] << out + ".png";
    vectors << graphs[i] << out + ".svg" << graphs[i] << out + ".pdf";
    smooth << graphs[i] << out + "-2x.png";
  }
  for (const QStringList& args : {exact, vectors,
                                  smooth << "--scale"
                                         << "2"})
    ASSERT_EQ(RunPlotix(args).status, 0);
  for (int i = 0; i < graphs.size(); ++i) {
    const QString out = Q(dir.Path(std::to_string(i)));
    const std::string name = graphs[i].toStdString();
    const QImage picture(out + ".png");
    ExpectSameGraph(picture, Rasterised(out + ".svg"), name + " as SVG");
    ExpectSameGraph(picture, Rasterised(out + ".pdf"), name + " as PDF");
    const QImage twice(out + "-2x.png");
    ASSERT_EQ(twice.size(), picture.size() * 2) << name;
    ExpectSameGraph(picture, twice.scaled(picture.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                    name + " smooth at 2x");
    EXPECT_GT(ColourCount(twice), 4 * ColourCount(picture)) << name << ": not anti-aliased";
  }
}

TEST(VectorPictures, TextStaysTextPagesAreThePictureAndFilesAreCompact) {
  testbytes::TScratchDir dir;
  const QString labels = PLOTIX_EXAMPLES "/labels.pxg", ten = PLOTIX_SOURCE "/bench/ten_functions.pxg";
  const QString svg = Q(dir.Path("l.svg")), pdf = Q(dir.Path("l.pdf")), tenSvg = Q(dir.Path("t.svg"));
  ASSERT_EQ(RunPlotix({"--render", labels, svg, labels, pdf, ten, tenSvg}).status, 0);
  QFile file(svg);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(file.readAll());
  EXPECT_TRUE(text.contains("<svg width=\"500\" height=\"500\""));
  for (const char* words : {">Bell curve</text>", ">Labels of every kind</text>", ">-7</text>"})
    EXPECT_TRUE(text.contains(words)) << words;
  EXPECT_TRUE(ToolOutput("pdftotext", {pdf, "-"}).contains("Bell curve"));
  EXPECT_TRUE(ToolOutput("pdfinfo", {pdf}).contains(QRegularExpression("Page size: +375 x 375 pts")));
  EXPECT_LT(QFileInfo(tenSvg).size(), 64 * 1024);  // one point per column would be 74 KB
}

class SmoothWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    window.SetProgramSettings(&settings);
    window.NewDefaultSize();
  }
  QImage Shown() { return window.ScreenImage()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

  TScopedScriptedMessages messages;
  TScopedScriptedCommonDlgs dialogs;
  testbytes::TScratchDir dir;
  TProgramSettings settings;
  TFunc2DWindow window;
};

TEST_F(SmoothWindow, ShowsTheGraphSmoothAndRubberBandsLeaveItAsItWas) {
  auto f = std::make_unique<TFunc2DObj>();
  f->Func.SetExpression("sin(x)*3");
  ASSERT_TRUE(f->Func.Compile());
  window.AppendFunction(std::move(f));
  const QImage exact = window.ScreenPicture().Image().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(Shown(), exact);
  settings.smoothDrawing = true;
  window.RenderGraph();
  const QImage smooth = Shown();
  ExpectSameGraph(exact, smooth, "smooth window");
  EXPECT_GT(ColourCount(smooth), 4 * ColourCount(exact));
  // A region's outline is drawn not-xor on both pictures, and taken away again.
  window.ShowRegion({100, 100, 300, 200});
  EXPECT_NE(Shown(), smooth);
  window.LeaveMode();
  EXPECT_EQ(Shown(), smooth);
  window.RenderGraph();  // drawn again into the same smooth pictures
  EXPECT_EQ(Shown(), smooth);
  settings.smoothDrawing = false;
  window.RenderGraph();
  EXPECT_EQ(Shown(), exact);
}

TEST_F(SmoothWindow, ExportWritesTheChosenTypeOfTheWholeBitmapOrTheRegion) {
  const struct {
    const char* name;
    int type;  // in the dialog's list
    const char* magic;
    int scale;
  } rows[] = {{"a.png", 1, "\x89PNG", 1}, {"b.png", 3, "\x89PNG", 2}, {"c.png", 4, "\x89PNG", 4},
              {"d.svg", 5, "<?xml", 1},   {"e.pdf", 6, "%PDF", 1},    {"f.svg", 0, "<?xml", 1}};
  for (const auto& r : rows) {
    dialogs->typeToChoose = r.type;
    dialogs->QueueFileName(dir.Path(r.name));
    ASSERT_TRUE(SaveBitmapFile(nullptr, window)) << r.name;
    QFile file(Q(dir.Path(r.name)));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(8).startsWith(r.magic)) << r.name;
    if (r.magic[0] == '\x89') {
      EXPECT_EQ(QImage(file.fileName()).size(), QSize(500, 500) * r.scale) << r.name;
    }
  }
  EXPECT_EQ(QImage(Q(dir.Path("a.png"))).convertToFormat(QImage::Format_RGB32),
            window.ScreenPicture().Image().convertToFormat(QImage::Format_RGB32));
  window.ShowRegion({240, 10, 260, 40});
  dialogs->typeToChoose = 5;
  dialogs->QueueFileName(dir.Path("region.svg"));
  OnNextModal([](QWidget* modal) {
    modal->findChild<QRadioButton*>("RBSelected")->setChecked(true);
    qobject_cast<TSelectedAreaDlg*>(modal)->Buttons->button(QDialogButtonBox::Ok)->click();
  });
  ASSERT_TRUE(SaveBitmapFile(nullptr, window));
  const QImage region = Rasterised(Q(dir.Path("region.svg")));
  ExpectSameGraph(window.GraphPicture().Image().copy(240, 10, 21, 31), region, "region as SVG");
}

}  // namespace
}  // namespace plotix
