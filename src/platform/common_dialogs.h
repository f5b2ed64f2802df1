#pragma once
// The platform's common dialogs: colour, font, open file and save file. Everything
// reaches them through one installed handler, so tests can script the answers; the Qt
// handler is installed from the start.

#include <QToolButton>
#include <deque>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/colour.h"
#include "platform/font_description.h"

class QHBoxLayout;
class QPushButton;

namespace plotix {

// The window a dialog opens over: the active modal dialog, else the active window.
QWidget* DialogParent();

class TCommonDlgHandler {
 public:
  virtual ~TCommonDlgHandler() = default;
  // Each dialog starts from the value passed in and writes the choice back only on OK.
  virtual bool PickColor(QWidget* parent, TColor& color) = 0;
  virtual bool PickFont(QWidget* parent, TFontDesc& font) = 0;
  // filter: "Description (*.x)|*.x|..." pairs; defaultExt without the dot. A name saved
  // without an extension takes defaultExt, or the one of the file type the user chose;
  // chosenType, when given, receives that type's place in the filter (0 for the first).
  virtual bool PickOpenFile(QWidget* parent, const std::string& title, const std::string& filter,
                            const std::string& defaultExt, std::string& name) = 0;
  virtual bool PickSaveFile(QWidget* parent, const std::string& title, const std::string& filter,
                            const std::string& defaultExt, std::string& name, int* chosenType) = 0;
};

bool PickColor(QWidget* parent, TColor& color);
bool PickFont(QWidget* parent, TFontDesc& font);
bool PickOpenFile(QWidget* parent, const std::string& title, const std::string& filter, const std::string& defaultExt,
                  std::string& name);
bool PickSaveFile(QWidget* parent, const std::string& title, const std::string& filter, const std::string& defaultExt,
                  std::string& name, int* chosenType = nullptr);

// Installs a handler and returns the previous one.
std::unique_ptr<TCommonDlgHandler> InstallCommonDlgHandler(std::unique_ptr<TCommonDlgHandler> handler);

// "Plotix File(*.pxg)|*.pxg|All Files|*.*;*" as Qt writes it:
// "Plotix File (*.pxg);;All Files (*.* *)".
QString QtFileFilter(const std::string& filter);

// The program's dialogs. One colour dialog serves the whole program, so its custom
// colours and position carry over from one use to the next.
class TQtCommonDlgHandler : public TCommonDlgHandler {
 public:
  bool PickColor(QWidget* parent, TColor& color) override;
  bool PickFont(QWidget* parent, TFontDesc& font) override;
  bool PickOpenFile(QWidget* parent, const std::string& title, const std::string& filter, const std::string& defaultExt,
                    std::string& name) override;
  bool PickSaveFile(QWidget* parent, const std::string& title, const std::string& filter, const std::string& defaultExt,
                    std::string& name, int* chosenType) override;
};

enum class TCommonDlgKind { Color, Font, OpenFile, SaveFile };

// Records every request and answers from a queue; an empty queue or an answer of the
// wrong kind cancels the dialog.
class TScriptedCommonDlgHandler : public TCommonDlgHandler {
 public:
  using TAnswer = std::variant<TColor, TFontDesc, std::string>;
  struct TAsked {
    explicit TAsked(TCommonDlgKind k) : kind(k) {}
    TCommonDlgKind kind;
    TColor color = 0;  // the colour or font the dialog was preset to
    TFontDesc font;
    std::string title, filter, defaultExt, name;
  };

  bool PickColor(QWidget* parent, TColor& color) override;
  bool PickFont(QWidget* parent, TFontDesc& font) override;
  bool PickOpenFile(QWidget* parent, const std::string& title, const std::string& filter, const std::string& defaultExt,
                    std::string& name) override;
  bool PickSaveFile(QWidget* parent, const std::string& title, const std::string& filter, const std::string& defaultExt,
                    std::string& name, int* chosenType) override;

  void QueueColor(TColor color) { answers_.emplace_back(color); }
  void QueueFont(const TFontDesc& font) { answers_.emplace_back(font); }
  void QueueFileName(const std::string& name) { answers_.emplace_back(name); }
  // The file type the next save dialogs report as chosen.
  int typeToChoose = 0;

  std::vector<TAsked> asked;

 private:
  template <class T>
  bool Answer(T& value);
  bool PickFile(TCommonDlgKind kind, const std::string& title, const std::string& filter, const std::string& defaultExt,
                std::string& name);

  std::deque<TAnswer> answers_;
};

// Installs a scripted handler for the life of the scope and restores the previous one.
class TScopedScriptedCommonDlgs {
 public:
  TScopedScriptedCommonDlgs();
  ~TScopedScriptedCommonDlgs();
  TScopedScriptedCommonDlgs(const TScopedScriptedCommonDlgs&) = delete;
  TScopedScriptedCommonDlgs& operator=(const TScopedScriptedCommonDlgs&) = delete;

  TScriptedCommonDlgHandler& operator*() { return *handler_; }
  TScriptedCommonDlgHandler* operator->() { return handler_; }

 private:
  TScriptedCommonDlgHandler* handler_;
  std::unique_ptr<TCommonDlgHandler> previous_;
};

// A colour sample that dialogs show beside a colour setting: it paints the colour and,
// when clicked, opens the colour dialog preset to it.
class TColorSampleButton : public QToolButton {
  Q_OBJECT

 public:
  explicit TColorSampleButton(QWidget* parent = nullptr);

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  // Opens the colour dialog; the sample takes the chosen colour, Cancel keeps it.
  bool Pick();

 signals:
  void ColorChanged(TColor color);

 private:
  TColor color_ = 0xFFFFFF;
};

// A colour sample and the button that picks its colour, in a row that ends in a stretch.
QHBoxLayout* ColorRow(TColorSampleButton* sample, QPushButton* button);

}  // namespace plotix
