#pragma once
// TCustomTextEdit: the one-line editor a graph window lays over its bitmap to type the
// text of a text label in place. It measures and draws its text exactly as the label
// does, grows with it, and commits whatever closes it (Enter, Escape, a click elsewhere,
// the focus leaving it).

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/font_description.h"

namespace plotix {

class TCustomTextEdit : public QWidget {
  Q_OBJECT

 public:
  // Typing stops here; a longer text that a label already holds is kept whole.
  static constexpr int kMaxTyped = 250;

  explicit TCustomTextEdit(QWidget* parent = nullptr);

  // Commits an edit in progress, then shows the editor with its text's top-left corner
  // at point, in the font, and takes the focus.
  void Open(TPoint point, const std::string& text, const TFontDesc& font);
  // Hides the editor and tells OnClosed, which reads Text(); nothing when not open.
  void Close();

  bool IsOpen() const { return open_; }
  std::string Text() const { return QString::fromStdU32String(text_).toStdString(); }
  int CaretIndex() const { return caretIndex_; }

  // The editor's top-left corner and size once it is shown.
  std::function<void(TCustomTextEdit&, TPoint, int width, int height)> OnOpened;
  std::function<void(TCustomTextEdit&)> OnClosed;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  // Tab is a character the editor ignores, not a way out of it.
  bool focusNextPrevChild(bool) override { return false; }

 private:
  // Width of the first count characters in the editor's font.
  int PrefixWidth(int count);
  void Resize();
  // Puts the caret before character index (clamped to the text).
  void SetCaret(int index);
  // The index whose caret position is nearest x; the earlier one on a tie.
  int NearestCaretIndex(int x);
  void Insert(const std::u32string& typed);

  // The editor's own undo and redo of its typing: each edit remembers the text before it.
  struct TState {
    std::u32string text;
    int caret;
  };
  void Remember();
  void Restore(std::vector<TState>& from, std::vector<TState>& to);
  std::vector<TState> undone_, redone_;

  std::u32string text_;  // one element per character
  TFontDesc font_;
  bool open_ = false;
  int caretIndex_ = 0;
  int caretX_ = 2;
  TBitmap measure_;  // a canvas to measure text on exactly as labels are measured
  TBitmap face_;     // the editor's picture
};

}  // namespace plotix
