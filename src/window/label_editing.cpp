// The label editing of every graph window: the mouse gestures that create, select, move
// and resize labels, the "&Label" menu and the label pop-up menu, the in-place text
// editor's part, and the redraw of the labels over the graph.
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
#include "window/graph_window.h"

namespace plotix {

namespace {

constexpr int kSelectReach = 6;  // a label nearer than this is hit

bool IsFloodFill(const TDrawBaseClass& label) { return dynamic_cast<const TDrawFloodFill*>(&label) != nullptr; }

const TToolBarAttribClass& DefaultAttributes() {
  static const TToolBarAttribClass attributes;
  return attributes;
}

}  // namespace

// ---- menus -----------------------------------------------------------------------

void TFuncGraphWindow::BuildLabelMenus() {
  TextEditor = new TCustomTextEdit(ScreenImage);
  TextEditor->OnOpened = [this](TCustomTextEdit&, TPoint topLeft, int width, int height) {
    TextEditorOpened(topLeft, width, height);
  };
  TextEditor->OnClosed = [this](TCustomTextEdit&) { TextEditorClosed(); };

  LabelMenu = new QMenu(QStringLiteral("&Label"), this);
  LabelPopup = new QMenu(this);
  const auto selected = [this] { return LabelMode == lmSelected; };
  const auto any = [this] { return !Labels().empty(); };
  const auto anyOf = [this](bool fills) {
    return [this, fills] {
      return std::any_of(Labels().begin(), Labels().end(), [fills](const auto& l) { return IsFloodFill(*l) == fills; });
    };
  };
  const auto notLast = [this] { return LabelMode == lmSelected && SelectedIndex + 1 < int(Labels().size()); };
  const auto notFirst = [this] { return LabelMode == lmSelected && SelectedIndex > 0; };
  const auto editable = [this] { return LabelMode == lmSelected || LabelMode == lmTextEdit; };
  const auto textSelected = [this] { return LabelMode == lmSelected && dynamic_cast<TDrawText*>(Selected()); };
  const auto add = [this](QMenu* menu, const char* caption, void (TFuncGraphWindow::*command)(),
                          std::function<bool()> enabled, const QKeySequence& key = {}) {
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setShortcut(key);
    connect(action, &QAction::triggered, this, [this, command] { (this->*command)(); });
    labelCommands_.emplace_back(action, std::move(enabled));
  };
  using W = TFuncGraphWindow;
  QMenu* m = LabelMenu;
  add(m, "Select &Top", &W::SelectTop, any);
  add(m, "Select &Next", &W::SelectNext, selected, Qt::CTRL | Qt::Key_N);
  add(m, "Select &Previous", &W::SelectPrevious, selected, Qt::CTRL | Qt::Key_P);
  m->addSeparator();
  add(m, "Send Selected to &Front", &W::SendSelectedToFront, notLast, Qt::CTRL | Qt::Key_F);
  add(m, "Send Selected to &Back", &W::SendSelectedToBack, notFirst, Qt::CTRL | Qt::Key_B);
  m->addSeparator();
  add(m, "&Show Flood Fill Locations", &W::ShowFloodFillLocations, any, Qt::CTRL | Qt::Key_L);
  add(m, "&Edit Selected...", &W::EditSelected, editable, Qt::CTRL | Qt::Key_E);
  add(m, "&In Place Text Label Editor...", &W::EditSelectedInPlace, textSelected);
  add(m, "Label &List Dialog...", &W::EditLabelList, any);
  m->addSeparator();
  add(m, "Delete Selected", &W::DeleteSelected, selected, Qt::CTRL | Qt::Key_Delete);
  m->actions().constLast()->setShortcuts({Qt::CTRL | Qt::Key_Delete, Qt::Key_Delete});
  add(m, "Delete All Labels", &W::DeleteAllLabels, anyOf(false));
  add(m, "Delete All Flood Fills", &W::DeleteAllFloodFills, anyOf(true));
  add(m, "Delete All Labels And Flood Fills", &W::DeleteAllLabelsAndFloodFills, any);

  QMenu* p = LabelPopup;
  add(p, "Send To &Front", &W::SendSelectedToFront, notLast);
  add(p, "Send To &Back", &W::SendSelectedToBack, notFirst);
  add(p, "&Edit Label...", &W::EditSelected, selected);
  add(p, "&In Place Editor...", &W::EditSelectedInPlace, textSelected);
  add(p, "Delete Label", &W::DeleteSelected, selected);

  // Greyed while a menu shows; enabled again afterwards, so that the shortcuts reach the
  // commands, which check the mode themselves.
  for (QMenu* menu : {LabelMenu, LabelPopup}) {
    connect(menu, &QMenu::aboutToShow, this, &TFuncGraphWindow::UpdateLabelCommands);
    connect(menu, &QMenu::aboutToHide, this, [this] {
      for (auto& command : labelCommands_) command.first->setEnabled(true);
    });
  }
}

void TFuncGraphWindow::UpdateLabelCommands() {
  for (auto& [action, enabled] : labelCommands_) action->setEnabled(enabled());
}

// ---- drawing -----------------------------------------------------------------------

void TFuncGraphWindow::RedrawLabels() {
  Modified = true;
  if (LabelMode == lmCreate || LabelMode == lmMoving) {
    LabelMode = lmIdle;
    SelectedIndex = -1;
  }
  ScreenBitmap.Image() = GraphBitmap.Image();
  DrawLabels(Labels());
  switch (LabelMode) {
    case lmSelected:
      if (TDrawBaseClass* label = Selected()) label->ToggleMarker();
      break;
    case lmFillLocations: ToggleFillLocations(); break;
    case lmRegionDrag:
    case lmRegionShown: DrawRegionRect(); break;
  }
  ScreenImage->update();
}

void TFuncGraphWindow::LeaveMode() {
  switch (LabelMode) {
    case lmTextEdit: TextEditor->Close(); break;
    case lmCreate:
    case lmMoving:
      Modified = true;
      LabelMode = lmIdle;
      RedrawLabels();
      break;
    case lmSelected:
      if (TDrawBaseClass* label = Selected(); label && label->MarkerShown) label->ToggleMarker();
      break;
    case lmFillLocations: ToggleFillLocations(); break;
    case lmRegionDrag:
    case lmRegionShown: DrawRegionRect(); break;
  }
  LabelMode = lmIdle;
  SelectedIndex = -1;
  ScreenImage->update();
}

TDrawBaseClass* TFuncGraphWindow::Selected() const {
  return SelectedIndex >= 0 && SelectedIndex < int(Labels().size()) ? Labels()[std::size_t(SelectedIndex)].get()
                                                                    : nullptr;
}

void TFuncGraphWindow::ToggleFillLocations() {
  for (const auto& label : Labels())
    if (const auto* fill = dynamic_cast<const TDrawFloodFill*>(label.get())) fill->ToggleLocationMarker();
}

// ---- mouse ---------------------------------------------------------------------------

void TFuncGraphWindow::LabelLeftButtonDown(Qt::KeyboardModifiers modifiers, int x, int y) {
  const bool doubleClick = std::exchange(DoubleClicked, false);
  if (TextEditor->IsOpen()) TextEditor->Close();  // commits, and redraws
  if (Tracking) LeaveMode();
  Tracking = true;
  if (x < 0 || y < 0 || x >= BitmapWidth() || y >= BitmapHeight()) {
    LeaveMode();
    return;
  }
  // Shift alone starts a region, so Shift with Ctrl or Alt is free for the label gestures.
  const Qt::KeyboardModifiers keys = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  const int tool = CurrentLabelTool();
  if (keys == Qt::ShiftModifier || tool == kRegionTool) {
    StartRegion(x, y);
    return;
  }
  if (tool >= ltLine && tool <= ltFreeHand) {
    CreateLabelAt(tool, x, y);
    return;
  }
  if (doubleClick && LabelMode == lmSelected) {
    auto* text = dynamic_cast<TDrawText*>(Selected());
    if (text && text->Distance(x, y) < kSelectReach) {
      OpenTextEditor(*text);
      return;
    }
  }
  MoveOnly = !(modifiers & Qt::ControlModifier) && !ResizeLabelsMode();
  HitTest(x, y);
  if (TDrawBaseClass* label = LabelMode == lmSelected ? Selected() : nullptr)
    ScreenImage->setCursor(label->GetCursor());
}

void TFuncGraphWindow::LabelRightButtonDown(int x, int y) {
  if (Tracking || x < 0 || y < 0 || x >= BitmapWidth() || y >= BitmapHeight() || CurrentLabelTool() != 0) return;
  MoveOnly = true;
  HitTest(x, y);
  if (LabelMode == lmSelected) LabelPopup->popup(ScreenImage->mapToGlobal(QPoint(x, y)));
}

void TFuncGraphWindow::LabelMouseMove(Qt::MouseButtons buttons, int x, int y) {
  if (!Tracking || (x == MouseX && y == MouseY)) return;
  if (!(buttons & Qt::LeftButton)) {
    LeaveMode();
    Tracking = false;
    return;
  }
  TDrawBaseClass* label = Selected();
  switch (LabelMode) {
    case lmCreate:
      if (label) label->MouseAction(x, y, mpCreateDrag);
      break;
    case lmSelected:
      LabelMode = lmMoving;
      if (label) label->MouseAction(x, y, MoveOnly ? mpMoveFirst : mpResizeFirst);
      break;
    case lmMoving:
      if (label) label->MouseAction(x, y, MoveOnly ? mpMoveDrag : mpResizeDrag);
      break;
    case lmFillLocations:
    case lmRegionShown: LeaveMode(); return;
    case lmRegionDrag: DragRegion(x, y); return;
    default: return;
  }
  ScreenImage->update();
}

void TFuncGraphWindow::LabelLeftButtonUp(int x, int y) {
  if (!Tracking) return;
  Tracking = false;
  ScreenImage->unsetCursor();
  TDrawBaseClass* label = Selected();
  switch (LabelMode) {
    case lmCreate:
    case lmMoving: {
      const int phase = LabelMode == lmCreate ? mpCreateRelease : MoveOnly ? mpMoveRelease : mpResizeRelease;
      LabelMode = lmIdle;
      SelectedIndex = -1;
      if (label) label->MouseAction(x, y, phase);
      RedrawLabels();
      break;
    }
    case lmFillLocations:
    case lmRegionShown: LeaveMode(); break;
    case lmRegionDrag: FixRegion(x, y); break;
  }
}

void TFuncGraphWindow::CreateLabelAt(int tool, int x, int y) {
  Modified = true;
  LeaveMode();
  if (Labels().size() >= std::size_t(kMaxLabels)) {
    ShowMessage(TMsgKind::Error, "This Window Can Not Accept More Than " + std::to_string(kMaxLabels) + " Labels",
                TMsgButtons::OK);
    return;
  }
  const TToolBarAttribClass& attributes = LabelToolAttributes ? LabelToolAttributes() : DefaultAttributes();
  if (tool == ltFloodFill) {
    // A fill of the colour already there would change nothing the bitmap can show.
    const TPoint p = ClampToBitmap(x, y);
    if (ScreenBitmap.Canvas().Pixel(p.x, p.y) == (SnapColor(attributes.BrushColor, ScreenBitmap.Depth()) & 0xFFFFFF))
      return;
    x = p.x;
    y = p.y;
  }
  std::unique_ptr<TDrawBaseClass> made;
  try {
    made = CreateLabel(tool, document_->LabelOwner());
  } catch (const std::bad_alloc&) {
    made.reset();
  }
  if (!made) {
    ShowMessage(TMsgKind::Error, "Unknown Error", TMsgButtons::OK);
    return;
  }
  made->SetAttributes(attributes);
  TDrawBaseClass& label = *made;
  document_->AddLabel(std::move(made));
  ScreenImage->update();
  if (tool == ltFloodFill) {
    label.MouseAction(x, y, mpCreatePress);  // fills at once; nothing is selected
    return;
  }
  if (tool == ltText) {
    auto& text = static_cast<TDrawText&>(label);
    text.SetText({x, y}, "", attributes.Font);
    OpenTextEditor(text);
    return;
  }
  SelectedIndex = int(Labels().size()) - 1;
  LabelMode = lmCreate;
  label.MouseAction(x, y, mpCreatePress);
}

void TFuncGraphWindow::HitTest(int x, int y) {
  if (LabelMode != lmIdle && LabelMode != lmSelected && LabelMode != lmFillLocations) LeaveMode();
  // Flood fills cover whole areas: they are picked only where their locations show.
  const bool fills = LabelMode == lmFillLocations;
  const TLabelList& labels = Labels();
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
  if (TDrawBaseClass* selected = LabelMode == lmSelected ? Selected() : nullptr; selected && IsFloodFill(*selected)) {
    const int distance = selected->Distance(x, y);
    if (distance <= bestDistance) {
      best = SelectedIndex;
      bestDistance = distance;
    }
  }
  if (best < 0 || bestDistance >= kSelectReach) {
    LeaveMode();
    return;
  }
  SelectLabel(best);
  TDrawBaseClass& label = *labels[std::size_t(best)];
  label.MouseAction(x, y, MoveOnly ? mpPressMove : mpPressResize);
  ScreenImage->update();
}

// ---- commands ------------------------------------------------------------------------

void TFuncGraphWindow::AddLabel(std::unique_ptr<TDrawBaseClass> label) {
  LeaveMode();
  document_->AddLabel(std::move(label));
  RedrawLabels();
}

void TFuncGraphWindow::SelectLabel(int index) {
  if (LabelMode == lmSelected && index == SelectedIndex) return;
  LeaveMode();
  if (index < 0 || index >= int(Labels().size())) return;
  LabelMode = lmSelected;
  SelectedIndex = index;
  if (TDrawBaseClass* label = Selected(); !label->MarkerShown) label->ToggleMarker();
  ScreenImage->update();
}

void TFuncGraphWindow::SelectNext() {
  if (LabelMode == lmSelected) SelectLabel((SelectedIndex + 1) % int(Labels().size()));
}

void TFuncGraphWindow::SelectPrevious() {
  const int count = int(Labels().size());
  if (LabelMode == lmSelected) SelectLabel((SelectedIndex + count - 1) % count);
}

// The selection follows the label to its new place.
void TFuncGraphWindow::SendSelectedToFront() {
  const int last = int(Labels().size()) - 1;
  if (LabelMode != lmSelected || SelectedIndex >= last) return;
  document_->MoveLabel(SelectedIndex, last);
  SelectedIndex = last;
  Modified = true;
  RedrawLabels();
}

void TFuncGraphWindow::SendSelectedToBack() {
  if (LabelMode != lmSelected || SelectedIndex <= 0) return;
  document_->MoveLabel(SelectedIndex, 0);
  SelectedIndex = 0;
  Modified = true;
  RedrawLabels();
}

void TFuncGraphWindow::ShowFloodFillLocations() {
  LeaveMode();
  if (Labels().empty()) return;
  Modified = true;
  if (std::any_of(Labels().begin(), Labels().end(), [](const auto& l) { return IsFloodFill(*l); })) {
    ToggleFillLocations();
    LabelMode = lmFillLocations;
  }
  ScreenImage->update();
}

void TFuncGraphWindow::EditSelected() {
  TDrawBaseClass* label = nullptr;
  if (LabelMode == lmTextEdit) {
    label = editLabel_;
    const bool emptied = TextEditor->Text().empty();
    TextEditor->Close();
    if (emptied) return;  // the label went with its text
  } else if (LabelMode == lmSelected) {
    label = Selected();
  }
  if (!label || !label->EditDialog()) return;
  Modified = true;
  if (const auto* text = dynamic_cast<const TDrawText*>(label); text && text->Text.empty()) {
    if (LabelMode == lmSelected) LabelMode = lmIdle;
    RemoveLabel(label);
  }
  RedrawLabels();
}

void TFuncGraphWindow::EditSelectedInPlace() {
  if (LabelMode != lmSelected) return;
  if (auto* text = dynamic_cast<TDrawText*>(Selected())) OpenTextEditor(*text);
}

void TFuncGraphWindow::EditLabelList() {
  const int current = LabelMode == lmSelected ? SelectedIndex : -1;
  LeaveMode();
  TLabelListDlg::TOutcome outcome = TLabelListDlg::Edit(this, Labels(), current);
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
    document_->SetLabels(std::move(labels));
    Modified = true;
    RedrawLabels();
  }
  if (outcome.select >= 0) SelectLabel(outcome.select);
}

void TFuncGraphWindow::DeleteSelected() {
  if (LabelMode != lmSelected) return;
  TDrawBaseClass* label = Selected();
  LabelMode = lmIdle;
  Modified = true;
  RemoveLabel(label);
  RedrawLabels();
}

void TFuncGraphWindow::DeleteAll(bool fills, bool others) {
  const auto doomed = [fills, others](const auto& label) { return IsFloodFill(*label) ? fills : others; };
  if (std::none_of(Labels().begin(), Labels().end(), doomed)) return;
  const char* question = !fills    ? "Delete All Labels From This Window?"
                         : !others ? "Delete All Flood Fills From This Window?"
                                   : "Delete All Labels And Flood Fills From This Window?";
  if (ShowMessage(TMsgKind::Confirmation, question, TMsgButtons::YesNo) != TMsgAnswer::Yes) return;
  LeaveMode();  // takes the selected label's markers down while it still exists
  Modified = true;
  for (int i = int(Labels().size()) - 1; i >= 0; --i)
    if (doomed(Labels()[std::size_t(i)])) document_->TakeLabel(i);
  RedrawLabels();
}

void TFuncGraphWindow::RemoveLabel(const TDrawBaseClass* label) {
  SelectedIndex = -1;
  const auto at = std::find_if(Labels().begin(), Labels().end(), [label](const auto& l) { return l.get() == label; });
  if (at != Labels().end()) document_->TakeLabel(int(at - Labels().begin()));
}

// ---- in-place text editor ---------------------------------------------------------

// Leaving the mode first takes down a selection's markers, which the editor's redraw
// would otherwise leave behind.
void TFuncGraphWindow::OpenTextEditor(TDrawText& label) {
  LeaveMode();
  LabelMode = lmTextEdit;
  Modified = true;
  editLabel_ = &label;
  TextEditor->Open(label.P1, label.Text, label.Font);
}

// The old text must not show beside the editor as the text gets shorter.
void TFuncGraphWindow::TextEditorOpened(TPoint topLeft, int width, int height) {
  if (LabelMode != lmTextEdit || !editLabel_ || editLabel_->Text.empty()) return;
  const TRect area = {std::max(topLeft.x, 0), std::max(topLeft.y, 0), std::min(topLeft.x + width, BitmapWidth()),
                      std::min(topLeft.y + height, BitmapHeight())};
  if (area.left >= area.right || area.top >= area.bottom) return;
  ScreenBitmap.Canvas().CopyRect(area, GraphBitmap.Canvas(), area);
  ScreenImage->update();
}

// Always redraws: the picture under the editor was changed when it opened.
void TFuncGraphWindow::TextEditorClosed() {
  TDrawText* label = std::exchange(editLabel_, nullptr);
  LabelMode = lmIdle;
  Modified = true;
  if (label) {
    const std::string text = TextEditor->Text();
    if (text.empty()) {
      RemoveLabel(label);
    } else {
      label->SetText(label->P1, text, label->Font);
      label->FitOnBitmap();
    }
  }
  RedrawLabels();
}

}  // namespace plotix
