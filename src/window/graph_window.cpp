#include "window/graph_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QThreadPool>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <new>
#include <utility>

#include "labels/text_editor.h"
#include "platform/common_dialogs.h"
#include "platform/message_box.h"
#include "platform/painter_twin.h"
#include "window/bitmap_size_dialog.h"
#include "window/graph_step.h"
#include "window/mouse_navigation.h"
#include "window/status_line.h"
#include "window/typed_functions.h"

namespace plotix {

namespace {
constexpr const char* kSaveTitle = "Save File As";
constexpr const char* kSaveFilter = "Plotix File (*.pxg)|*.pxg";
}  // namespace

const std::array<TColor, kNewFuncColorCount> kNewFuncColors = {0xFF0000, 0x0000FF, 0x008000, 0x000080, 0x800000,
                                                               0x008080, 0x800080, 0x808000, 0x808080, 0xC0C0C0,
                                                               0x00FF00, 0xFF00FF, 0xFFFF00, 0x000000, 0xFFFFFF};

// ---- TScreenImage ------------------------------------------------------------

TPoint BitmapPixel(const QPointF& position) { return {int(std::floor(position.x())), int(std::floor(position.y()))}; }

TScreenImage::TScreenImage(TFuncGraphWindow& window, TBitmap& bitmap) : window_(window), bitmap_(bitmap) {
  setObjectName(QStringLiteral("ScreenImage"));
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  SyncSize();
}

void TScreenImage::SyncSize() { setFixedSize(bitmap_.Width(), bitmap_.Height()); }

void TScreenImage::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  if (TPainterTwin* twin = bitmap_.Twin()) {
    const double s = twin->Scale();
    painter.drawImage(area, twin->Image(), QRectF(area.x() * s, area.y() * s, area.width() * s, area.height() * s));
  } else {
    painter.drawImage(area, bitmap_.Image(), area);
  }
  window_.PaintMarks(painter);
}

void TScreenImage::mousePressEvent(QMouseEvent* event) {
  const TPoint p = BitmapPixel(event->position());
  window_.MouseDown(event->button(), event->modifiers(), p.x, p.y);
}

void TScreenImage::mouseMoveEvent(QMouseEvent* event) {
  const TPoint p = BitmapPixel(event->position());
  window_.MouseMove(event->buttons(), event->modifiers(), p.x, p.y);
}

void TScreenImage::mouseReleaseEvent(QMouseEvent* event) {
  const TPoint p = BitmapPixel(event->position());
  window_.MouseUp(event->button(), event->modifiers(), p.x, p.y);
}

// Qt sends the second press of a double click as this event alone.
void TScreenImage::mouseDoubleClickEvent(QMouseEvent* event) {
  window_.MouseDoubleClick();
  mousePressEvent(event);
}

// ---- TBusyCursor -------------------------------------------------------------

TBusyCursor::TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
TBusyCursor::~TBusyCursor() { QApplication::restoreOverrideCursor(); }

// ---- TFuncGraphWindow --------------------------------------------------------

TFuncGraphWindow::TFuncGraphWindow(std::unique_ptr<TGraphDoc> document, QWidget* parent)
    : QWidget(parent),
      document_(std::move(document)),
      history_(new QUndoStack(this)),
      graphBitmap_(1, 1),
      screenBitmap_(1, 1),
      scrollBox_(new QScrollArea) {
  setAttribute(Qt::WA_DeleteOnClose);
  screenImage_ = new TScreenImage(*this, screenBitmap_);
  scrollBox_->setObjectName(QStringLiteral("scrollBox_"));
  scrollBox_->setWidget(screenImage_);
  scrollBox_->setAlignment(Qt::AlignCenter);
  scrollBox_->setBackgroundRole(QPalette::Dark);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scrollBox_);
  document_->LabelOwner().SetTarget(&screenBitmap_);
  labelEditor_ = new TLabelEditor(*this);
  functionMenu_ = new QMenu(QStringLiteral("F&unction"), this);
  viewMenu_ = new QMenu(QStringLiteral("&View"), this);
  screenImage_->installEventFilter(new TMouseNavigation(*this));
  drawingTimer_ = new QTimer(this);
  drawingTimer_->setInterval(100);
  connect(drawingTimer_, &QTimer::timeout, this, &TFuncGraphWindow::ShowDrawingProgress);
  // The caption's modified mark (Qt's "[*]") follows IsModified.
  connect(history_, &QUndoStack::cleanChanged, this, [this] { setWindowModified(IsModified()); });
}

TFuncGraphWindow::~TFuncGraphWindow() {
  disconnect(history_, nullptr, this, nullptr);  // the history goes with the widget, after the window
  if (drawing_) drawing_->cancelled = true;
  delete labelEditor_;  // it closes its text editor while the window is whole
  if (StatusLine()) statusLine_->SetSubject(nullptr);
}

QWidget* TFuncGraphWindow::ScreenImage() const { return screenImage_; }

QRect TFuncGraphWindow::VisiblePart() const {
  const QWidget* viewport = scrollBox_->viewport();
  return QRect(screenImage_->mapFrom(viewport, QPoint(0, 0)), viewport->size()) & screenImage_->rect();
}

void TFuncGraphWindow::Undo() {
  LeaveMode();
  history_->undo();
}

void TFuncGraphWindow::Redo() {
  LeaveMode();
  history_->redo();
}

void TFuncGraphWindow::Record(TGraphStep* step) { history_->push(step); }

const TParameterList& TFuncGraphWindow::Parameters() const {
  static const TParameterList none;
  return none;
}

std::unique_ptr<TGraphScope> TFuncGraphWindow::GraphScope() const {
  return std::make_unique<TGraphScope>(Parameters());
}

bool TFuncGraphWindow::IsModified() const { return !history_->isClean() || viewChanged_; }

void TFuncGraphWindow::SetModified(bool modified) {
  viewChanged_ = modified;
  if (!modified) history_->setClean();
  setWindowModified(IsModified());
}

QList<QMenu*> TFuncGraphWindow::MenuBarMenus() const { return WindowMenus() << labelEditor_->Menu(); }

void TFuncGraphWindow::RedrawLabels() { labelEditor_->Redraw(); }
void TFuncGraphWindow::LeaveMode() {
  labelEditor_->LeaveMode();
  if (TTypedFunctions* typed = TypedFunctions()) typed->EndTyping();
}
bool TFuncGraphWindow::RegionShown() const { return labelEditor_->RegionShown(); }
TRect TFuncGraphWindow::Region() const { return labelEditor_->Region(); }
void TFuncGraphWindow::ShowRegion(const TRect& rect) { labelEditor_->ShowRegion(rect); }

TStatusLine* TFuncGraphWindow::StatusLine() const {
  return statusLine_ && statusLine_->Describes(this) ? statusLine_ : nullptr;
}

bool TFuncGraphWindow::AllocateExtra(int, int) { return true; }

bool TFuncGraphWindow::SaveGraph(const std::string& fileName) { return document_->SaveGraph(fileName); }

bool TFuncGraphWindow::LoadGraph(TReadGraphFile& reader) {
  return document_->LoadGraph(reader) && SetBitmapSize(BitmapWidth(), BitmapHeight());
}

bool TFuncGraphWindow::IsColorUsed(TColor color) const {
  return color == backgroundColor_ || document_->IsColorUsed(color);
}

void TFuncGraphWindow::SyncTwins() {
  const double scale = screenImage_->devicePixelRatioF();
  const int width = BitmapWidth(), height = BitmapHeight();
  if (Settings().smoothDrawing) {
    if (!graphTwin_ || graphTwin_->Scale() != scale) {
      graphTwin_ = std::make_unique<TPainterTwin>(1, 1, scale);
      screenTwin_ = std::make_unique<TPainterTwin>(1, 1, scale);
    }
    // Without the pixels of a smooth picture the window shows the exact one.
    if (!graphTwin_->SetSize(width, height) || !screenTwin_->SetSize(width, height)) graphTwin_.reset();
  } else {
    graphTwin_.reset();
  }
  if (!graphTwin_) screenTwin_.reset();
  graphBitmap_.SetTwin(graphTwin_.get());
  screenBitmap_.SetTwin(screenTwin_.get());
}

void TFuncGraphWindow::ShowGraphOnScreen() {
  screenBitmap_.Image() = graphBitmap_.Image();
  if (screenTwin_) screenTwin_->SetImage(graphTwin_->Image());
}

bool TFuncGraphWindow::WriteTwinPicture(const std::string& fileName, TTwinFormat format, int scale,
                                        const TRect* region) {
  FinishDrawing();
  TBusyCursor busy;
  return plotix::WriteTwinPicture(*document_, fileName, format, scale, region);
}

void TFuncGraphWindow::RenderGraph() {
  SyncTwins();
  if (Settings().drawInBackground)
    StartDrawing();
  else
    DrawNow();
}

void TFuncGraphWindow::FinishDrawing() {
  if (drawing_) DrawNow();
}

void TFuncGraphWindow::CancelDrawing() {
  if (drawing_) drawing_->cancelled = true;
  EndDrawing();
}

void TFuncGraphWindow::EndDrawing() {
  drawing_.reset();
  drawingTimer_->stop();
  if (drawingPercent_ < 0) return;
  drawingPercent_ = -1;
  emit DrawingProgress(this);
}

void TFuncGraphWindow::StartDrawing() {
  if (drawing_) drawing_->cancelled = true;
  std::shared_ptr<TGraphDoc> copy;
  try {
    copy = document_->CloneForDrawing();
  } catch (const std::bad_alloc&) {
    DrawNow();  // reports the shortage
    return;
  }
  auto job = std::make_shared<TDrawingJob>();
  drawing_ = job;
  UpdateViewStatus();  // the view being drawn
  drawingClock_.start();
  drawingTimer_->start();
  const int width = graphBitmap_.Width(), height = graphBitmap_.Height(), depth = graphBitmap_.Depth();
  const double smoothScale = graphTwin_ ? graphTwin_->Scale() : 0;
  QThreadPool::globalInstance()->start([job, copy, width, height, depth, smoothScale, window = QPointer(this)] {
    bool outOfMemory = false;
    TBitmap picture(width, height, depth);
    std::unique_ptr<TPainterTwin> smooth;
    try {
      if (smoothScale > 0) picture.SetTwin((smooth = std::make_unique<TPainterTwin>(width, height, smoothScale)).get());
      const TDrawingScope scope(*job);
      copy->Render(picture);
    } catch (const TDrawingCancelled&) {
      return;
    } catch (const std::bad_alloc&) {
      outOfMemory = true;  // the picture as far as it was drawn
    }
    QMetaObject::invokeMethod(
        qApp,
        [job, image = picture.Image(), smoothImage = smooth ? smooth->Image() : QImage(), note = copy->DrawingNote(),
         outOfMemory, window] {
          if (window) window->DrawingDone(job, image, smoothImage, note, outOfMemory);
        },
        Qt::QueuedConnection);
  });
}

void TFuncGraphWindow::DrawingDone(const std::shared_ptr<TDrawingJob>& job, const QImage& picture, const QImage& smooth,
                                   const std::string& note, bool outOfMemory) {
  if (job != drawing_) return;  // given up, or followed by another
  EndDrawing();
  drawingNote_ = note;
  if (picture.size() == graphBitmap_.Image().size()) graphBitmap_.Image() = picture;
  if (graphTwin_) graphTwin_->SetImage(smooth);
  backgroundColor_ = document_->BackColor();
  RedrawLabels();
  if (outOfMemory) ShowMessage(TMsgKind::Error, "Out of Memory", TMsgButtons::OK);
  UpdateViewStatus();
  emit Rendered();
}

// Shown once a drawing has taken long enough for a user to wonder.
void TFuncGraphWindow::ShowDrawingProgress() {
  if (!drawing_ || drawingClock_.elapsed() < 300) return;
  const int total = std::max(1, drawing_->total.load());
  const int percent = std::clamp(100 * drawing_->done.load() / total, 0, 100);
  if (percent == drawingPercent_) return;
  drawingPercent_ = percent;
  emit DrawingProgress(this);
}

void TFuncGraphWindow::keyPressEvent(QKeyEvent* event) {
  if (ModeKey(event->key())) return;
  if (event->key() == Qt::Key_Escape && drawing_)
    CancelDrawing();
  else
    QWidget::keyPressEvent(event);
}

void TFuncGraphWindow::DrawNow() {
  CancelDrawing();  // this drawing replaces it
  bool outOfMemory = false;
  {
    TBusyCursor busy;
    backgroundColor_ = document_->BackColor();
    try {
      document_->Render(graphBitmap_);
    } catch (const std::bad_alloc&) {
      outOfMemory = true;  // the picture stays as far as it was drawn
    }
    drawingNote_ = document_->DrawingNote();
    RedrawLabels();
  }
  if (outOfMemory) ShowMessage(TMsgKind::Error, "Out of Memory", TMsgButtons::OK);
  UpdateViewStatus();
  emit Rendered();
}

bool TFuncGraphWindow::SetBitmapSize(int width, int height) {
  const bool screenOk = screenBitmap_.SetSize(width, height);
  const bool graphOk = graphBitmap_.SetSize(width, height);
  if (!screenOk || !graphOk) graphBitmap_.SetSize(screenBitmap_.Width(), screenBitmap_.Height());
  document_->SetBitmapSize(screenBitmap_.Width(), screenBitmap_.Height());
  const char* failure = nullptr;
  if (graphBitmap_.Width() != BitmapWidth() || graphBitmap_.Height() != BitmapHeight())
    failure = "Unknown Error";
  else if (BitmapWidth() != width || BitmapHeight() != height || !AllocateExtra(BitmapWidth(), BitmapHeight()))
    failure = "Out of Memory";  // no bitmap of the new size could be had
  if (failure) {
    ShowMessage(TMsgKind::Error, failure, TMsgButtons::OK);
    close();
    return false;
  }
  screenImage_->SyncSize();
  CenterBitmap();
  RenderGraph();
  return true;
}

bool TFuncGraphWindow::ChangeBitmapAttributes() {
  int width = BitmapWidth(), height = BitmapHeight(), depth = graphBitmap_.Depth();
  if (!TBitmapAttribDlg::Edit(this, width, height, depth)) return false;
  return SetBitmapAttributes(width, height, depth);
}

namespace {

struct TBitmapAttributes {
  int width, height, depth;
};

}  // namespace

// "Change Bitmap Size/Colors": the size and depth before and after, and the labels that a
// smaller bitmap left off, held while they are out.
class TBitmapStep : public TGraphStep {
 public:
  TBitmapStep(TFuncGraphWindow& window, TBitmapAttributes before, TBitmapAttributes after)
      : TGraphStep(window, QStringLiteral("Change Bitmap Size/Colors")), before_(before), after_(after) {}

 protected:
  void Undo() override {
    if (!window_.ResizeBitmaps(before_.width, before_.height, before_.depth)) return;
    for (std::size_t i = 0; i < removed_.size(); ++i) Document().InsertLabel(removed_[i], std::move(held_[i]));
    held_.clear();
    window_.Redisplay();
  }
  void Redo() override {
    if (!window_.ResizeBitmaps(after_.width, after_.height, after_.depth)) return;
    removed_.clear();
    held_.clear();
    for (int i = 0; i < int(window_.Labels().size()); ++i)
      if (!window_.Labels()[std::size_t(i)]->IsOnBitmap()) removed_.push_back(i);
    held_.resize(removed_.size());
    for (std::size_t i = removed_.size(); i-- > 0;) held_[i] = Document().TakeLabel(removed_[i]);
    window_.Redisplay();
  }

 private:
  TBitmapAttributes before_, after_;
  std::vector<int> removed_;  // the labels' places before, ascending
  TLabelList held_;
};

bool TFuncGraphWindow::SetBitmapAttributes(int width, int height, int depth) {
  LeaveMode();
  Record(new TBitmapStep(*this, {BitmapWidth(), BitmapHeight(), graphBitmap_.Depth()}, {width, height, depth}));
  // A failure has closed the window.
  return BitmapWidth() == width && BitmapHeight() == height && graphBitmap_.Depth() == depth;
}

void TFuncGraphWindow::RepaintMarks() { screenImage_->update(); }

void TFuncGraphWindow::Redisplay() {
  screenImage_->SyncSize();
  CenterBitmap();
  RenderGraph();
}

bool TFuncGraphWindow::ResizeBitmaps(int width, int height, int depth) {
  for (TBitmap* bitmap : {&screenBitmap_, &graphBitmap_}) {
    bitmap->SetDepth(depth);
    bitmap->SetSize(width, height);
  }
  const char* failure = nullptr;
  if (graphBitmap_.Width() != screenBitmap_.Width() || graphBitmap_.Height() != screenBitmap_.Height() ||
      graphBitmap_.Depth() != screenBitmap_.Depth())
    failure = "Unknown Error";
  else if (!AllocateExtra(screenBitmap_.Width(), screenBitmap_.Height()))
    failure = "Out of Memory";
  if (failure) {
    ShowMessage(TMsgKind::Error, failure, TMsgButtons::OK);
    close();
    return false;
  }
  document_->SetBitmapSize(screenBitmap_.Width(), screenBitmap_.Height());
  return true;
}

void TFuncGraphWindow::Scroll(TDirection direction) {
  const int step = Settings().zoom2D.scrollAmount;
  const TOffset d = DirectionOffset(direction, step, step);
  MoveView(d.dx, d.dy);
}

void TFuncGraphWindow::Page(TDirection direction) {
  const TOffset d = DirectionOffset(direction, BitmapWidth() / 2, BitmapHeight() / 2);
  MoveView(d.dx, d.dy);
}

void TFuncGraphWindow::CenterBitmap() {
  for (QScrollBar* bar : {scrollBox_->horizontalScrollBar(), scrollBox_->verticalScrollBar()})
    bar->setValue(bar->maximum() / 2);
}

bool TFuncGraphWindow::Save() {
  LeaveMode();
  if (!SaveGraph(fileName_)) return false;
  SetModified(false);
  emit Saved(this);
  return true;
}

bool TFuncGraphWindow::SaveAs(const std::string& fileName) {
  LeaveMode();
  if (!SaveGraph(fileName)) return false;
  SetModified(false);
  SetFileName(fileName);
  emit Saved(this);
  return true;
}

void TFuncGraphWindow::SetFileName(const std::string& fileName) {
  fileName_ = fileName;
  const QString shortName = QFileInfo(QString::fromStdString(fileName)).fileName();
  setWindowTitle(QString::fromStdString(GetGraphTypeName()) + " - [" + shortName + "]");
}

bool TFuncGraphWindow::AskSaveAs() {
  std::string name = fileName_;
  if (!PickSaveFile(this, kSaveTitle, kSaveFilter, kGraphFileExt, name) || name.empty()) return false;
  return SaveAs(name);
}

bool TFuncGraphWindow::HasWorkToSave() const {
  return IsModified() && (!fileName_.empty() || document_->IsWorthSaving());
}

bool TFuncGraphWindow::CanClose() {
  LeaveMode();
  const bool saved = !fileName_.empty();
  if (HasWorkToSave()) {
    // A graph that was never saved is named by its caption.
    const QString name = saved ? QFileInfo(QString::fromStdString(fileName_)).fileName() : windowTitle();
    switch (ShowMessage(TMsgKind::Confirmation, "Save Changes To Graph " + name.toStdString() + "?",
                        TMsgButtons::YesNoCancel)) {
      case TMsgAnswer::Yes:
        if (!(saved ? Save() : AskSaveAs())) return false;
        break;
      case TMsgAnswer::No: break;
      default: return false;
    }
  }
  return true;
}

void TFuncGraphWindow::closeEvent(QCloseEvent* event) {
  if (!std::exchange(closeAnswered_, false) && !CanClose()) {
    event->ignore();
    return;
  }
  if (TStatusLine* status = StatusLine()) {
    status->ClearAll();
    status->SetSubject(nullptr);
  }
  emit Closing(this);
  event->accept();
}

bool TFuncGraphWindow::CheckFunctionLimit(std::size_t count) const {
  if (count < std::size_t(kMaxFunctions)) return true;
  ShowMessage(TMsgKind::Error, "This Window Can Not Accept More Than " + std::to_string(kMaxFunctions) + " Functions",
              TMsgButtons::OK);
  return false;
}

void TFuncGraphWindow::AddDigitsShownMenu(QMenu* menu) const {
  QMenu* digits = menu->addMenu(QStringLiteral("&Digits Shown"));
  auto* choice = new QActionGroup(digits);
  for (int d = kMinDigitsShown; d <= kMaxDigitsShown; ++d) {
    QAction* item = digits->addAction(QString::number(d));
    item->setCheckable(true);
    item->setChecked(d == Settings().digitsShown);
    choice->addAction(item);
    connect(item, &QAction::triggered, this, [this, d] { ChangeDigitsShown(d); });
  }
}

QAction* TFuncGraphWindow::AddCommand(QMenu* menu, const char* caption, std::function<void()> command,
                                      const QKeySequence& shortcut) {
  QAction* action = AddCommand(menu, caption, std::move(command));
  action->setShortcut(shortcut);
  return action;
}

QAction* TFuncGraphWindow::AddCommand(QMenu* menu, const char* caption, std::function<void()> command) {
  QAction* action = menu->addAction(QString::fromLatin1(caption));
  connect(action, &QAction::triggered, this, [this, command = std::move(command)] {
    LeaveMode();
    command();
  });
  return action;
}

void TFuncGraphWindow::OfferCommand(const char* name, QAction* action) { offered_.emplace_back(name, action); }

QAction* TFuncGraphWindow::OfferedCommand(const std::string& name) const {
  for (const auto& [offeredName, action] : offered_)
    if (offeredName == name) return action;
  return nullptr;
}

void TFuncGraphWindow::AddZoomCommands() {
  viewMenu_->addSeparator();
  AddCommand(
      viewMenu_, "Zoom &In", [this] { ZoomIn(); }, Qt::Key_F3);
  AddCommand(
      viewMenu_, "Zoom &Out", [this] { ZoomOut(); }, Qt::Key_F4);
}

void TFuncGraphWindow::AddScrollCommands() {
  const char* const scrolls[] = {"Scroll View &Up", "Scroll View &Down", "Scroll View &Left", "Scroll View &Right"};
  const char* const pages[] = {"Page View U&p", "Page Vi&ew Down", "Page View Le&ft", "Page View Ri&ght"};
  const char* const scrollNames[] = {"Scroll Up", "Scroll Down", "Scroll Left", "Scroll Right"};
  const char* const pageNames[] = {"Page Up", "Page Down", "Page Left", "Page Right"};
  const TDirection directions[] = {TDirection::Up, TDirection::Down, TDirection::Left, TDirection::Right};
  viewMenu_->addSeparator();
  for (int i = 0; i < 4; ++i)
    OfferCommand(scrollNames[i],
                 AddCommand(
                     viewMenu_, scrolls[i], [this, d = directions[i]] { Scroll(d); }, Qt::Key(Qt::Key_F5 + i)));
  viewMenu_->addSeparator();
  for (int i = 0; i < 4; ++i)
    OfferCommand(pageNames[i],
                 AddCommand(
                     viewMenu_, pages[i], [this, d = directions[i]] { Page(d); }, Qt::SHIFT | Qt::Key(Qt::Key_F5 + i)));
}

void TFuncGraphWindow::AddCenterCommand(const char* caption) {
  viewMenu_->addSeparator();
  AddCommand(
      viewMenu_, caption, [this] { CenterFunctionView(); }, Qt::SHIFT | Qt::Key_F2);
}

TColor NewFunctionColor(const std::function<bool(TColor)>& used, int index) {
  for (const TColor color : kNewFuncColors)
    if (!used(color)) return color;
  return kNewFuncColors[std::size_t(index % kNewFuncColorCount)];
}

TColor TFuncGraphWindow::ChooseNewFunctionColor(int index) const {
  return NewFunctionColor([this](TColor color) { return IsColorUsed(color); }, index);
}

void TFuncGraphWindow::Activated() {
  if (statusLine_) statusLine_->SetSubject(this);
  TrackMouse(-1, -1);
}

void TFuncGraphWindow::TrackMouse(int x, int y) {
  mouseX_ = x;
  mouseY_ = y;
  UpdateViewStatus();
}

void TFuncGraphWindow::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y) {
  if (button == Qt::LeftButton) {
    labelEditor_->LeftButtonDown(modifiers, x, y);
    if (labelEditor_->Mode() == lmIdle && CurrentLabelTool() == 0 &&
        !(modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)))
      ModeClick(x, y);
  } else if (button == Qt::RightButton)
    labelEditor_->RightButtonDown(x, y);
  mouseX_ = x;
  mouseY_ = y;
}

void TFuncGraphWindow::MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers, int x, int y) {
  if (!ModeMouseMove(x, y)) labelEditor_->MouseMove(buttons, x, y);
  TrackMouse(x, y);
}

void TFuncGraphWindow::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
  if (button == Qt::LeftButton) labelEditor_->LeftButtonUp(x, y);
  mouseX_ = x;
  mouseY_ = y;
}

void TFuncGraphWindow::MouseDoubleClick() { labelEditor_->DoubleClicked(); }

}  // namespace plotix
