#pragma once
// TLabelEditor: the label editing of one graph window. It holds the state machine of the
// mouse gestures that create, select, move and resize labels, the selection and its
// markers, the rubber bands, the flood fill locations, the region selection and the in-place
// text editor's life, and it builds the "&Label" menu and the label pop-up menu. Every
// change it makes to the labels goes through the document's operations.

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "labels/label_list.h"
#include "platform/canvas.h"

class QAction;
class QMenu;

namespace plotix {

class TCustomTextEdit;
class TDrawBaseClass;
class TDrawText;
class TFuncGraphWindow;

// What a press, a drag and the label commands act on.
enum TLabelMode : int {
  lmIdle = 0,
  lmTextEdit = 1,       // the in-place editor is open on a text label
  lmCreate = 2,         // a new label is being dragged out
  lmSelected = 3,       // a label is selected and shows its markers
  lmMoving = 4,         // the selected label is being moved or resized
  lmFillLocations = 5,  // every flood fill's location is marked
  lmRegionDrag = 6,     // the region is being dragged out
  lmRegionShown = 7,    // a region is selected and shown
};

// The main window's label tool that selects a region instead of drawing a label.
constexpr int kRegionTool = 8;

class TLabelEditor : public QObject {
  Q_OBJECT

 public:
  explicit TLabelEditor(TFuncGraphWindow& window);
  ~TLabelEditor() override;

  TLabelMode Mode() const { return mode_; }
  // The selected label (while one is selected, created or moved), else -1.
  int SelectedIndex() const { return selected_; }
  bool RegionShown() const { return mode_ == lmRegionShown; }
  // The region's corners, normalised once the drag ended.
  const TRect& Region() const { return region_; }
  TCustomTextEdit* TextEditor() const { return textEditor_; }
  QMenu* Menu() const { return menu_; }
  QMenu* Popup() const { return popup_; }

  // ---- the mouse over the bitmap, in bitmap pixels ----
  void LeftButtonDown(Qt::KeyboardModifiers modifiers, int x, int y);
  void RightButtonDown(int x, int y);
  // (x, y) is where the mouse is now; the window still holds where it was.
  void MouseMove(Qt::MouseButtons buttons, int x, int y);
  void LeftButtonUp(int x, int y);
  // The next press is the second of a double click.
  void DoubleClicked() { doubleClicked_ = true; }

  // The screen copy from the graph bitmap, the labels over it, and the markers of the
  // mode: the selected label's, the flood fill locations or the region. An unfinished
  // creation or move is dropped.
  void Redraw();
  // Ends the label operation in progress: commits the in-place editor, hides markers,
  // removes a shown region, finishes a drag with a redraw.
  void LeaveMode();
  // Ends the label operation in progress and shows the region with corners normalised.
  void ShowRegion(const TRect& rect);

  // ---- the commands of the "&Label" menu and the label pop-up menu ----
  // A label on top of the others, drawn at once.
  void AddLabel(std::unique_ptr<TDrawBaseClass> label);
  // A whole new label list (the list dialog's, or one taken back), drawn at once.
  void SetLabels(TLabelList labels, const QString& what = QStringLiteral("Change Labels"));
  // Leaves the mode and selects the label at index, showing its markers; nothing when it
  // is selected already. An index off the list only leaves the mode.
  void SelectLabel(int index);
  void SelectTop();
  // The next or previous label of the list, wrapping round; only while one is selected.
  void SelectNext();
  void SelectPrevious();
  // The selected label to the end of the list (drawn last) or to its start.
  void SendSelectedToFront();
  void SendSelectedToBack();
  void ShowFloodFillLocations();
  // The selected label's dialog (or, while it is open, the in-place editor's label's).
  void EditSelected();
  // The in-place editor on the selected text label.
  void EditSelectedInPlace();
  void EditLabelList();
  void DeleteSelected();
  // Each asks first; labels is every label but the flood fills.
  void DeleteAllLabels() { DeleteAll(false, true); }
  void DeleteAllFloodFills() { DeleteAll(true, false); }
  void DeleteAllLabelsAndFloodFills() { DeleteAll(true, true); }

 private:
  // Greys the label commands that have nothing to act on.
  void UpdateLabelCommands();
  // A new label of the tool at the press.
  void CreateLabelAt(int tool, int x, int y);
  // Selects the nearest label within reach and starts its gesture, else leaves the mode.
  void HitTest(int x, int y);
  TDrawBaseClass* Selected() const;
  void ToggleFillLocations();
  void OpenTextEditor(TDrawText& label);
  void TextEditorOpened(TPoint topLeft, int width, int height);
  void TextEditorClosed();
  void RemoveLabel(const TDrawBaseClass* label);
  int IndexOf(const TDrawBaseClass* label) const;
  // Steps made already: a label drawn at index, or one changed there (null: absent).
  void RecordCreated(int index);
  void RecordChange(const char* what, int index, std::unique_ptr<TDrawBaseClass> before,
                    std::unique_ptr<TDrawBaseClass> after);
  void DeleteAll(bool fills, bool others);
  TPoint ClampToBitmap(int x, int y) const;
  // Not-xor, so drawing it twice restores the picture.
  void DrawRegionRect();
  // The region gesture: its press, drag and release.
  void StartRegion(int x, int y);
  void DragRegion(int x, int y);
  void FixRegion(int x, int y);

  TFuncGraphWindow& window_;
  TLabelMode mode_ = lmIdle;
  int selected_ = -1;
  bool tracking_ = false;                          // the left button went down on the bitmap; the gesture goes on
  bool moveOnly_ = true;                           // the gesture moves the label; else it may resize it
  bool doubleClicked_ = false;                     // read and cleared on the next press
  TRect region_;                                   // left, top: first corner; right, bottom: second corner
  TDrawText* editLabel_ = nullptr;                 // the label the in-place editor is open on
  std::unique_ptr<TDrawBaseClass> editBefore_;     // that label before the typing; null when new
  std::unique_ptr<TDrawBaseClass> gestureBefore_;  // the selected label before its move or resize
  TCustomTextEdit* textEditor_;
  QMenu* menu_;
  QMenu* popup_;
  // The label commands of both menus with the test that enables each.
  std::vector<std::pair<QAction*, std::function<bool()>>> labelCommands_;
};

}  // namespace plotix
