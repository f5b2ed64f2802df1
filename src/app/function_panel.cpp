#include "app/function_panel.h"

#include <QApplication>
#include <QCheckBox>
#include <QDrag>
#include <QDragEnterEvent>
#include <QGridLayout>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollArea>
#include <QTextCharFormat>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/common_dialogs.h"
#include "window/graph_window.h"

namespace plotix {

namespace {

const char* const kRowMime = "application/x-plotix-function-row";

// The badge of a function's kind beside its line.
QString KindBadge(const std::string& kind) {
  if (kind == "Function") return QStringLiteral("f");
  if (kind == "Parametric Curve") return QStringLiteral("(t)");
  if (kind == "Implicit Curve") return QStringLiteral("=");
  if (kind == "Derivative Curve") return QStringLiteral("f\u2032");
  if (kind == "Integral Curve") return QStringLiteral("\u222B");
  return {};
}

// The line's character (from 1; 0: none) underlined in red, as the text layout of the
// line edit takes formats: through an input method event that commits nothing.
void MarkCharacter(QLineEdit* line, int character) {
  QList<QInputMethodEvent::Attribute> attributes;
  if (character > 0 && character <= line->text().size()) {
    QTextCharFormat format;
    format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    format.setUnderlineColor(Qt::red);
    format.setForeground(Qt::red);
    attributes << QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, character - 1 - line->cursorPosition(), 1,
                                               format);
  }
  QInputMethodEvent event(QString(), attributes);
  QCoreApplication::sendEvent(line, &event);
}

}  // namespace

TFunctionPanel::TFunctionPanel(QWidget* parent)
    : QWidget(parent), hint_(new QLabel), list_(new QWidget), rowsLayout_(new QVBoxLayout(list_)) {
  hint_->setWordWrap(true);
  hint_->setText(QStringLiteral("The functions of the active 2D or polar graph are typed here."));
  rowsLayout_->setContentsMargins(0, 0, 0, 0);
  rowsLayout_->setSpacing(2);
  auto* scroll = new QScrollArea;
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  auto* inner = new QWidget;
  auto* innerLayout = new QVBoxLayout(inner);
  innerLayout->addWidget(list_);
  innerLayout->addStretch();
  scroll->setWidget(inner);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(hint_);
  layout->addWidget(scroll);
  setAcceptDrops(true);
  // Room for a line of some 30 characters beside the row's buttons.
  setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 44);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  FollowGraph(nullptr);
}

TTypedFunctions* TFunctionPanel::Typed() const { return window_ ? window_->TypedFunctions() : nullptr; }

void TFunctionPanel::FollowGraph(TFuncGraphWindow* window) {
  if (window && window == window_) return;
  if (TTypedFunctions* typed = Typed()) typed->EndTyping();
  if (window_) disconnect(window_, nullptr, this, nullptr);
  window_ = window;
  if (window_) {
    connect(window_, &TFuncGraphWindow::Rendered, this, &TFunctionPanel::Refresh);
    connect(window_, &TFuncGraphWindow::ParametersChanged, this, &TFunctionPanel::Refresh);
  }
  while (!rows_.empty()) DropRowWidgets();
  Refresh();
}

void TFunctionPanel::Refresh() {
  TTypedFunctions* typed = Typed();
  hint_->setVisible(!typed);
  list_->setVisible(typed);
  if (!typed) return;
  const std::vector<TTypedRow> rows = typed->Rows();
  const int typing = typed->TypingRow();
  SyncRowCount(int(rows.size()), typing);
  for (int i = 0; i < int(rows.size()); ++i) ShowRow(i, rows[std::size_t(i)], i != typing);
}

void TFunctionPanel::SyncRowCount(int functions, int typing) {
  const bool fewer = int(rows_.size()) > functions + 1;
  while (int(rows_.size()) < functions + 1) AddRowWidgets();
  while (int(rows_.size()) > functions + 1) DropRowWidgets();
  TRow& last = rows_.back();
  for (QWidget* w :
       {static_cast<QWidget*>(last.handle), static_cast<QWidget*>(last.swatch), static_cast<QWidget*>(last.shown)})
    w->setVisible(false);
  // The row that showed the last function is the empty one now, unless it is being typed in
  // (a new line that no longer reads); the empty row keeps what was typed in it otherwise.
  if (fewer && typing != functions) {
    last.line->clear();
    last.line->setReadOnly(false);
    last.kind->clear();
    ShowError(functions, {});
  }
}

// The last row's widgets go once the event in progress is done: one of them may be handling it.
void TFunctionPanel::DropRowWidgets() {
  rows_.back().frame->hide();
  rows_.back().frame->deleteLater();
  rows_.pop_back();
}

void TFunctionPanel::AddRowWidgets() {
  TRow row{new QFrame,
           new QLabel(QStringLiteral("\u2630")),
           new TColorSampleButton,
           new QCheckBox,
           new QLabel,
           new QLineEdit,
           new QLabel,
           new QToolButton,
           0,
           {}};
  row.handle->setCursor(Qt::OpenHandCursor);
  row.handle->setToolTip(QStringLiteral("Drag To Move"));
  row.swatch->setIconSize(QSize(14, 14));
  row.shown->setToolTip(QStringLiteral("Show"));
  row.kind->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("(t)")) + 4);
  row.kind->setAlignment(Qt::AlignCenter);
  row.line->setPlaceholderText(QStringLiteral("x^2, (cos(t), sin(t)), x^2+y^2=4"));
  row.error->setWordWrap(true);
  row.error->setStyleSheet(QStringLiteral("color: #c00000"));
  row.error->hide();
  row.slider->hide();
  auto* grid = new QGridLayout(row.frame);
  grid->setContentsMargins(2, 2, 2, 2);
  grid->addWidget(row.handle, 0, 0);
  grid->addWidget(row.swatch, 0, 1);
  grid->addWidget(row.shown, 0, 2);
  grid->addWidget(row.kind, 0, 3);
  grid->addWidget(row.line, 0, 4);
  grid->addWidget(row.error, 1, 4);
  grid->addWidget(row.slider, 2, 4, Qt::AlignLeft);
  grid->setColumnStretch(4, 1);
  const int index = int(rows_.size());
  row.handle->installEventFilter(this);
  row.line->installEventFilter(this);
  connect(row.line, &QLineEdit::textEdited, this, [this, index](const QString& text) { LineEdited(index, text); });
  connect(row.line, &QLineEdit::returnPressed, this, [this, index] {
    EndEdit(index);
    FocusRow(index + 1);
  });
  connect(row.shown, &QCheckBox::clicked, this, [this, index](bool shown) {
    if (TTypedFunctions* typed = Typed()) typed->SetShown(index, shown);
  });
  connect(row.swatch, &TColorSampleButton::ColorChanged, this, [this, index](TColor color) {
    if (TTypedFunctions* typed = Typed()) typed->SetColor(index, color);
  });
  connect(row.slider, &QToolButton::clicked, this, [this, index] {
    TTypedFunctions* typed = Typed();
    if (!typed) return;
    typed->AddSlider(rows_[std::size_t(index)].unknown);
    Refresh();
    rows_[std::size_t(index)].line->setFocus(Qt::OtherFocusReason);
    emit SliderAdded();
  });
  rowsLayout_->addWidget(row.frame);
  rows_.push_back(row);
}

void TFunctionPanel::ShowRow(int index, const TTypedRow& row, bool withText) {
  TRow& r = rows_[std::size_t(index)];
  for (QWidget* w : {static_cast<QWidget*>(r.handle), static_cast<QWidget*>(r.swatch), static_cast<QWidget*>(r.shown)})
    w->setVisible(true);
  {
    const QSignalBlocker blocker(r.swatch);
    r.swatch->SetColor(row.color);
  }
  r.shown->setChecked(!row.hidden);
  r.kind->setText(KindBadge(row.kind));
  r.kind->setToolTip(QString::fromStdString(row.kind));
  r.line->setReadOnly(!row.typed);
  if (!withText) return;
  const QString text = QString::fromStdString(row.text);
  if (r.line->text() != text) {
    const int cursor = r.line->cursorPosition();
    r.line->setText(text);
    r.line->setCursorPosition(std::min(cursor, int(text.size())));
  }
  ShowError(index, row.error);
}

void TFunctionPanel::ShowError(int index, const TTypedError& error) {
  TRow& r = rows_[std::size_t(index)];
  r.error->setText(QString::fromStdString(error.message));
  r.error->setVisible(!error.message.empty());
  r.marked = error.character;
  MarkCharacter(r.line, error.character);
  r.unknown = error.unknownName;
  r.slider->setText(QString::fromStdString("add slider: " + error.unknownName));
  r.slider->setVisible(!error.unknownName.empty());
}

void TFunctionPanel::LineEdited(int index, const QString& text) {
  TTypedFunctions* typed = Typed();
  if (!typed) return;
  const TTypedRow row = typed->Type(index, text.toStdString());
  const int functions = int(typed->Rows().size());
  SyncRowCount(functions, index);
  if (index < functions) ShowRow(index, row, false);
  rows_[std::size_t(index)].kind->setText(KindBadge(row.kind));
  ShowError(index, row.error);
}

void TFunctionPanel::EndEdit(int /*index*/) {
  if (TTypedFunctions* typed = Typed()) typed->EndTyping();
  Refresh();
}

void TFunctionPanel::FocusRow(int index) {
  if (rows_.empty()) return;
  rows_[std::size_t(std::clamp(index, 0, int(rows_.size()) - 1))].line->setFocus(Qt::OtherFocusReason);
}

void TFunctionPanel::FocusNewRow() {
  Refresh();
  FocusRow(int(rows_.size()) - 1);
}

void TFunctionPanel::MoveRow(int from, int to) {
  TTypedFunctions* typed = Typed();
  if (!typed) return;
  typed->Move(from, to);
  Refresh();
}

int TFunctionPanel::RowOf(const QObject* widget) const {
  for (std::size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i].line == widget || rows_[i].handle == widget) return int(i);
  return -1;
}

bool TFunctionPanel::RowKey(int index, QKeyEvent* event) {
  TTypedFunctions* typed = Typed();
  const int functions = typed ? int(typed->Rows().size()) : 0;
  const bool onFunction = index < functions;
  const bool alt = event->modifiers() & Qt::AltModifier;
  switch (event->key()) {
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
      // An emptied row goes; held keys clearing the line do not take the row with them.
      if (!onFunction || !rows_[std::size_t(index)].line->text().isEmpty() || event->isAutoRepeat()) return false;
      typed->Remove(index);
      Refresh();
      FocusRow(event->key() == Qt::Key_Backspace ? index - 1 : index);
      return true;
    case Qt::Key_Up:
    case Qt::Key_Down: {
      const int to = index + (event->key() == Qt::Key_Up ? -1 : 1);
      if (alt) {
        if (!onFunction || to < 0 || to >= functions) return true;
        MoveRow(index, to);
      }
      FocusRow(to);
      return true;
    }
    default: return false;
  }
}

bool TFunctionPanel::eventFilter(QObject* watched, QEvent* event) {
  const int index = RowOf(watched);
  if (index < 0) return QWidget::eventFilter(watched, event);
  TRow& row = rows_[std::size_t(index)];
  if (watched == row.line) {
    if (event->type() == QEvent::KeyPress) return RowKey(index, static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::FocusOut && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
      EndEdit(index);
    return false;
  }
  // The handle starts a drag of its row.
  if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseMove) return false;
  auto* mouse = static_cast<QMouseEvent*>(event);
  if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
    dragStart_ = mouse->position().toPoint();
    return true;
  }
  if (event->type() == QEvent::MouseMove && (mouse->buttons() & Qt::LeftButton) &&
      (mouse->position().toPoint() - dragStart_).manhattanLength() >= QApplication::startDragDistance()) {
    auto* mime = new QMimeData;
    mime->setData(kRowMime, QByteArray::number(index));
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->setPixmap(row.frame->grab());
    drag->exec(Qt::MoveAction);
    return true;
  }
  return false;
}

void TFunctionPanel::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasFormat(kRowMime)) event->acceptProposedAction();
}

void TFunctionPanel::dragMoveEvent(QDragMoveEvent* event) {
  if (event->mimeData()->hasFormat(kRowMime)) event->acceptProposedAction();
}

void TFunctionPanel::dropEvent(QDropEvent* event) {
  if (!event->mimeData()->hasFormat(kRowMime)) return;
  bool ok = false;
  const int from = event->mimeData()->data(kRowMime).toInt(&ok);
  const int functions = int(rows_.size()) - 1;
  if (!ok || from < 0 || from >= functions) return;
  // The row goes before the first row whose middle lies below the drop.
  int before = functions;
  for (int i = 0; i < functions; ++i) {
    const QWidget* frame = rows_[std::size_t(i)].frame;
    const QPoint middle = frame->mapTo(this, QPoint(0, frame->height() / 2));
    if (event->position().y() < middle.y()) {
      before = i;
      break;
    }
  }
  event->acceptProposedAction();
  MoveRow(from, before > from ? before - 1 : before);
}

}  // namespace plotix
