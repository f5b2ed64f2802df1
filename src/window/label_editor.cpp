// The label editing of a graph window: the mouse gestures that create, select, move
// and resize labels, the "&Label" menu and the label pop-up menu, the region selection,
// the in-place text editor's part, and the redraw of the labels over the graph.
#include "window/label_editor.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <algorithm>
#include <limits>
#include <new>
#include <utility>

#include "labels/label_list_dialog.h"
#include "labels/text_editor.h"
#include "labels/tool_attributes.h"
#include "platform/message_box.h"
#include "window/graph_step.h"
#include "window/graph_window.h"

namespace plotix {

namespace {

constexpr int kSelectReach = 6;  // a label nearer than this is hit

bool IsFloodFill(const TDrawBaseClass& label) { return dynamic_cast<const TDrawFloodFill*>(&label) != nullptr; }

// The history's words for drawing a new label.
const char* CreatedWhat(const TDrawBaseClass& label) {
  if (dynamic_cast<const TDrawFloodFill*>(&label)) return "Flood Fill";
  if (dynamic_cast<const TDrawLine*>(&label)) return "Draw Line";
  if (dynamic_cast<const TDrawFreeHand*>(&label)) return "Draw Free Hand";
  if (dynamic_cast<const TDrawText*>(&label)) return "Type Text";
  switch (static_cast<const TDrawInclosedShape&>(label).Kind) {
    case ltEllipse: return "Draw Ellipse";
    case ltRoundRect: return "Draw Round Rectangle";
    default: return "Draw Rectangle";
  }
}

const TToolBarAttribClass& DefaultAttributes() {
  static const TToolBarAttribClass attributes;
  return attributes;
}

}  // namespace

// ---- menus -----------------------------------------------------------------------

TLabelEditor::~TLabelEditor() { textEditor_->OnClosed = nullptr; }

TLabelEditor::TLabelEditor(TFuncGraphWindow& window) : QObject(&window), window_(window) {
  textEditor_ = new TCustomTextEdit(window_.screenImage_);
  textEditor_->OnOpened = [this](TCustomTextEdit&, TPoint topLeft, int width, int height) {
    TextEditorOpened(topLeft, width, height);
  };
  textEditor_->OnClosed = [this](TCustomTextEdit&) { TextEditorClosed(); };

  menu_ = new QMenu(QStringLiteral("&Label"), &window_);
  popup_ = new QMenu(&window_);
  const auto selected = [this] { return mode_ == lmSelected; };
  const auto any = [this] { return !window_.Labels().empty(); };
  const auto anyOf = [this](bool fills) {
    return [this, fills] {
      return std::any_of(window_.Labels().begin(), window_.Labels().end(),
                         [fills](const auto& l) { return IsFloodFill(*l) == fills; });
    };
  };
  const auto notLast = [this] { return mode_ == lmSelected && selected_ + 1 < int(window_.Labels().size()); };
  const auto notFirst = [this] { return mode_ == lmSelected && selected_ > 0; };
  const auto editable = [this] { return mode_ == lmSelected || mode_ == lmTextEdit; };
  const auto textSelected = [this] { return mode_ == lmSelected && dynamic_cast<TDrawText*>(Selected()); };
  const auto add = [this](QMenu* menu, const char* caption, void (TLabelEditor::*command)(),
                          std::function<bool()> enabled, const QKeySequence& key = {}) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setShortcut(key);
    connect(action, &QAction::triggered, this, [this, command] { (this->*command)(); });
    labelCommands_.emplace_back(action, std::move(enabled));
  };
  using E = TLabelEditor;
  QMenu* m = menu_;
  add(m, "Select &Top", &E::SelectTop, any);
  add(m, "Select &Next", &E::SelectNext, selected, Qt::CTRL | Qt::Key_N);
  add(m, "Select &Previous", &E::SelectPrevious, selected, Qt::CTRL | Qt::Key_P);
  m->addSeparator();
  add(m, "Send Selected to &Front", &E::SendSelectedToFront, notLast, Qt::CTRL | Qt::Key_F);
  add(m, "Send Selected to &Back", &E::SendSelectedToBack, notFirst, Qt::CTRL | Qt::Key_B);
  m->addSeparator();
  add(m, "&Show Flood Fill Locations", &E::ShowFloodFillLocations, any, Qt::CTRL | Qt::Key_L);
  add(m, "&Edit Selected...", &E::EditSelected, editable, Qt::CTRL | Qt::Key_E);
  add(m, "&In Place Text Label Editor...", &E::EditSelectedInPlace, textSelected);
  add(m, "Label &List Dialog...", &E::EditLabelList, any);
  m->addSeparator();
  add(m, "Delete Selected", &E::DeleteSelected, selected, Qt::CTRL | Qt::Key_Delete);
  m->actions().constLast()->setShortcuts({Qt::CTRL | Qt::Key_Delete, Qt::Key_Delete});
  add(m, "Delete All Labels", &E::DeleteAllLabels, anyOf(false));
  add(m, "Delete All Flood Fills", &E::DeleteAllFloodFills, anyOf(true));
  add(m, "Delete All Labels And Flood Fills", &E::DeleteAllLabelsAndFloodFills, any);

  QMenu* p = popup_;
  add(p, "Send To &Front", &E::SendSelectedToFront, notLast);
  add(p, "Send To &Back", &E::SendSelectedToBack, notFirst);
  add(p, "&Edit Label...", &E::EditSelected, selected);
  add(p, "&In Place Editor...", &E::EditSelectedInPlace, textSelected);
  add(p, "Delete Label", &E::DeleteSelected, selected);

  // Greyed while a menu shows; enabled again afterwards, so that the shortcuts reach the
  // commands, which check the mode themselves.
  for (QMenu* menu : {menu_, popup_}) {
    connect(menu, &QMenu::aboutToShow, this, &TLabelEditor::UpdateLabelCommands);
    connect(menu, &QMenu::aboutToHide, this, [this] {
      for (auto& command : labelCommands_) command.first->setEnabled(true);
    });
  }
}

void TLabelEditor::UpdateLabelCommands() {
  for (auto& [action, enabled] : labelCommands_) action->setEnabled(enabled());
}

// ---- drawing -----------------------------------------------------------------------

void TLabelEditor::Redraw() {
  if (mode_ == lmCreate || mode_ == lmMoving) {
    mode_ = lmIdle;
    selected_ = -1;
  }
  window_.ShowGraphOnScreen();
  DrawLabels(window_.Labels());
  switch (mode_) {
    case lmSelected:
      if (TDrawBaseClass* label = Selected()) label->ToggleMarker();
      break;
    case lmFillLocations: ToggleFillLocations(); break;
    case lmRegionDrag:
    case lmRegionShown: DrawRegionRect(); break;
    default: break;
  }
  window_.screenImage_->update();
}

void TLabelEditor::LeaveMode() {
  switch (mode_) {
    case lmTextEdit: textEditor_->Close(); break;
    case lmCreate:
      // The label stays as far as it was drawn.
      RecordCreated(selected_);
      mode_ = lmIdle;
      Redraw();
      break;
    case lmMoving:
      gestureBefore_.reset();  // an unfinished move is dropped
      mode_ = lmIdle;
      Redraw();
      break;
    case lmSelected:
      if (TDrawBaseClass* label = Selected(); label && label->MarkerShown) label->ToggleMarker();
      break;
    case lmFillLocations: ToggleFillLocations(); break;
    case lmRegionDrag:
    case lmRegionShown: DrawRegionRect(); break;
    default: break;
  }
  mode_ = lmIdle;
  selected_ = -1;
  window_.screenImage_->update();
}

TDrawBaseClass* TLabelEditor::Selected() const {
  return selected_ >= 0 && selected_ < int(window_.Labels().size()) ? &window_.document_->EditLabel(selected_)
                                                                    : nullptr;
}

void TLabelEditor::ToggleFillLocations() {
  for (const auto& label : window_.Labels())
    if (const auto* fill = dynamic_cast<const TDrawFloodFill*>(label.get())) fill->ToggleLocationMarker();
}

// ---- mouse ---------------------------------------------------------------------------

void TLabelEditor::LeftButtonDown(Qt::KeyboardModifiers modifiers, int x, int y) {
  const bool doubleClick = std::exchange(doubleClicked_, false);
  if (textEditor_->IsOpen()) textEditor_->Close();  // commits, and redraws
  if (tracking_) LeaveMode();
  tracking_ = true;
  if (x < 0 || y < 0 || x >= window_.BitmapWidth() || y >= window_.BitmapHeight()) {
    LeaveMode();
    return;
  }
  // Shift alone starts a region, so Shift with Ctrl or Alt is free for the label gestures.
  const Qt::KeyboardModifiers keys = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  const int tool = window_.CurrentLabelTool();
  if (keys == Qt::ShiftModifier || tool == kRegionTool) {
    StartRegion(x, y);
    return;
  }
  if (tool >= ltLine && tool <= ltFreeHand) {
    CreateLabelAt(tool, x, y);
    return;
  }
  if (doubleClick && mode_ == lmSelected) {
    auto* text = dynamic_cast<TDrawText*>(Selected());
    if (text && text->Distance(x, y) < kSelectReach) {
      OpenTextEditor(*text);
      return;
    }
  }
  moveOnly_ = !(modifiers & Qt::ControlModifier) && !window_.ResizeLabelsMode();
  HitTest(x, y);
  if (TDrawBaseClass* label = mode_ == lmSelected ? Selected() : nullptr)
    window_.screenImage_->setCursor(label->GetCursor());
}

void TLabelEditor::RightButtonDown(int x, int y) {
  if (tracking_ || x < 0 || y < 0 || x >= window_.BitmapWidth() || y >= window_.BitmapHeight() ||
      window_.CurrentLabelTool() != 0)
    return;
  moveOnly_ = true;
  HitTest(x, y);
  if (mode_ == lmSelected) popup_->popup(window_.screenImage_->mapToGlobal(QPoint(x, y)));
}

void TLabelEditor::MouseMove(Qt::MouseButtons buttons, int x, int y) {
  if (!tracking_ || (x == window_.mouseX_ && y == window_.mouseY_)) return;
  if (!(buttons & Qt::LeftButton)) {
    LeaveMode();
    tracking_ = false;
    return;
  }
  TDrawBaseClass* label = Selected();
  switch (mode_) {
    case lmCreate:
      if (label) label->MouseAction(x, y, mpCreateDrag);
      break;
    case lmSelected:
      mode_ = lmMoving;
      if (label) label->MouseAction(x, y, moveOnly_ ? mpMoveFirst : mpResizeFirst);
      break;
    case lmMoving:
      if (label) label->MouseAction(x, y, moveOnly_ ? mpMoveDrag : mpResizeDrag);
      break;
    case lmFillLocations:
    case lmRegionShown: LeaveMode(); return;
    case lmRegionDrag: DragRegion(x, y); return;
    default: return;
  }
  window_.screenImage_->update();
}

void TLabelEditor::LeftButtonUp(int x, int y) {
  if (!tracking_) return;
  tracking_ = false;
  window_.screenImage_->unsetCursor();
  TDrawBaseClass* label = Selected();
  switch (mode_) {
    case lmCreate:
    case lmMoving: {
      const bool creating = mode_ == lmCreate;
      const int phase = creating ? mpCreateRelease : moveOnly_ ? mpMoveRelease : mpResizeRelease;
      const int index = selected_;
      mode_ = lmIdle;
      selected_ = -1;
      if (label) label->MouseAction(x, y, phase);
      if (creating)
        RecordCreated(index);
      else if (label && gestureBefore_)
        RecordChange(moveOnly_ ? "Move Label" : "Resize Label", index, std::move(gestureBefore_), label->Clone());
      Redraw();
      break;
    }
    case lmFillLocations:
    case lmRegionShown: LeaveMode(); break;
    case lmRegionDrag: FixRegion(x, y); break;
    default: break;
  }
}

void TLabelEditor::CreateLabelAt(int tool, int x, int y) {
  LeaveMode();
  if (window_.Labels().size() >= std::size_t(kMaxLabels)) {
    ShowMessage(TMsgKind::Error, "This Window Can Not Accept More Than " + std::to_string(kMaxLabels) + " Labels",
                TMsgButtons::OK);
    return;
  }
  const TToolBarAttribClass& attributes =
      window_.LabelToolAttributes ? window_.LabelToolAttributes() : DefaultAttributes();
  if (tool == ltFloodFill) {
    // A fill of the colour already there would change nothing the bitmap can show.
    const TPoint p = ClampToBitmap(x, y);
    if (window_.screenBitmap_.Canvas().Pixel(p.x, p.y) ==
        (SnapColor(attributes.BrushColor, window_.screenBitmap_.Depth()) & 0xFFFFFF))
      return;
    x = p.x;
    y = p.y;
  }
  std::unique_ptr<TDrawBaseClass> made;
  try {
    made = CreateLabel(tool, window_.document_->LabelOwner());
  } catch (const std::bad_alloc&) {
    made.reset();
  }
  if (!made) {
    ShowMessage(TMsgKind::Error, "Unknown Error", TMsgButtons::OK);
    return;
  }
  made->SetAttributes(attributes);
  TDrawBaseClass& label = *made;
  window_.document_->AddLabel(std::move(made));
  window_.screenImage_->update();
  if (tool == ltFloodFill) {
    label.MouseAction(x, y, mpCreatePress);  // fills at once; nothing is selected
    RecordCreated(int(window_.Labels().size()) - 1);
    return;
  }
  if (tool == ltText) {
    auto& text = static_cast<TDrawText&>(label);
    text.SetText({x, y}, "", attributes.Font);
    OpenTextEditor(text);
    editBefore_.reset();  // a new label: typing makes it
    return;
  }
  selected_ = int(window_.Labels().size()) - 1;
  mode_ = lmCreate;
  label.MouseAction(x, y, mpCreatePress);
}

void TLabelEditor::HitTest(int x, int y) {
  if (mode_ != lmIdle && mode_ != lmSelected && mode_ != lmFillLocations) LeaveMode();
  // Flood fills cover whole areas: they are picked only where their locations show.
  const bool fills = mode_ == lmFillLocations;
  const TLabelList& labels = window_.Labels();
  int best = -1, bestDistance = std::numeric_limits<int>::max();
  for (int i = 0; i < int(labels.size()); ++i) {
    if (!fills && IsFloodFill(*labels[std::size_t(i)])) continue;
    const int distance = labels[std::size_t(i)]->Distance(x, y);
    if (distance <= bestDistance) {  // the later label lies on top
      best = i;
      bestDistance = distance;
    }
  }
  // A selected flood fill keeps the selection at an equal distance.
  if (TDrawBaseClass* selected = mode_ == lmSelected ? Selected() : nullptr; selected && IsFloodFill(*selected)) {
    const int distance = selected->Distance(x, y);
    if (distance <= bestDistance) {
      best = selected_;
      bestDistance = distance;
    }
  }
  if (best < 0 || bestDistance >= kSelectReach) {
    LeaveMode();
    return;
  }
  SelectLabel(best);
  TDrawBaseClass& label = *labels[std::size_t(best)];
  gestureBefore_ = label.Clone();
  label.MouseAction(x, y, moveOnly_ ? mpPressMove : mpPressResize);
  window_.screenImage_->update();
}

// ---- commands ------------------------------------------------------------------------

void TLabelEditor::AddLabel(std::unique_ptr<TDrawBaseClass> label) {
  LeaveMode();
  window_.Record(new TLabelChangeStep(window_, QStringLiteral("Add Label"), int(window_.Labels().size()), nullptr,
                                      std::move(label)));
}

void TLabelEditor::SetLabels(TLabelList labels, const QString& what) {
  LeaveMode();
  window_.Record(new TLabelListStep(window_, what, std::move(labels)));
}

void TLabelEditor::RecordCreated(int index) {
  if (index < 0 || index >= int(window_.Labels().size())) return;
  const TDrawBaseClass& label = *window_.Labels()[std::size_t(index)];
  RecordChange(CreatedWhat(label), index, nullptr, label.Clone());
}

void TLabelEditor::RecordChange(const char* what, int index, std::unique_ptr<TDrawBaseClass> before,
                                std::unique_ptr<TDrawBaseClass> after) {
  auto* step = new TLabelChangeStep(window_, QString::fromLatin1(what), index, std::move(before), std::move(after));
  step->MarkDone();
  window_.Record(step);
}

void TLabelEditor::SelectLabel(int index) {
  if (mode_ == lmSelected && index == selected_) return;
  LeaveMode();
  if (index < 0 || index >= int(window_.Labels().size())) return;
  mode_ = lmSelected;
  selected_ = index;
  if (TDrawBaseClass* label = Selected(); !label->MarkerShown) label->ToggleMarker();
  window_.screenImage_->update();
}

void TLabelEditor::SelectTop() { SelectLabel(int(window_.Labels().size()) - 1); }

void TLabelEditor::SelectNext() {
  if (mode_ == lmSelected) SelectLabel((selected_ + 1) % int(window_.Labels().size()));
}

void TLabelEditor::SelectPrevious() {
  const int count = int(window_.Labels().size());
  if (mode_ == lmSelected) SelectLabel((selected_ + count - 1) % count);
}

// The selection follows the label to its new place.
void TLabelEditor::SendSelectedToFront() {
  const int last = int(window_.Labels().size()) - 1;
  if (mode_ != lmSelected || selected_ >= last) return;
  window_.Record(new TLabelMoveStep(window_, QStringLiteral("Send Label to Front"), selected_, last));
  SelectLabel(last);
}

void TLabelEditor::SendSelectedToBack() {
  if (mode_ != lmSelected || selected_ <= 0) return;
  window_.Record(new TLabelMoveStep(window_, QStringLiteral("Send Label to Back"), selected_, 0));
  SelectLabel(0);
}

void TLabelEditor::ShowFloodFillLocations() {
  LeaveMode();
  if (window_.Labels().empty()) return;
  if (std::any_of(window_.Labels().begin(), window_.Labels().end(), [](const auto& l) { return IsFloodFill(*l); })) {
    ToggleFillLocations();
    mode_ = lmFillLocations;
  }
  window_.screenImage_->update();
}

void TLabelEditor::EditSelected() {
  TDrawBaseClass* label = nullptr;
  if (mode_ == lmTextEdit) {
    label = editLabel_;
    const bool emptied = textEditor_->Text().empty();
    textEditor_->Close();
    if (emptied) return;  // the label went with its text
  } else if (mode_ == lmSelected) {
    label = Selected();
  }
  if (!label) return;
  const int index = IndexOf(label);
  std::unique_ptr<TDrawBaseClass> before = label->Clone();
  if (!label->EditDialog()) return;
  if (const auto* text = dynamic_cast<const TDrawText*>(label); text && text->Text.empty()) {
    if (mode_ == lmSelected) mode_ = lmIdle;
    RemoveLabel(label);
    RecordChange("Delete Label", index, std::move(before), nullptr);
  } else {
    RecordChange("Edit Label", index, std::move(before), label->Clone());
  }
  Redraw();
}

void TLabelEditor::EditSelectedInPlace() {
  if (mode_ != lmSelected) return;
  if (auto* text = dynamic_cast<TDrawText*>(Selected())) OpenTextEditor(*text);
}

void TLabelEditor::EditLabelList() {
  const int current = mode_ == lmSelected ? selected_ : -1;
  LeaveMode();
  TLabelListDlg::TOutcome outcome = TLabelListDlg::Edit(&window_, window_.Labels(), current);
  if (outcome.labels) {
    TLabelList& labels = *outcome.labels;
    const TDrawBaseClass* chosen = outcome.select >= 0 ? labels[std::size_t(outcome.select)].get() : nullptr;
    // A text label whose text was emptied in its dialog goes, as it would from "Edit Selected".
    std::erase_if(labels, [&chosen](const auto& label) {
      const auto* text = dynamic_cast<const TDrawText*>(label.get());
      if (!text || !text->Text.empty()) return false;
      if (text == chosen) chosen = nullptr;
      return true;
    });
    const auto at = std::find_if(labels.begin(), labels.end(), [chosen](const auto& l) { return l.get() == chosen; });
    outcome.select = chosen ? int(at - labels.begin()) : -1;
    SetLabels(std::move(labels), QStringLiteral("Edit Label List"));
  }
  if (outcome.select >= 0) SelectLabel(outcome.select);
}

void TLabelEditor::DeleteSelected() {
  if (mode_ != lmSelected) return;
  const int index = selected_;
  LeaveMode();
  window_.Record(new TLabelsRemovedStep(window_, QStringLiteral("Delete Label"), {index}));
}

void TLabelEditor::DeleteAll(bool fills, bool others) {
  const auto doomed = [fills, others](const auto& label) { return IsFloodFill(*label) ? fills : others; };
  if (std::none_of(window_.Labels().begin(), window_.Labels().end(), doomed)) return;
  const char* question = !fills    ? "Delete All Labels From This Window?"
                         : !others ? "Delete All Flood Fills From This Window?"
                                   : "Delete All Labels And Flood Fills From This Window?";
  if (ShowMessage(TMsgKind::Confirmation, question, TMsgButtons::YesNo) != TMsgAnswer::Yes) return;
  LeaveMode();  // takes the selected label's markers down while it still exists
  std::vector<int> indexes;
  for (int i = 0; i < int(window_.Labels().size()); ++i)
    if (doomed(window_.Labels()[std::size_t(i)])) indexes.push_back(i);
  const char* what = !fills    ? "Delete All Labels"
                     : !others ? "Delete All Flood Fills"
                               : "Delete All Labels And Flood Fills";
  window_.Record(new TLabelsRemovedStep(window_, QString::fromLatin1(what), std::move(indexes)));
}

int TLabelEditor::IndexOf(const TDrawBaseClass* label) const {
  const auto at = std::find_if(window_.Labels().begin(), window_.Labels().end(),
                               [label](const auto& l) { return l.get() == label; });
  return int(at - window_.Labels().begin());
}

void TLabelEditor::RemoveLabel(const TDrawBaseClass* label) {
  selected_ = -1;
  const auto at = std::find_if(window_.Labels().begin(), window_.Labels().end(),
                               [label](const auto& l) { return l.get() == label; });
  if (at != window_.Labels().end()) window_.document_->TakeLabel(int(at - window_.Labels().begin()));
}

void TLabelEditor::ShowRegion(const TRect& rect) {
  LeaveMode();
  mode_ = lmRegionShown;
  region_ = {std::min(rect.left, rect.right), std::min(rect.top, rect.bottom), std::max(rect.left, rect.right),
             std::max(rect.top, rect.bottom)};
  DrawRegionRect();
  window_.screenImage_->update();
}

TPoint TLabelEditor::ClampToBitmap(int x, int y) const {
  return {std::clamp(x, 0, window_.BitmapWidth() - 1), std::clamp(y, 0, window_.BitmapHeight() - 1)};
}

void TLabelEditor::DrawRegionRect() {
  TCanvas& canvas = window_.screenBitmap_.Canvas();
  const TPen pen = canvas.Pen();
  const TBrush brush = canvas.Brush();
  canvas.Pen() = {0x000000, 1, psDot, TPenMode::NotXor};
  canvas.Brush().style = bsClear;
  canvas.Rectangle(region_.left, region_.top, region_.right, region_.bottom);
  canvas.Pen() = pen;
  canvas.Brush() = brush;
}

void TLabelEditor::StartRegion(int x, int y) {
  LeaveMode();
  emit window_.RegionStarted(&window_);
  const TPoint p = ClampToBitmap(x, y);
  region_ = {p.x, p.y, p.x, p.y};
  mode_ = lmRegionDrag;
  DrawRegionRect();
  window_.screenImage_->update();
}

void TLabelEditor::DragRegion(int x, int y) {
  DrawRegionRect();
  const TPoint p = ClampToBitmap(x, y);
  region_.right = p.x;
  region_.bottom = p.y;
  DrawRegionRect();
  window_.screenImage_->update();
}

void TLabelEditor::FixRegion(int x, int y) {
  mode_ = lmRegionShown;
  DrawRegionRect();
  const TPoint p = ClampToBitmap(x, y);
  TRect& r = region_;
  r = {std::min(r.left, p.x), std::min(r.top, p.y), std::max(r.left, p.x), std::max(r.top, p.y)};
  DrawRegionRect();
  window_.screenImage_->update();
}

// ---- in-place text editor ---------------------------------------------------------

// Leaving the mode first takes down a selection's markers, which the editor's redraw
// would otherwise leave behind.
void TLabelEditor::OpenTextEditor(TDrawText& label) {
  LeaveMode();
  mode_ = lmTextEdit;
  editLabel_ = &label;
  editBefore_ = label.Clone();
  textEditor_->Open(label.P1, label.Text, label.Font);
}

// The old text must not show beside the editor as the text gets shorter.
void TLabelEditor::TextEditorOpened(TPoint topLeft, int width, int height) {
  if (mode_ != lmTextEdit || !editLabel_ || editLabel_->Text.empty()) return;
  const TRect area = {std::max(topLeft.x, 0), std::max(topLeft.y, 0),
                      std::min(topLeft.x + width, window_.BitmapWidth()),
                      std::min(topLeft.y + height, window_.BitmapHeight())};
  if (area.left >= area.right || area.top >= area.bottom) return;
  window_.screenBitmap_.Canvas().CopyRect(area, window_.graphBitmap_.Canvas(), area);
  window_.screenImage_->update();
}

// Always redraws: the picture under the editor was changed when it opened.
// The typing is one step: a new label's "Type Text", an existing one's "Edit Text".
void TLabelEditor::TextEditorClosed() {
  TDrawText* label = std::exchange(editLabel_, nullptr);
  std::unique_ptr<TDrawBaseClass> before = std::move(editBefore_);
  mode_ = lmIdle;
  if (label) {
    const int index = IndexOf(label);
    const std::string text = textEditor_->Text();
    if (text.empty()) {
      RemoveLabel(label);
      if (before) RecordChange("Edit Text", index, std::move(before), nullptr);
    } else {
      label->SetText(label->P1, text, label->Font);
      label->FitOnBitmap();
      const auto* was = static_cast<const TDrawText*>(before.get());
      if (!was || was->Text != label->Text || was->P1 != label->P1)
        RecordChange(was ? "Edit Text" : "Type Text", index, std::move(before), label->Clone());
    }
  }
  Redraw();
}

}  // namespace plotix
