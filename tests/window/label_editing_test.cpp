// Label editing in a graph window of any kind: gestures, hit tests, the label commands
// and the in-place editor's part.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>
#include <functional>

#include "../files/file_fixtures.h"
#include "../modal.h"
#include "../told.h"
#include "labels/label_list_dialog.h"
#include "labels/text_editor.h"
#include "labels/tool_attributes.h"
#include "plain_window.h"
#include "platform/dialog_service.h"
#include "platform/message_box.h"

namespace plotix {
namespace {

constexpr TColor kWhite = 0xFFFFFF;

class LabelEditing : public ::testing::Test {
 protected:
  void SetUp() override {
    window.NewDefaultSize();
    window.CurrentLabelTool = [this] { return tool; };
    window.LabelToolAttributes = [this]() -> const TToolBarAttribClass& { return attributes; };
    window.ResizeLabelsMode = [this] { return resize; };
  }

  template <class T, class... Args>
  T& Add(TPoint p1, TPoint p2, Args... args) {
    auto label = std::make_unique<T>(window.LabelOwner(), args...);
    label->P1 = p1;
    label->P2 = p2;
    T& added = *label;
    window.Doc().AddLabel(std::move(label));
    return added;
  }
  TDrawInclosedShape& AddBox(TPoint p1, TPoint p2) { return Add<TDrawInclosedShape>(p1, p2, int(ltRectangle)); }
  TDrawFloodFill& AddFill(TPoint seed) {
    auto fill = std::make_unique<TDrawFloodFill>(window.LabelOwner());
    fill->Seed = seed;
    TDrawFloodFill& added = *fill;
    window.Doc().AddLabel(std::move(fill));
    return added;
  }
  // Press, moves through the points, release at the last.
  void Drag(std::initializer_list<TPoint> path, Qt::KeyboardModifiers keys = Qt::NoModifier) {
    const TPoint* p = path.begin();
    window.MouseDown(Qt::LeftButton, keys, p->x, p->y);
    for (++p; p != path.end(); ++p) window.MouseMove(Qt::LeftButton, keys, p->x, p->y);
    window.MouseUp(Qt::LeftButton, keys, path.end()[-1].x, path.end()[-1].y);
  }
  void Click(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    window.MouseDown(button, Qt::NoModifier, x, y);
    window.MouseUp(button, Qt::NoModifier, x, y);
  }
  void Reset() {
    window.LeaveMode();
    window.Doc().SetLabels({});
  }
  bool ShowsClean() { return window.ScreenPicture().Image() == Clean(); }
  TColor At(int x, int y) { return window.ScreenPicture().Canvas().Pixel(x, y); }
  // The graph with its labels over it: no band or marker.
  QImage Clean() {
    TBitmap bitmap(window.BitmapWidth(), window.BitmapHeight());
    window.Doc().RenderWithLabels(bitmap);
    return bitmap.Image();
  }

  TScopedScriptedMessages messages;
  TScopedDialogService dialogs;
  TPlainWindow window;
  int tool = 0;
  TToolBarAttribClass attributes;
  bool resize = false;
};

TEST_F(LabelEditing, DragsCreateMoveAndResizeBoxes) {
  const struct {
    int tool;
    Qt::KeyboardModifiers keys;
    bool resize;
    std::initializer_list<TPoint> path;
    TRect box;  // the last label's points afterwards
    int mode;
  } cases[] = {
      {ltRectangle, Qt::NoModifier, false, {{50, 40}, {30, 30}, {10, 10}}, {50, 40, 10, 10}, lmIdle},
      {0, Qt::NoModifier, false, {{100, 130}, {110, 140}, {120, 150}}, {120, 120, 220, 180}, lmIdle},  // moves
      {0, Qt::ControlModifier, false, {{102, 98}, {90, 80}}, {88, 82, 200, 160}, lmIdle},  // top-left corner
      {0, Qt::NoModifier, true, {{200, 160}, {230, 170}}, {100, 100, 230, 170}, lmIdle},   // resize mode
      // Shift with Ctrl is no region: the label gesture gets it.
      {0, Qt::ShiftModifier | Qt::ControlModifier, false, {{200, 130}, {260, 130}}, {100, 100, 260, 160}, lmIdle},
      {0, Qt::ShiftModifier, false, {{100, 130}, {150, 150}}, {100, 100, 200, 160}, lmRegionShown},
      {0, Qt::NoModifier, false, {{100, 130}, {-400, 130}}, {100, 100, 200, 160}, lmIdle},  // off the bitmap
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "tool " << c.tool << " keys " << int(c.keys) << " resize " << c.resize);
    window.Doc().SetLabels({});
    AddBox({100, 100}, {200, 160});
    window.RedrawLabels();
    tool = c.tool;
    resize = c.resize;
    Drag(c.path, c.keys);
    const auto& box = static_cast<const TDrawLabel&>(*window.Labels().back());
    EXPECT_EQ((TRect{box.P1.x, box.P1.y, box.P2.x, box.P2.y}), c.box);
    EXPECT_EQ(window.LabelEditor().Mode(), c.mode);
    EXPECT_TRUE(c.mode != lmIdle || ShowsClean());  // no band, no marker left
  }
  // A move without the button (a release lost outside the window) ends a new label there.
  tool = ltRectangle;
  attributes.PenColor = 0x0000FF;  // drawn across the box: unlike a rubber band there
  window.MouseDown(Qt::LeftButton, Qt::NoModifier, 150, 130);
  window.MouseMove(Qt::LeftButton, Qt::NoModifier, 250, 200);
  window.MouseMove(Qt::NoButton, Qt::NoModifier, 260, 210);
  const auto& made = static_cast<const TDrawLabel&>(*window.Labels().back());
  EXPECT_EQ((TRect{made.P1.x, made.P1.y, made.P2.x, made.P2.y}), (TRect{150, 130, 250, 200}));
  EXPECT_EQ(window.LabelEditor().Mode(), lmIdle);
  EXPECT_TRUE(ShowsClean());
}

TEST_F(LabelEditing, RubberBandsEraseTheLabelAndFollowTheMouse) {
  AddBox({100, 100}, {200, 160});
  window.RedrawLabels();
  window.MouseDown(Qt::LeftButton, Qt::NoModifier, 100, 130);
  window.MouseMove(Qt::LeftButton, Qt::NoModifier, 100, 230);
  window.MouseMove(Qt::LeftButton, Qt::NoModifier, 100, 330);
  EXPECT_EQ(At(150, 100), kWhite);  // the label's place is erased
  EXPECT_EQ(At(150, 200), kWhite);  // the first band is gone
  EXPECT_NE(At(150, 300), kWhite);  // the band is where the mouse is
  window.MouseUp(Qt::LeftButton, Qt::NoModifier, 100, 330);

  // A region whose release comes without a move shows once.
  window.MouseDown(Qt::LeftButton, Qt::ShiftModifier, 50, 50);
  window.MouseUp(Qt::LeftButton, Qt::ShiftModifier, 80, 90);
  EXPECT_EQ(window.Region(), (TRect{50, 50, 80, 90}));
  EXPECT_NE(At(50, 60), kWhite);
  int gaps = 0;  // a dotted line one pixel wide
  for (int x = 50; x <= 80; ++x) gaps += At(x, 50) == kWhite;
  EXPECT_GT(gaps, 5);
  EXPECT_EQ(At(60, 51), kWhite);
  // Dragged past the bitmap, a region stops at its last pixels.
  window.MouseDown(Qt::LeftButton, Qt::ShiftModifier, 450, 450);
  window.MouseUp(Qt::LeftButton, Qt::ShiftModifier, 700, 800);
  EXPECT_EQ(window.Region(), (TRect{450, 450, 499, 499}));
}

TEST_F(LabelEditing, LaterLabelsWinTiesAndASelectedFillKeepsTheSelection) {
  AddFill({100, 100});
  AddBox({102, 50}, {150, 150});  // left edge 2 pixels right of the seed
  AddBox({50, 50}, {98, 150});    // right edge 2 pixels left of the seed
  AddBox({450, 0}, {499, 499});   // along the top and right edges
  const struct {
    int selected;
    TPoint click;
    int expected;
  } cases[] = {
      {-1, {100, 100}, 2},                      // both boxes 2 away: the later one
      {0, {100, 100}, 0},                       // the selected fill is nearer
      {0, {101, 100}, 0},                       // a tie with box 1 goes to the selected fill
      {1, {103, 100}, 1},                       // box 1 alone is nearest
      {1, {100, 100}, 2},                       // a selected box wins no tie
      {-1, {300, 300}, -1}, {-1, {460, 0}, 3},  // the top row is on the bitmap
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.click.x << "," << c.click.y);
    window.LabelEditor().SelectLabel(c.selected);
    Click(c.click.x, c.click.y);
    window.MouseMove(Qt::NoButton, Qt::NoModifier, c.click.x + 20, c.click.y);  // the selection stays
    EXPECT_EQ(window.LabelEditor().SelectedIndex(), c.expected);
  }
  // A right click beside the bitmap picks nothing.
  for (const auto& [x, y] : {std::pair{501, 200}, {470, 500}}) {
    window.LeaveMode();
    Click(x, y, Qt::RightButton);
    EXPECT_EQ(window.LabelEditor().Mode(), lmIdle) << x << "," << y;
  }
}

// "Show Flood Fill Locations" marks every fill's seed; there a click picks the fill.
TEST_F(LabelEditing, FloodFillLocationsShowWhereFillsArePicked) {
  AddBox({100, 100}, {200, 160});
  AddFill({150, 130});
  window.RedrawLabels();
  const QImage clean = Clean();
  auto& editor = window.LabelEditor();
  editor.SelectLabel(0);
  editor.ShowFloodFillLocations();
  EXPECT_EQ(editor.Mode(), lmFillLocations);
  int near = 0, far = 0;
  for (int y = 0; y < 500; ++y)
    for (int x = 0; x < 500; ++x)
      (std::abs(x - 150) <= 10 && std::abs(y - 130) <= 10 ? near : far) +=
          window.ScreenPicture().Image().pixel(x, y) != clean.pixel(x, y);
  EXPECT_GT(near, 0);
  EXPECT_EQ(far, 0);
  Click(150, 130);
  EXPECT_EQ(editor.SelectedIndex(), 1);
  window.LeaveMode();
  EXPECT_EQ(window.ScreenPicture().Image(), clean);
}

// The label menu and pop-up as a user opens them: the items, their keys, and what is greyed.
TEST_F(LabelEditing, MenusGreyWhatHasNothingToActOn) {
  auto& editor = window.LabelEditor();
  const auto items = [](QMenu* menu, bool captions) {
    emit menu->aboutToShow();
    std::string out;
    for (QAction* a : menu->actions())
      out += a->isSeparator() ? std::string(captions ? "-|" : "")
             : captions       ? a->text().toStdString() + " " + a->shortcut().toString().toStdString() + "|"
                              : std::string(a->isEnabled() ? "1" : "0");
    return out;
  };
  EXPECT_EQ(items(editor.Menu(), true),
            "Select &Top |Select &Next Ctrl+N|Select &Previous Ctrl+P|-|Send Selected to &Front Ctrl+F|"
            "Send Selected to &Back Ctrl+B|-|&Show Flood Fill Locations Ctrl+L|&Edit Selected... Ctrl+E|"
            "&In Place Text Label Editor... |Label &List Dialog... |-|Delete Selected Ctrl+Del|Delete All Labels |"
            "Delete All Flood Fills |Delete All Labels And Flood Fills |");
  EXPECT_EQ(items(editor.Popup(), true),
            "Send To &Front |Send To &Back |&Edit Label... |&In Place Editor... |Delete Label |");
  const struct {
    bool box, fill, text;
    int select;  // 3: the text label in its in-place editor
    const char* menu;
    const char* popup;
  } rows[] = {
      {false, false, false, -1, "0000000000000", "00000"}, {true, true, true, -1, "1000010010111", "00000"},
      {true, false, false, -1, "1000010010101", "00000"},  {false, true, false, -1, "1000010010011", "00000"},
      {true, true, true, 0, "1111011011111", "10101"},     {true, true, true, 2, "1110111111111", "01111"},
      {true, true, true, 3, "1000011010111", "00000"},
  };
  for (const auto& row : rows) {
    Reset();
    if (row.box) AddBox({10, 10}, {40, 40});
    if (row.fill) AddFill({20, 20});
    if (row.text) Add<TDrawText>({300, 300}, {300, 300}).Text = "x";
    editor.SelectLabel(row.select == 3 ? 2 : row.select);
    if (row.select == 3) editor.EditSelectedInPlace();
    EXPECT_EQ(items(editor.Menu(), false), row.menu) << row.select;
    EXPECT_EQ(items(editor.Popup(), false), row.popup) << row.select;
  }
  window.LeaveMode();
}

TEST_F(LabelEditing, CommandsFollowTheSelectedLabel) {
  using W = TLabelEditor;
  const struct {
    int select;
    void (W::*command)();
    std::vector<int> remaining;  // the labels' original indexes after "Delete Selected"
  } cases[] = {
      {0, &W::SendSelectedToFront, {1, 2}}, {2, &W::SendSelectedToBack, {0, 1}}, {2, &W::SelectNext, {1, 2}},
      {0, &W::SelectPrevious, {0, 1}},      {1, &W::SelectTop, {0, 1}},
  };
  for (const auto& c : cases) {
    Reset();
    for (int i = 0; i < 3; ++i) AddBox({10 + 50 * i, 10}, {40 + 50 * i, 40});
    std::vector<const TDrawBaseClass*> originals;
    for (const auto& l : window.Labels()) originals.push_back(l.get());
    window.LabelEditor().SelectLabel(c.select);
    (window.LabelEditor().*c.command)();
    window.LabelEditor().DeleteSelected();
    std::vector<int> remaining;
    for (const auto& l : window.Labels())
      remaining.push_back(int(std::find(originals.begin(), originals.end(), l.get()) - originals.begin()));
    EXPECT_EQ(remaining, c.remaining) << c.select;
    EXPECT_TRUE(ShowsClean());
  }
  // The front label sent to the front, the back one to the back: nothing to undo.
  window.History()->clear();
  for (const auto& [index, command] : {std::pair{1, &W::SendSelectedToFront}, {0, &W::SendSelectedToBack}}) {
    window.LabelEditor().SelectLabel(index);
    (window.LabelEditor().*command)();
  }
  EXPECT_EQ(window.History()->count(), 0);
}

TEST_F(LabelEditing, DeleteAllAsksAndLeavesNoMarkers) {
  using W = TLabelEditor;
  const struct {
    void (W::*command)();
    const char* question;
    TMsgAnswer answer;
    std::size_t remaining;
  } cases[] = {
      {&W::DeleteAllLabels, "Delete All Labels From This Window?", TMsgAnswer::Yes, 1},
      {&W::DeleteAllFloodFills, "Delete All Flood Fills From This Window?", TMsgAnswer::Yes, 2},
      {&W::DeleteAllLabelsAndFloodFills, "Delete All Labels And Flood Fills From This Window?", TMsgAnswer::Yes, 0},
      {&W::DeleteAllLabelsAndFloodFills, "Delete All Labels And Flood Fills From This Window?", TMsgAnswer::No, 3},
  };
  for (const auto& c : cases) {
    Reset();
    AddBox({10, 10}, {40, 40});
    AddFill({20, 20});  // inside the box
    AddBox({60, 10}, {90, 40});
    window.RedrawLabels();
    window.LabelEditor().SelectLabel(0);
    messages->shown.clear();
    messages->QueueAnswer(c.answer);
    (window.LabelEditor().*c.command)();
    EXPECT_EQ(Told(messages), std::string("C|YN|") + c.question + "\n");
    EXPECT_EQ(window.Labels().size(), c.remaining);
    EXPECT_TRUE(c.answer == TMsgAnswer::No || (window.LabelEditor().Mode() == lmIdle && ShowsClean()));
  }
}

TEST_F(LabelEditing, NewLabelsStopAtTheLimitAndFillsNeedANewColour) {
  tool = ltFloodFill;
  attributes.BrushColor = kWhite;
  window.MouseDown(Qt::LeftButton, Qt::NoModifier, 10, 10);  // white on white: nothing
  EXPECT_TRUE(window.Labels().empty());
  for (int i = 0; i < kMaxLabels; ++i) window.Doc().AddLabel(std::make_unique<TDrawLine>(window.LabelOwner()));
  tool = ltRectangle;
  window.MouseDown(Qt::LeftButton, Qt::NoModifier, 10, 10);
  EXPECT_EQ(Told(messages), "E|OK|This Window Can Not Accept More Than 2000 Labels\n");
  EXPECT_EQ(window.Labels().size(), std::size_t(kMaxLabels));
}

TEST_F(LabelEditing, TheInPlaceEditorCommitsOrRemovesItsLabel) {
  AddBox({300, 300}, {350, 350});
  const struct {
    const char* typed;
    int closeKey;      // 0: a click elsewhere
    const char* text;  // the new label's text; null: no new label
  } cases[] = {{"ab", Qt::Key_Escape, "ab"}, {"cd", Qt::Key_Return, "cd"}, {"", 0, nullptr}, {"e", 0, "e"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    const std::size_t before = window.Labels().size();
    tool = ltText;
    Click(20, 20);
    EXPECT_EQ(window.LabelEditor().Mode(), lmTextEdit);
    QTest::keyClicks(window.LabelEditor().TextEditor(), c.typed);
    tool = 0;
    if (c.closeKey)
      QTest::keyClick(window.LabelEditor().TextEditor(), Qt::Key(c.closeKey));
    else
      window.MouseDown(Qt::LeftButton, Qt::NoModifier, 450, 450);
    EXPECT_EQ(window.LabelEditor().Mode(), lmIdle);
    ASSERT_EQ(window.Labels().size(), before + (c.text ? 1 : 0));
    if (c.text) {
      EXPECT_EQ(static_cast<const TDrawText&>(*window.Labels().back()).Text, c.text);
    }
    EXPECT_TRUE(ShowsClean());
  }
  // A double click on a selected text label opens the editor on it; on a box, nothing.
  Add<TDrawText>({300, 200}, {300, 200}).Text = "x";
  for (const TPoint at : {TPoint{300, 320}, TPoint{302, 202}}) {
    Click(at.x, at.y);
    window.MouseDoubleClick();
    Click(at.x, at.y);
    EXPECT_EQ(window.LabelEditor().Mode(), at.y == 320 ? lmSelected : lmTextEdit);
  }
  EXPECT_TRUE(window.LabelEditor().TextEditor()->IsOpen());
  EXPECT_EQ(window.LabelEditor().TextEditor()->Text(), "x");
  window.LabelEditor().TextEditor()->Close();
  // Opened on a selected label and closed unchanged: no marker stays behind.
  window.LabelEditor().SelectLabel(int(window.Labels().size()) - 1);
  window.LabelEditor().EditSelectedInPlace();
  EXPECT_EQ(window.LabelEditor().Mode(), lmTextEdit);
  EXPECT_TRUE(window.LabelEditor().TextEditor()->IsOpen());
  window.LabelEditor().TextEditor()->Close();
  EXPECT_TRUE(ShowsClean());
}

TEST_F(LabelEditing, DialogChangesRedrawAndMarkTheGraphModified) {
  AddBox({100, 100}, {200, 160});
  Add<TDrawText>({300, 300}, {300, 300}).Text = "x";
  dialogs->Register<TDrawInclosedShape>([](TDrawInclosedShape& box, bool) {
    box.P1 = {10, 10};
    return true;
  });
  dialogs->Register<TDrawText>([](TDrawText& text, bool) {
    text.Text.clear();
    return true;
  });
  // The list opens on the selected label; a Modify there stays when the list is cancelled.
  window.LabelEditor().SelectLabel(1);
  OnNextModal([](QWidget* modal) {
    EXPECT_EQ(qobject_cast<TLabelListDlg*>(modal)->LabelListBox->currentRow(), 1);
    modal->close();
  });
  window.LabelEditor().EditLabelList();
  window.LabelEditor().SelectLabel(0);
  window.SetModified(false);
  OnNextModal([](QWidget* modal) {
    auto* list = qobject_cast<TLabelListDlg*>(modal);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->LabelListBox->currentRow(), 0);
    list->ModifyClick();
    list->reject();
  });
  window.LabelEditor().EditLabelList();
  EXPECT_TRUE(window.IsModified());
  EXPECT_TRUE(ShowsClean());
  EXPECT_NE(At(50, 10), kWhite);
  // A text label emptied in its dialog goes, from the list too; a chosen label is selected.
  Add<TDrawText>({300, 300}, {300, 300}).Text = "y";
  OnNextModal([](QWidget* modal) {
    auto* list = qobject_cast<TLabelListDlg*>(modal);
    list->LabelListBox->setCurrentRow(2);
    list->ModifyClick();
    list->LabelListBox->setCurrentRow(0);
    list->SelectButton->click();
  });
  window.LabelEditor().EditLabelList();
  EXPECT_EQ(window.Labels().size(), 2u);
  EXPECT_EQ(window.LabelEditor().SelectedIndex(), 0);
  window.LabelEditor().SelectLabel(1);
  window.LabelEditor().EditSelected();
  EXPECT_EQ(window.Labels().size(), 1u);
  EXPECT_EQ(window.LabelEditor().Mode(), lmIdle);
}

// Every change a user makes to the labels is one step of the history: undone, the graph is
// as it was before (file and picture, no marker left), redone, as it was after; the
// modified mark follows.
TEST_F(LabelEditing, EachChangeIsOneStepThatUndoesAndRedoes) {
  testbytes::TScratchDir dir;
  const auto state = [&] {
    EXPECT_TRUE(window.Doc().SaveGraph(dir.Path("g.pxg")));
    return std::pair(testbytes::ReadBytes(dir.Path("g.pxg")), Clean());
  };
  auto& editor = window.LabelEditor();
  dialogs->Register<TDrawInclosedShape>([](TDrawInclosedShape& box, bool) {
    box.P2 = {250, 250};
    return true;
  });
  const auto draw = [&](int labelTool, std::initializer_list<TPoint> path) { tool = labelTool, Drag(path); };
  // clang-format off
  const struct {
    const char* what;
    std::function<void()> change;
  } cases[] = {
      {"Draw Rectangle", [&] { draw(ltRectangle, {{10, 10}, {60, 50}}); }},
      {"Draw Free Hand", [&] { draw(ltFreeHand, {{300, 300}, {310, 320}, {330, 300}}); }},
      {"Flood Fill", [&] { attributes.BrushColor = 0xFF, draw(ltFloodFill, {{150, 130}}); }},
      {"Move Label", [&] { Drag({{100, 130}, {120, 150}}); }},
      {"Resize Label", [&] { Drag({{100, 100}, {90, 80}}, Qt::ControlModifier); }},
      {"Send Label to Front", [&] { editor.SelectLabel(0), editor.SendSelectedToFront(); }},
      {"Send Label to Back", [&] { editor.SelectLabel(1), editor.SendSelectedToBack(); }},
      {"Delete Label", [&] { editor.SelectLabel(1), editor.DeleteSelected(); }},
      {"Edit Label", [&] { editor.SelectLabel(0), editor.EditSelected(); }},
      {"Delete All Labels", [&] { messages->QueueAnswer(TMsgAnswer::Yes), editor.DeleteAllLabels(); }},
      {"Type Text", [&] {
         draw(ltText, {{20, 20}});
         QTest::keyClicks(editor.TextEditor(), "ab");
         QTest::keyClick(editor.TextEditor(), Qt::Key_Return);
       }},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Reset();
    AddBox({100, 100}, {200, 160});
    AddBox({300, 100}, {400, 160});
    window.RedrawLabels();
    window.History()->clear();
    window.SetModified(false);
    tool = 0;
    const auto before = state();
    c.change();
    ASSERT_EQ(window.History()->count(), 1);
    EXPECT_EQ(window.History()->undoText(), c.what);
    EXPECT_TRUE(window.IsModified());
    const auto after = state();
    EXPECT_NE(after, before);
    window.Undo();
    EXPECT_EQ(state(), before);
    EXPECT_TRUE(ShowsClean());
    EXPECT_FALSE(window.IsModified());
    window.Redo();
    EXPECT_EQ(state(), after);
    EXPECT_TRUE(ShowsClean());
    EXPECT_TRUE(window.IsModified());
  }
}

}  // namespace
}  // namespace plotix
