// What every graph window does whatever its kind: a redraw, a save or a bitmap that runs
// out of memory is told, and the window stays usable or is closed.
#include "window/graph_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>

#include "../files/file_fixtures.h"
#include "../told.h"
#include "plain_window.h"

namespace plotix {
namespace {

TEST(GraphWindow, ARedrawOutOfMemoryIsToldAndTheWindowStaysUsable) {
  TScopedScriptedMessages messages;
  TPlainWindow window;
  ASSERT_TRUE(window.NewDefaultSize());
  window.Doc().color = 0x00FF00;
  window.Doc().fail = true;
  window.RenderGraph();
  EXPECT_EQ(Told(messages), "E|OK|Out of Memory\n");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);                   // the busy cursor came down
  EXPECT_EQ(window.ScreenPicture().Canvas().Pixel(10, 10), 0x00FF00u);  // what was drawn is shown
  window.Doc().fail = false;
  window.RenderGraph();
  EXPECT_EQ(messages->shown.size(), 1u);
}

TEST(GraphWindow, ASaveOutOfMemoryIsToldAndKeepsTheOldFile) {
  TScopedScriptedMessages messages;
  testbytes::TScratchDir dir;
  TPlainWindow window;
  ASSERT_TRUE(window.NewDefaultSize());
  ASSERT_TRUE(window.SaveAs(dir.Path("g.pxg")));
  const testbytes::TBytes saved = testbytes::ReadBytes(dir.Path("g.pxg"));
  window.Doc().failSave = true;
  window.SetModified(true);
  EXPECT_FALSE(window.Save());
  EXPECT_EQ(Told(messages), "E|OK|Out of Memory\n");
  EXPECT_TRUE(window.IsModified());
  EXPECT_EQ(testbytes::ReadBytes(dir.Path("g.pxg")), saved);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"g.pxg"});  // no temporary file left
}

TEST(GraphWindow, BitmapsThatCanNotBeHadCloseTheWindow) {
  const struct {
    const char* what;
    int width, height;
    bool extraFails;
    const char* told;
  } rows[] = {
      {"a size the bitmaps can not take", 40000, 500, false, "E|OK|Out of Memory\n"},
      {"buffers of the kind that can not be had", 500, 500, true, "E|OK|Out of Memory\n"},
      {"a size that fits", 640, 480, false, ""},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    TScopedScriptedMessages messages;
    QPointer<TPlainWindow> window = new TPlainWindow;
    window->extraFails = r.extraFails;
    EXPECT_EQ(window->SetBitmapSize(r.width, r.height), !*r.told);
    EXPECT_EQ(Told(messages), r.told);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window.isNull(), *r.told != 0);
    if (!window) continue;
    EXPECT_EQ(std::tuple(window->BitmapWidth(), window->GraphPicture().Width(), window->ScreenPicture().Height()),
              std::tuple(640, 640, 480));
    EXPECT_FALSE(window->IsModified());
    delete window;
  }
}

}  // namespace
}  // namespace plotix
