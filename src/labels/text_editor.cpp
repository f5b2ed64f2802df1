#include "labels/text_editor.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace plotix {

namespace {
constexpr int kMargin = 2;        // between the frame and the text
constexpr int kMinTextWidth = 8;  // an empty editor still shows
constexpr int kMaxExtent = 10000;
constexpr TColor kWhite = 0xFFFFFF, kBlack = 0x000000;

// Tab, line breaks, the other control characters and delete.
bool IsIgnored(char32_t c) { return c < 0x20 || c == 0x7F; }
}  // namespace

TCustomTextEdit::TCustomTextEdit(QWidget* parent) : QWidget(parent), measure_(1, 1), face_(1, 1) {
  setObjectName(QStringLiteral("TextEditor"));
  setFocusPolicy(Qt::ClickFocus);
  setCursor(Qt::IBeamCursor);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setGeometry(1, 1, 0, 0);
  hide();
}

void TCustomTextEdit::Open(TPoint point, const std::string& text, const TFontDesc& font) {
  if (open_) Close();
  open_ = true;
  font_ = font;
  text_ = QString::fromStdString(text).toStdU32String();
  undone_.clear();
  redone_.clear();
  move(point.x - kMargin, point.y - kMargin);
  Resize();
  SetCaret(int(text_.size()));
  if (OnOpened) OnOpened(*this, {point.x - kMargin, point.y - kMargin}, width(), height());
  show();
  raise();
  setFocus(Qt::OtherFocusReason);
}

void TCustomTextEdit::Close() {
  if (!open_) return;
  // First, so that the focus leaving the editor does not close it again.
  open_ = false;
  clearFocus();  // a hidden editor must not take the keys
  hide();
  if (OnClosed) OnClosed(*this);
  setGeometry(1, 1, 0, 0);
  caretX_ = kMargin;
  caretIndex_ = 0;
}

int TCustomTextEdit::PrefixWidth(int count) {
  TCanvas& canvas = measure_.Canvas();
  canvas.Font() = font_;
  return canvas.TextWidth(QString::fromStdU32String(text_.substr(0, std::size_t(count))).toStdString());
}

void TCustomTextEdit::Resize() {
  TCanvas& canvas = measure_.Canvas();
  canvas.Font() = font_;
  const int textHeight = canvas.TextHeight("W" + Text());
  const int w = std::min(std::max(PrefixWidth(int(text_.size())), kMinTextWidth) + 2 * kMargin, kMaxExtent);
  const int h = std::min(textHeight + 2 * kMargin, kMaxExtent);
  resize(w, h);
  update();
}

void TCustomTextEdit::SetCaret(int index) {
  const int length = int(text_.size());
  caretIndex_ = std::clamp(index, 0, length);
  const int x = caretIndex_ > 0 ? PrefixWidth(caretIndex_) + kMargin : kMargin;
  caretX_ = std::min(x, width() - 3);
  update();
}

// Stops at the first index farther than the best so far, and at the end of the text.
int TCustomTextEdit::NearestCaretIndex(int x) {
  int best = 0, bestDistance = std::abs(x - kMargin);
  for (int i = 1; i <= int(text_.size()); ++i) {
    const int distance = std::abs(PrefixWidth(i) + kMargin - x);
    if (distance > bestDistance) break;
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

void TCustomTextEdit::Remember() {
  undone_.push_back({text_, caretIndex_});
  redone_.clear();
}

void TCustomTextEdit::Restore(std::vector<TState>& from, std::vector<TState>& to) {
  if (from.empty()) return;
  to.push_back({text_, caretIndex_});
  text_ = from.back().text;
  Resize();
  SetCaret(from.back().caret);
  from.pop_back();
}

void TCustomTextEdit::Insert(const std::u32string& typed) {
  Remember();
  for (const char32_t c : typed) {
    if (IsIgnored(c) || int(text_.size()) >= kMaxTyped) continue;
    text_.insert(std::size_t(caretIndex_), 1, c);
    Resize();
    SetCaret(caretIndex_ + 1);
  }
}

// Keys without Ctrl or Alt edit the text, even where a command has them as its shortcut
// (Delete deletes the selected label outside the editor); undo and redo take back the
// typing here, not a step of the graph's history.
bool TCustomTextEdit::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (!(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) || key->matches(QKeySequence::Undo) ||
        key->matches(QKeySequence::Redo) || key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y)) {
      event->accept();
      return true;
    }
  }
  return QWidget::event(event);
}

void TCustomTextEdit::keyPressEvent(QKeyEvent* event) {
  const int length = int(text_.size());
  if (event->matches(QKeySequence::Undo)) {
    Restore(undone_, redone_);
    return;
  }
  if (event->matches(QKeySequence::Redo) || event->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y)) {
    Restore(redone_, undone_);
    return;
  }
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape: Close(); break;
    case Qt::Key_Backspace:
      if (caretIndex_ > 0) {
        Remember();
        text_.erase(std::size_t(caretIndex_ - 1), 1);
        Resize();
        SetCaret(caretIndex_ - 1);
      }
      break;
    case Qt::Key_Delete:
      if (caretIndex_ < length) {
        Remember();
        text_.erase(std::size_t(caretIndex_), 1);
        Resize();
        SetCaret(caretIndex_);
      }
      break;
    case Qt::Key_Home: SetCaret(0); break;
    case Qt::Key_End: SetCaret(length); break;
    case Qt::Key_Left: SetCaret(caretIndex_ - 1); break;
    case Qt::Key_Right: SetCaret(caretIndex_ + 1); break;
    default:
      if (event->text().isEmpty()) {
        event->ignore();
        return;
      }
      Insert(event->text().toStdU32String());
  }
  event->accept();
}

void TCustomTextEdit::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  SetCaret(NearestCaretIndex(event->position().toPoint().x()));
  setFocus(Qt::MouseFocusReason);
}

// A menu opening or another window becoming active leaves the edit open; another control
// taking the focus ends it.
void TCustomTextEdit::focusOutEvent(QFocusEvent* event) {
  update();
  if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason) Close();
}

// White text is shown on black, anything else on white, with the label's own raster.
void TCustomTextEdit::paintEvent(QPaintEvent*) {
  const bool inverse = font_.color == kWhite;
  const TColor ink = inverse ? kWhite : kBlack;
  if (face_.Width() != width() || face_.Height() != height())
    face_.SetSize(std::max(1, width()), std::max(1, height()));
  TCanvas& canvas = face_.Canvas();
  canvas.Pen() = {ink, 1, psSolid, TPenMode::Copy};
  canvas.Brush() = {inverse ? kBlack : kWhite, bsSolid};
  canvas.Rectangle(0, 0, width(), height());
  canvas.Font() = font_;
  canvas.TextOut(kMargin, kMargin, Text());
  QPainter painter(this);
  painter.drawImage(0, 0, face_.Image());
  if (hasFocus()) {
    painter.setPen(ToQColor(ink));
    painter.drawLine(caretX_, kMargin, caretX_, height() - kMargin - 1);
  }
}

}  // namespace plotix
