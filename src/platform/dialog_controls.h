#pragma once
// What the dialogs share: the OK, Cancel and Help frame and the modal run, the pen style
// speed buttons, a pen width scroll bar, the text naming a font, the width of number boxes
// and of dialogs with long captions.

#include <QDialog>
#include <QObject>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <initializer_list>
#include <type_traits>
#include <utility>
#include <variant>

#include "platform/common_dialogs.h"
#include "platform/dialog_service.h"
#include "platform/font_description.h"
#include "platform/plot_style.h"

class QButtonGroup;
class QDialogButtonBox;
class QHBoxLayout;
class QLabel;
class QLayout;
class QScrollBar;
class QPushButton;
class QSpinBox;

namespace plotix {

class TColorSampleButton;

// Five exclusive speed buttons, one per pen style (0 solid, 1 dash, 2 dot, 3 dash-dot,
// 4 dash-dot-dot, the style code being the button's id), added to the layout. The pressed
// one shows its line in the selection colours, so it stands out from the others.
QButtonGroup* PenStyleButtons(QWidget* owner, QHBoxLayout* layout);
// Presses the style's button; a code without a button presses solid.
void CheckPenStyle(QButtonGroup* group, int style);
std::uint8_t CheckedPenStyle(const QButtonGroup* group);

// A pen width scroll bar (1..10) with the label that shows its position, added to the layout
// when there is one.
QScrollBar* SizeScrollBar(QLabel*& label, QHBoxLayout* layout = nullptr);
// The style row of every function dialog: "Color" with its sample and "&Color..." button,
// and, where the kind draws wide lines, "Line Width" with its bar (1..10) and number.
class TPlotStyleRow : public QWidget {
 public:
  explicit TPlotStyleRow(bool withWidth, QWidget* parent = nullptr);

  void SetStyle(const TPlotStyle& style);
  // The style shown; without a width bar the width set last stays.
  TPlotStyle Style() const;

  TColorSampleButton* ColorSample;
  QPushButton* ColorButton;
  QScrollBar* WidthBar = nullptr;
  QLabel* WidthLabel = nullptr;

 private:
  TPlotStyle style_;
};

// "Face, 9 pt, Bold, Italic".
QString FontText(const TFontDesc& font);

// Puts the focus on a field, with a line edit's text selected: a dialog's first field as it
// opens (typing replaces the text), a field that refused its text.
void FocusField(QWidget* field);

// A Help button in the dialog's box that opens the manual at the page ("polar.md#change-
// polar-view"), the page F1 opens in the dialog too.
void AddHelpButton(QDialog* dialog, QDialogButtonBox* buttons, const char* page);

// A dialog closed by OK or Cancel, with Help beside them. OK calls accept(), which a dialog
// overrides to check its fields and store them; Help and F1 open the manual at the page.
class TOkCancelDlg : public QDialog {
  Q_OBJECT

 public:
  QDialogButtonBox* Buttons;

 protected:
  TOkCancelDlg(QWidget* parent, const QString& caption, const char* helpPage, Qt::Orientation buttons = Qt::Horizontal);

  // The parts top to bottom with the buttons below them, the dialog as large as they need.
  void LayOut(std::initializer_list<std::variant<QWidget*, QLayout*>> parts);
};

// Shows the dialog made of the arguments and the parent modally; true when OK closed it.
template <class TDlg, class... TArgs>
bool RunModal(QWidget* parent, TArgs&&... args) {
  TDlg dialog(std::forward<TArgs>(args)..., parent);
  return dialog.exec() == QDialog::Accepted;
}

// Makes TDlg, shown over DialogParent(), the dialog of objects of type T. A dialog made of
// the object, addMode and the parent tells a new object from one modified.
template <class TDlg, class T>
void RegisterModal(TDialogService& service) {
  service.Register<T>([](T& object, bool addMode) {
    if constexpr (std::is_constructible_v<TDlg, T&, bool, QWidget*>)
      return RunModal<TDlg>(DialogParent(), object, addMode);
    else
      return RunModal<TDlg>(DialogParent(), object);
  });
}

// Makes a whole-number box wide enough to show `widest` with room to spare, whatever its
// current range: a dialog's boxes then fit every value the program allows.
void FitNumberBox(QSpinBox* box, int widest);

// Installed on the application: a dialog is shown at least as wide as its caption needs
// in a title bar, so that the window manager does not cut "Current Window Bitmap
// Attributes" down to "Current Windo...ap Attributes".
class TDialogTitleFit : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace plotix
