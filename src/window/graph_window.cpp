#include "window/graph_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <new>
#include <utility>

#include "labels/text_editor.h"
#include "platform/common_dialogs.h"
#include "platform/message_box.h"
#include "window/bitmap_size_dialog.h"
#include "window/mouse_navigation.h"
#include "window/status_line.h"

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
  painter.drawImage(event->rect(), bitmap_.Image(), event->rect());
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
      ScrollBox1(new QScrollArea),
      GraphBitmap(1, 1),
      ScreenBitmap(1, 1),
      document_(std::move(document)) {
  setAttribute(Qt::WA_DeleteOnClose);
  ScreenImage = new TScreenImage(*this, ScreenBitmap);
  ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
  ScrollBox1->setWidget(ScreenImage);
  ScrollBox1->setAlignment(Qt::AlignCenter);
  ScrollBox1->setBackgroundRole(QPalette::Dark);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(ScrollBox1);
  document_->LabelOwner().SetTarget(&ScreenBitmap);
  BuildLabelMenus();
  FunctionMenu = new QMenu(QStringLiteral("F&unction"), this);
  ViewMenu = new QMenu(QStringLiteral("&View"), this);
  ScreenImage->installEventFilter(new TMouseNavigation(*this));
}

TFuncGraphWindow::~TFuncGraphWindow() {
  TextEditor->OnClosed = nullptr;
  if (StatusLine()) statusLine_->SetSubject(nullptr);
}

TStatusLine* TFuncGraphWindow::StatusLine() const {
  return statusLine_ && statusLine_->Describes(this) ? statusLine_ : nullptr;
}

bool TFuncGraphWindow::AllocateExtra(int, int) { return true; }

bool TFuncGraphWindow::SaveGraph(const std::string& fileName) { return document_->SaveGraph(fileName); }

bool TFuncGraphWindow::LoadGraph(TReadGraphFile& reader) {
  return document_->LoadGraph(reader) && SetBitmapSize(BitmapWidth(), BitmapHeight());
}

bool TFuncGraphWindow::IsColorUsed(TColor color) const {
  return color == BackgroundColor || document_->IsColorUsed(color);
}

void TFuncGraphWindow::RenderGraph() {
  Modified = true;
  bool outOfMemory = false;
  {
    TBusyCursor busy;
    BackgroundColor = document_->BackColor();
    try {
      document_->Render(GraphBitmap);
    } catch (const std::bad_alloc&) {
      outOfMemory = true;  // the picture stays as far as it was drawn
    }
    RedrawLabels();
  }
  if (outOfMemory) ShowMessage(TMsgKind::Error, "Out of Memory", TMsgButtons::OK);
  UpdateViewStatus();
  emit Rendered();
}

bool TFuncGraphWindow::SetBitmapSize(int width, int height) {
  const bool screenOk = ScreenBitmap.SetSize(width, height);
  const bool graphOk = GraphBitmap.SetSize(width, height);
  if (!screenOk || !graphOk) GraphBitmap.SetSize(ScreenBitmap.Width(), ScreenBitmap.Height());
  document_->SetBitmapSize(ScreenBitmap.Width(), ScreenBitmap.Height());
  const char* failure = nullptr;
  if (GraphBitmap.Width() != BitmapWidth() || GraphBitmap.Height() != BitmapHeight())
    failure = "Unknown Error";
  else if (BitmapWidth() != width || BitmapHeight() != height || !AllocateExtra(BitmapWidth(), BitmapHeight()))
    failure = "Out of Memory";  // no bitmap of the new size could be had
  if (failure) {
    ShowMessage(TMsgKind::Error, failure, TMsgButtons::OK);
    close();
    return false;
  }
  ScreenImage->SyncSize();
  CenterBitmap();
  RenderGraph();
  Modified = false;
  return true;
}

bool TFuncGraphWindow::ChangeBitmapAttributes() {
  int width = BitmapWidth(), height = BitmapHeight(), depth = GraphBitmap.Depth();
  if (!TBitmapAttribDlg::Edit(this, width, height, depth)) return false;
  return SetBitmapAttributes(width, height, depth);
}

bool TFuncGraphWindow::SetBitmapAttributes(int width, int height, int depth) {
  Modified = true;
  LeaveMode();
  const bool smaller = width < BitmapWidth() || height < BitmapHeight();
  for (TBitmap* bitmap : {&ScreenBitmap, &GraphBitmap}) {
    bitmap->SetDepth(depth);
    bitmap->SetSize(width, height);
  }
  const char* failure = nullptr;
  if (GraphBitmap.Width() != ScreenBitmap.Width() || GraphBitmap.Height() != ScreenBitmap.Height() ||
      GraphBitmap.Depth() != ScreenBitmap.Depth())
    failure = "Unknown Error";
  else if (!AllocateExtra(ScreenBitmap.Width(), ScreenBitmap.Height()))
    failure = "Out of Memory";
  if (failure) {
    ShowMessage(TMsgKind::Error, failure, TMsgButtons::OK);
    close();
    return false;
  }
  document_->SetBitmapSize(ScreenBitmap.Width(), ScreenBitmap.Height());
  if (smaller) {
    for (int i = int(Labels().size()) - 1; i >= 0; --i)
      if (!Labels()[std::size_t(i)]->IsOnBitmap()) document_->TakeLabel(i);
  }
  ScreenImage->SyncSize();
  CenterBitmap();
  RenderGraph();
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
  for (QScrollBar* bar : {ScrollBox1->horizontalScrollBar(), ScrollBox1->verticalScrollBar()})
    bar->setValue(bar->maximum() / 2);
}

bool TFuncGraphWindow::Save() {
  LeaveMode();
  if (!SaveGraph(fileName_)) return false;
  Modified = false;
  return true;
}

bool TFuncGraphWindow::SaveAs(const std::string& fileName) {
  LeaveMode();
  if (!SaveGraph(fileName)) return false;
  Modified = false;
  SetFileName(fileName);
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

bool TFuncGraphWindow::CanClose() {
  LeaveMode();
  const bool saved = !fileName_.empty();
  if (Modified && (saved || document_->IsWorthSaving())) {
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

void TFuncGraphWindow::AddZoomCommands() {
  ViewMenu->addSeparator();
  AddCommand(
      ViewMenu, "Zoom &In", [this] { ZoomIn(); }, Qt::Key_F3);
  AddCommand(
      ViewMenu, "Zoom &Out", [this] { ZoomOut(); }, Qt::Key_F4);
}

void TFuncGraphWindow::AddScrollCommands() {
  const char* const scrolls[] = {"Scroll View &Up", "Scroll View &Down", "Scroll View &Left", "Scroll View &Right"};
  const char* const pages[] = {"Page View U&p", "Page Vi&ew Down", "Page View Le&ft", "Page View Ri&ght"};
  const TDirection directions[] = {TDirection::Up, TDirection::Down, TDirection::Left, TDirection::Right};
  ViewMenu->addSeparator();
  for (int i = 0; i < 4; ++i)
    AddCommand(
        ViewMenu, scrolls[i], [this, d = directions[i]] { Scroll(d); }, Qt::Key(Qt::Key_F5 + i));
  ViewMenu->addSeparator();
  for (int i = 0; i < 4; ++i)
    AddCommand(
        ViewMenu, pages[i], [this, d = directions[i]] { Page(d); }, Qt::SHIFT | Qt::Key(Qt::Key_F5 + i));
}

void TFuncGraphWindow::AddCenterCommand(const char* caption) {
  ViewMenu->addSeparator();
  AddCommand(
      ViewMenu, caption, [this] { CenterFunctionView(); }, Qt::SHIFT | Qt::Key_F2);
}

TColor TFuncGraphWindow::ChooseNewFunctionColor(int index) const {
  for (const TColor color : kNewFuncColors)
    if (!IsColorUsed(color)) return color;
  return kNewFuncColors[index % kNewFuncColorCount];
}

void TFuncGraphWindow::Activated() {
  if (statusLine_) statusLine_->SetSubject(this);
  MouseX = MouseY = -1;
  UpdateViewStatus();
}

void TFuncGraphWindow::ShowRegion(const TRect& rect) {
  LeaveMode();
  LabelMode = lmRegionShown;
  SelectionRect = {std::min(rect.left, rect.right), std::min(rect.top, rect.bottom), std::max(rect.left, rect.right),
                   std::max(rect.top, rect.bottom)};
  DrawRegionRect();
  ScreenImage->update();
}

TPoint TFuncGraphWindow::ClampToBitmap(int x, int y) const {
  return {std::clamp(x, 0, BitmapWidth() - 1), std::clamp(y, 0, BitmapHeight() - 1)};
}

void TFuncGraphWindow::DrawRegionRect() {
  TCanvas& canvas = ScreenBitmap.Canvas();
  const TPen pen = canvas.Pen();
  const TBrush brush = canvas.Brush();
  canvas.Pen() = {0x000000, 1, psDot, TPenMode::NotXor};
  canvas.Brush().style = bsClear;
  canvas.Rectangle(SelectionRect.left, SelectionRect.top, SelectionRect.right, SelectionRect.bottom);
  canvas.Pen() = pen;
  canvas.Brush() = brush;
}

void TFuncGraphWindow::StartRegion(int x, int y) {
  LeaveMode();
  emit RegionStarted(this);
  const TPoint p = ClampToBitmap(x, y);
  SelectionRect = {p.x, p.y, p.x, p.y};
  LabelMode = lmRegionDrag;
  DrawRegionRect();
  ScreenImage->update();
}

void TFuncGraphWindow::DragRegion(int x, int y) {
  DrawRegionRect();
  const TPoint p = ClampToBitmap(x, y);
  SelectionRect.right = p.x;
  SelectionRect.bottom = p.y;
  DrawRegionRect();
  ScreenImage->update();
}

void TFuncGraphWindow::FixRegion(int x, int y) {
  LabelMode = lmRegionShown;
  DrawRegionRect();
  const TPoint p = ClampToBitmap(x, y);
  TRect& r = SelectionRect;
  r = {std::min(r.left, p.x), std::min(r.top, p.y), std::max(r.left, p.x), std::max(r.top, p.y)};
  DrawRegionRect();
  ScreenImage->update();
}

void TFuncGraphWindow::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y) {
  if (button == Qt::LeftButton)
    LabelLeftButtonDown(modifiers, x, y);
  else if (button == Qt::RightButton)
    LabelRightButtonDown(x, y);
  MouseX = x;
  MouseY = y;
}

void TFuncGraphWindow::MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers, int x, int y) {
  LabelMouseMove(buttons, x, y);
  MouseX = x;
  MouseY = y;
  UpdateViewStatus();
}

void TFuncGraphWindow::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
  if (button == Qt::LeftButton) LabelLeftButtonUp(x, y);
  MouseX = x;
  MouseY = y;
}

}  // namespace plotix
