#include "app/command_line.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <charconv>
#include <csignal>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_analysis.h"
#include "app/headless_files.h"
#include "app/main_window.h"
#include "expr/calculation.h"
#include "expr/math_const_check.h"
#include "expr/math_function.h"
#include "labels/label_dialogs.h"
#include "platform/canvas.h"
#include "platform/dialog_controls.h"
#include "platform/dialog_service.h"
#include "platform/font_substitutes.h"
#include "platform/help_service.h"
#include "platform/message_box.h"
#include "platform/qt_message_box.h"
#include "platform/qt_regional_settings.h"
#include "platform/window_fit.h"
#include "window/graph_kinds.h"
#include "window/picture_formats.h"

namespace plotix {

namespace {

using D = TPictureDrawing;

// "a, b or c" of the extensions of the picture formats drawn so, each with `prefix`.
std::string Extensions(std::initializer_list<D> drawings, const char* last = " or ", const char* between = ", ",
                       const char* prefix = "") {
  const std::vector<std::string> extensions = PictureExtensions(drawings);
  std::string text;
  for (std::size_t i = 0; i < extensions.size(); ++i)
    text += (i == 0 ? "" : i + 1 == extensions.size() ? last : between) + std::string(prefix) + extensions[i];
  return text;
}

std::string AllExtensions() { return Extensions({D::Exact, D::Smooth, D::Vector}); }

std::string Usage() {
  return "usage: plotix [FILE]\n"
         "       plotix --calc EXPR [--x TEXT] [--z TEXT] [--scientific] [--trig RANGE[,plain]]\n"
         "              [--param NAME=VALUE ...]\n"
         "              [--zeros A B | --extrema A B | --intersect EXPR2 A B | --derivative 1|2\n"
         "               | --integral A B]\n"
         "       plotix --render FILE.pxg " +
         Extensions({D::Exact, D::Smooth, D::Vector}, "|", "|", "OUT") +
         " [FILE.pxg OUT ...]\n"
         "              [--depth 4|8|15|16|24|32 | --smooth | --scale 1|2|3|4] [--param NAME=VALUE ...]\n"
         "       plotix --resave IN.pxg OUT.pxg\n"
         "       plotix --help | --version\n";
}

std::string OptionHelp() {
  return "\n"
         "  FILE                  graph file (.pxg) to open in the main window\n"
         "  --calc EXPR           evaluate Y=f(x,z)=EXPR as the Function Calculator does and\n"
         "                        print the text its result field shows\n"
         "  --x TEXT, --z TEXT    values of X and Z, constant expressions such as pi/2 (default 0)\n"
         "  --scientific          exponent form instead of 18 decimals\n"
         "  --trig RANGE[,plain]  trigonometry fix-up range 0..5 (default 2); \",plain\" turns\n"
         "                        exact values off\n"
         "  --zeros A B           instead of the value: each zero of EXPR in x from A to B, one\n"
         "                        x per line (\"interval X1 X2\" where EXPR is 0 throughout)\n"
         "  --extrema A B         each local extremum strictly between A and B: \"min X Y\" or\n"
         "                        \"max X Y\"\n"
         "  --intersect EXPR2 A B each point from A to B where EXPR = EXPR2: \"X Y\"\n"
         "  --derivative N        the exact first (N = 1) or second (N = 2) derivative of EXPR\n"
         "                        in x at --x\n"
         "  --integral A B        the integral of EXPR dx from A to B; one that diverges or meets\n"
         "                        a point without a value prints its error text\n"
         "                        A and B are constant expressions, A <= B, and numbers have\n"
         "                        21 significant digits; nothing found is no error\n"
         "  --render FILE OUT     draw the graph file with its labels at its bitmap size and\n"
         "                        write the picture as a " +
         AllExtensions() +
         " file\n"
         "                        (vectors at 96 pixels to the inch); more FILE OUT\n"
         "                        pairs draw them all in one run, on every core, each\n"
         "                        failure told under its file's name\n"
         "  --depth BITS          colour depth of an exact " +
         Extensions({D::Exact}) +
         " picture (default 32)\n"
         "  --smooth              draw " +
         Extensions({D::Smooth}) +
         " pictures anti-aliased\n"
         "  --scale N             draw " +
         Extensions({D::Smooth}) +
         " pictures N times the bitmap's size, smooth\n"
         "  --param NAME=VALUE    a parameter's value, a constant expression: for --calc a\n"
         "                        parameter EXPR may use, for --render in place of the\n"
         "                        file's own (a file without it is bad usage); repeatable\n"
         "  --resave IN OUT       open a graph file of any format and save it in format 2,\n"
         "                        or 3 when it holds what format 2 can not\n"
         "  --help, --version     print this text or the version\n"
         "\n"
         "Exit status: 0 for a value or a written file, 1 for an error text or a file that\n"
         "can not be opened or written (its messages on stderr), 2 for bad usage.\n";
}

struct TCommandLine {
  enum TMode { Gui, Help, Version, Calc, Render, Resave } mode = Gui;
  std::string function;
  std::string inFile, outFile;     // --resave
  std::vector<TRenderJob> render;  // --render
  TRenderOptions renderOptions;    // --render
  TParameterList parameters;       // --param, for --calc and --render
  std::string xText = "0";
  std::string zText = "0";
  TAnalysisRequest analysis;  // a question asked about --calc's EXPR
  bool scientific = false;
  bool setTrig = false;
  int trigRange = 2;
  bool trigExact = true;
};

// "RANGE" or "RANGE,plain" with RANGE 0..5.
bool ParseTrig(std::string_view text, TCommandLine& cl) {
  const std::string_view range = text.substr(0, text.find(','));
  const std::string_view rest = text.substr(range.size());
  if (!rest.empty() && rest != ",plain") return false;
  int value = -1;
  const auto [end, ec] = std::from_chars(range.data(), range.data() + range.size(), value);
  if (ec != std::errc() || end != range.data() + range.size() || value < 0 || value > 5) return false;
  cl.setTrig = true;
  cl.trigRange = value;
  cl.trigExact = rest.empty();
  return true;
}

// Reads our "--" options; other arguments are left to the GUI mode (FILE and Qt's own
// options). Returns an empty text or what is wrong with the command line.
std::string Parse(int argc, char** argv, TCommandLine& cl) {
  bool calcOnly = false;  // an option that means something only with --calc
  bool renderOnly = false;
  std::string stray;  // the first argument that is not an option
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
      if (stray.empty()) stray = arg;
      continue;
    }
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    std::string value;
    const auto takeValue = [&]() {
      if (equals != std::string::npos) {
        value = arg.substr(equals + 1);
        return true;
      }
      if (i + 1 >= argc) return false;
      value = argv[++i];
      return true;
    };
    const auto setMode = [&](TCommandLine::TMode mode) {
      const bool clash = cl.mode != TCommandLine::Gui && cl.mode != mode;
      cl.mode = mode;
      return !clash;
    };

    if (name == "--help" || name == "--version") {
      if (equals != std::string::npos) return name + " takes no value";
      if (!setMode(name == "--help" ? TCommandLine::Help : TCommandLine::Version)) return "more than one mode given";
    } else if (name == "--scientific") {
      if (equals != std::string::npos) return name + " takes no value";
      cl.scientific = calcOnly = true;
    } else if (name == "--calc" || name == "--x" || name == "--z" || name == "--trig") {
      if (!takeValue()) return name + " needs a value";
      if (name == "--calc") {
        if (!setMode(TCommandLine::Calc)) return "more than one mode given";
        cl.function = value;
      } else if (name == "--trig") {
        if (!ParseTrig(value, cl)) return "--trig needs a range 0..5, optionally followed by \",plain\"";
        calcOnly = true;
      } else {
        (name == "--x" ? cl.xText : cl.zText) = value;
        calcOnly = true;
      }
    } else if (name == "--zeros" || name == "--extrema" || name == "--intersect" || name == "--derivative" ||
               name == "--integral") {
      if (cl.analysis.question != TAnalysisRequest::None)
        return "only one of --zeros, --extrema, --intersect, --derivative and --integral at a time";
      const bool intersect = name == "--intersect";
      const std::string need = name + (intersect                ? " needs EXPR2, A and B"
                                       : name == "--derivative" ? " needs 1 or 2"
                                                                : " needs A and B");
      std::vector<std::string> values;
      if (!takeValue()) return need;
      values.push_back(value);
      const std::size_t count = name == "--derivative" ? 1 : intersect ? 3 : 2;
      while (values.size() < count) {
        if (i + 1 >= argc) return need;
        values.push_back(argv[++i]);
      }
      TAnalysisRequest& q = cl.analysis;
      if (name == "--derivative") {
        if (value != "1" && value != "2") return need;
        q.question = TAnalysisRequest::Derivative;
        q.order = value == "1" ? 1 : 2;
      } else {
        q.question = intersect              ? TAnalysisRequest::Intersect
                     : name == "--zeros"    ? TAnalysisRequest::Zeros
                     : name == "--integral" ? TAnalysisRequest::Integral
                                            : TAnalysisRequest::Extrema;
        if (intersect) q.function2 = values[0];
        q.aText = values[count - 2];
        q.bText = values[count - 1];
      }
      calcOnly = true;
    } else if (name == "--render") {
      if (!takeValue() || i + 1 >= argc) return name + " needs two file names";
      if (!setMode(TCommandLine::Render)) return "more than one mode given";
      cl.render.push_back({value, argv[++i]});
      // More pairs follow up to the next option.
      while (i + 1 < argc && std::string_view(argv[i + 1]).substr(0, 2) != "--") {
        if (i + 2 >= argc || std::string_view(argv[i + 2]).substr(0, 2) == "--")
          return "--render needs a picture file for " + std::string(argv[i + 1]);
        cl.render.push_back({argv[i + 1], argv[i + 2]});
        i += 2;
      }
      for (const TRenderJob& job : cl.render)
        if (!PictureFormatOf(job.pictureFile)) return "--render writes a " + AllExtensions() + " file";
    } else if (name == "--resave") {
      if (!takeValue() || i + 1 >= argc) return name + " needs two file names";
      if (!setMode(TCommandLine::Resave)) return "more than one mode given";
      cl.inFile = value;
      cl.outFile = argv[++i];
    } else if (name == "--depth" || name == "--scale") {
      if (!takeValue()) return name + " needs a value";
      int& number = name == "--depth" ? cl.renderOptions.depth : cl.renderOptions.scale;
      const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), number);
      const bool whole = ec == std::errc() && end == value.data() + value.size();
      if (name == "--depth" && !(whole && IsValidDepth(number))) return "--depth needs 4, 8, 15, 16, 24 or 32";
      if (name == "--scale" && !(whole && number >= 1 && number <= 4)) return "--scale needs 1, 2, 3 or 4";
      cl.renderOptions.smooth |= name == "--scale";
      renderOnly = true;
    } else if (name == "--param") {
      if (!takeValue()) return name + " needs NAME=VALUE";
      const std::size_t split = value.find('=');
      TParameter p;
      p.Name = value.substr(0, split);
      TMathConstCheck number;
      if (split == std::string::npos || !number.Validate(value.substr(split + 1)))
        return "--param needs NAME=VALUE with a constant expression such as pi/2, not " + value;
      if (const std::string error = NameError(p.Name, "Parameter", {}, cl.parameters); !error.empty())
        return "--param " + p.Name + ": " + error;
      p.Value = number.Value();
      cl.parameters.push_back(p);
    } else if (name == "--smooth") {
      if (equals != std::string::npos) return name + " takes no value";
      cl.renderOptions.smooth = renderOnly = true;
    } else {
      return "unknown option " + name;
    }
  }
  if (calcOnly && cl.mode != TCommandLine::Calc)
    return "--x, --z, --scientific, --trig, --zeros, --extrema, --intersect, --derivative and --integral need --calc";
  if (renderOnly && cl.mode != TCommandLine::Render) return "--depth, --smooth and --scale need --render";
  if (!cl.parameters.empty() && cl.mode != TCommandLine::Calc && cl.mode != TCommandLine::Render)
    return "--param needs --calc or --render";
  cl.renderOptions.parameters = cl.parameters;
  const TRenderOptions& options = cl.renderOptions;
  if (options.depth != 0 && options.smooth) return "--depth is for exact pictures, not with --smooth or --scale";
  for (const TRenderJob& job : cl.render) {
    const TPictureDrawing drawing = RenderedFormat(job.pictureFile, options).drawing;
    if (drawing == D::Vector && (options.depth != 0 || options.smooth))
      return "--depth, --smooth and --scale are for " + Extensions({D::Exact, D::Smooth}, " and ") + " pictures, not " +
             job.pictureFile;
    if (options.smooth && drawing != D::Smooth)
      return "--smooth and --scale write " + Extensions({D::Smooth}) + " pictures, not " + job.pictureFile;
  }
  if (cl.mode != TCommandLine::Gui && !stray.empty()) return "unexpected argument " + stray;
  return "";
}

// Headless modes print their messages to stderr and never touch a display.
void EnterHeadless() {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // No event loop runs: Qt's own event dispatcher starts faster than glib's.
  qputenv("QT_NO_GLIB", "1");
  InstallMsgHandler(std::make_unique<TStderrMsgHandler>());
}

// Keeps stderr for the file messages: Qt's own warnings about the headless
// environment (no runtime directory, no display) are dropped.
void QuietQt() {
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << text.toStdString() << '\n';
  });
}

int RunCalc(const TCommandLine& cl) {
  if (cl.setTrig) SetTrigFixup(cl.trigRange, cl.trigExact);
  if (cl.analysis.question != TAnalysisRequest::None) {
    TAnalysisRequest request = cl.analysis;
    request.function = cl.function;
    request.xText = cl.xText;
    request.zText = cl.zText;
    request.parameters = cl.parameters;
    return RunAnalysis(request);
  }
  TGraphScope names(cl.parameters);
  const TCalcOutcome outcome = Calculate(cl.function, cl.xText, cl.zText, cl.scientific, &names);
  std::cout << outcome.text << '\n';
  return outcome.ok ? 0 : 1;
}

int RunGui(int& argc, char** argv) {
  QApplication app(argc, argv);
  InstallFontSubstitutes();
  QApplication::setApplicationName(QStringLiteral("Plotix"));
  QApplication::setApplicationVersion(QStringLiteral(PLOTIX_VERSION));
  // The desktop matches the windows to the installed menu entry (plotix.desktop).
  QApplication::setDesktopFileName(QStringLiteral("plotix"));
  QIcon icon;
  for (const char* file : {":/icons/plotix-48.png", ":/icons/plotix-256.png"}) icon.addFile(QString::fromLatin1(file));
  QApplication::setWindowIcon(icon);
  InstallMsgHandler(std::make_unique<TQtMsgHandler>());
  LoadRegionalFromSystem();
  TDialogTitleFit titles;
  TScreenFit screen;
  TFocusReturn focus;
  for (QObject* filter : std::initializer_list<QObject*>{&titles, &screen, &focus}) app.installEventFilter(filter);
  TMainForm form(std::make_unique<QSettings>(QStringLiteral("Plotix"), QStringLiteral("Plotix")));
  form.Settings().drawInBackground = true;
  InstallHelpHandler([&form](const std::string& page) { form.ShowHelp(QString::fromStdString(page)); });
  form.show();
  // FILE: opened when it names an existing file; anything else is quietly ignored.
  const QStringList args = QApplication::arguments();
  if (args.size() > 1 && QFileInfo(args[1]).isFile()) form.OpenGraphFile(args[1].toStdString());
  const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
  form.StartRecovery(std::make_unique<TRecoveryStore>(dataFolder + "/recovery"),
                     std::chrono::seconds(form.Settings().recoverySeconds));
  // Asked once the main window is on the screen.
  QTimer::singleShot(0, &form, &TMainForm::OfferRecovery);
  const int status = QApplication::exec();
  InstallHelpHandler(nullptr);
  return status;
}

}  // namespace

int PlotixMain(int argc, char** argv) {
  // A write beyond the file size limit then fails with an error that the save reports,
  // instead of ending the program and leaving its temporary file behind.
  std::signal(SIGXFSZ, SIG_IGN);
  RegisterGraphKinds();
  RegisterLabelDialogs(Dialogs());
  TCommandLine cl;
  const std::string problem = Parse(argc, argv, cl);
  if (!problem.empty()) {
    std::cerr << "plotix: " << problem << '\n' << Usage();
    return 2;
  }
  switch (cl.mode) {
    case TCommandLine::Gui: return RunGui(argc, argv);
    case TCommandLine::Help: std::cout << Usage() << OptionHelp(); return 0;
    case TCommandLine::Version: std::cout << "Plotix " PLOTIX_VERSION "\n"; return 0;
    case TCommandLine::Calc: EnterHeadless(); return RunCalc(cl);
    case TCommandLine::Render:
    case TCommandLine::Resave: {
      EnterHeadless();
      QuietQt();
      QGuiApplication app(argc, argv);
      InstallFontSubstitutes();
      // PNG and BMP are built into Qt: without plugin folders writing a picture loads no
      // image plugins to ask them about the format.
      QCoreApplication::setLibraryPaths({});
      return cl.mode == TCommandLine::Render ? RenderGraphFiles(cl.render, cl.renderOptions)
                                             : ResaveGraphFile(cl.inFile, cl.outFile);
    }
  }
  return 2;
}

}  // namespace plotix
