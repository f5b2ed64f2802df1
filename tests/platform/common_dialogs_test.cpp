#include "platform/common_dialogs.h"

#include <gtest/gtest.h>

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <memory>

#include "../modal.h"

namespace plotix {
namespace {

TEST(CommonDialogs, FileFiltersBecomeQtFilters) {
  const struct {
    const char* filter;
    const char* qt;
  } cases[] = {
      {"Plotix File(*.pxg)|*.pxg", "Plotix File (*.pxg)"},
      {"Plotix File (*.pxg)|*.pxg", "Plotix File (*.pxg)"},
      {"Bitmap File (*.bmp)|*.bmp|All Files|*.*", "Bitmap File (*.bmp);;All Files (*.*)"},
      {"Pictures|*.bmp;*.dib", "Pictures (*.bmp *.dib)"},
      {"Text (*.old)|*.txt", "Text (*.txt)"},  // the pattern, not the description, filters
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(QtFileFilter(c.filter), c.qt) << c.filter;
}

TEST(CommonDialogs, ScriptedAnswersComeInOrderAndAreRecorded) {
  TScopedScriptedCommonDlgs dialogs;
  TFontDesc chosenFont;
  chosenFont.name = "DejaVu Serif";
  chosenFont.size = 14;
  dialogs->QueueColor(0x123456);
  dialogs->QueueCancel();
  dialogs->QueueFont(chosenFont);
  dialogs->QueueFileName("/tmp/a.pxg");
  dialogs->QueueColor(0x00FF00);  // answers a file dialog: wrong kind, so it cancels

  TColor color = 0xFF;
  EXPECT_TRUE(PickColor(nullptr, color));
  EXPECT_EQ(color, 0x123456u);
  EXPECT_FALSE(PickColor(nullptr, color));
  EXPECT_EQ(color, 0x123456u);
  TFontDesc font;
  EXPECT_TRUE(PickFont(nullptr, font));
  EXPECT_EQ(font, chosenFont);
  std::string name = "start.pxg";
  EXPECT_TRUE(PickSaveFile(nullptr, "Save File As", "Plotix File (*.pxg)|*.pxg", "pxg", name));
  EXPECT_EQ(name, "/tmp/a.pxg");
  EXPECT_FALSE(PickOpenFile(nullptr, "Open A Plotix File", "Plotix File(*.pxg)|*.pxg", "pxg", name));
  EXPECT_EQ(name, "/tmp/a.pxg");
  EXPECT_FALSE(PickColor(nullptr, color));  // nothing queued

  ASSERT_EQ(dialogs->asked.size(), 6u);
  EXPECT_EQ(dialogs->asked[0].kind, TCommonDlgKind::Color);
  EXPECT_EQ(dialogs->asked[0].color, 0xFFu);  // preset to the colour passed in
  EXPECT_EQ(dialogs->asked[1].color, 0x123456u);
  EXPECT_EQ(dialogs->asked[2].kind, TCommonDlgKind::Font);
  EXPECT_EQ(dialogs->asked[2].font, TFontDesc{});
  EXPECT_EQ(dialogs->asked[3].kind, TCommonDlgKind::SaveFile);
  EXPECT_EQ(dialogs->asked[3].title, "Save File As");
  EXPECT_EQ(dialogs->asked[3].filter, "Plotix File (*.pxg)|*.pxg");
  EXPECT_EQ(dialogs->asked[3].defaultExt, "pxg");
  EXPECT_EQ(dialogs->asked[3].name, "start.pxg");
  EXPECT_EQ(dialogs->asked[4].kind, TCommonDlgKind::OpenFile);
}

TEST(CommonDialogs, ScopesRestoreTheHandlerTheyFound) {
  TScopedScriptedCommonDlgs outer;
  outer->QueueColor(1);
  {
    TScopedScriptedCommonDlgs inner;
    inner->QueueColor(2);
    TColor color = 0;
    EXPECT_TRUE(PickColor(nullptr, color));
    EXPECT_EQ(color, 2u);
  }
  TColor color = 0;
  EXPECT_TRUE(PickColor(nullptr, color));
  EXPECT_EQ(color, 1u);
}

TEST(CommonDialogs, ColorSamplePicksPresetToItsColor) {
  TScopedScriptedCommonDlgs dialogs;
  TColorSampleButton sample;
  sample.SetColor(0x0000FF);
  QSignalSpy changed(&sample, &TColorSampleButton::ColorChanged);
  dialogs->QueueCancel();
  dialogs->QueueColor(0x00FF00);
  sample.click();
  EXPECT_EQ(sample.Color(), 0x0000FFu);
  EXPECT_EQ(changed.count(), 0);
  sample.click();
  EXPECT_EQ(sample.Color(), 0x00FF00u);
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed[0][0].value<TColor>(), 0x00FF00u);
  ASSERT_EQ(dialogs->asked.size(), 2u);
  EXPECT_EQ(dialogs->asked[0].color, 0x0000FFu);
  EXPECT_EQ(dialogs->asked[1].color, 0x0000FFu);
}

// The Qt handler is the one installed unless a test scripts the answers.
TEST(CommonDialogs, OneColorDialogServesEveryRequest) {
  QColorDialog* first = nullptr;
  auto parent = std::make_unique<QWidget>();
  OnNextModal([&first](QWidget* modal) {
    first = qobject_cast<QColorDialog*>(modal);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->currentColor(), QColor(0x56, 0x34, 0x12));  // 0x00BBGGRR
    first->setCurrentColor(QColor(10, 20, 30));
    first->accept();
  });
  TColor color = 0x123456;
  EXPECT_TRUE(PickColor(parent.get(), color));
  EXPECT_EQ(color, RGBColor(10, 20, 30));

  parent.reset();  // the dialog outlives the window that asked
  QColorDialog* second = nullptr;
  OnNextModal([&second](QWidget* modal) {
    second = qobject_cast<QColorDialog*>(modal);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->currentColor(), QColor(10, 20, 30));
    second->setCurrentColor(QColor(1, 2, 3));
    second->reject();
  });
  EXPECT_FALSE(PickColor(nullptr, color));
  EXPECT_EQ(color, RGBColor(10, 20, 30));
  EXPECT_EQ(first, second);
}

TEST(CommonDialogs, FontDialogChoosesFaceStyleSizeAndColor) {
  enum TAct { Cancel, Change, KeepAsShown };
  for (const TAct act : {Cancel, Change, KeepAsShown}) {
    SCOPED_TRACE(act);
    OnNextModal([act](QWidget* modal) {
      auto* dialog = qobject_cast<QDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->windowTitle(), "Font");
      auto* fonts = dialog->findChild<QFontDialog*>();
      auto* color = dialog->findChild<TColorSampleButton*>();
      ASSERT_NE(fonts, nullptr);
      ASSERT_NE(color, nullptr);
      EXPECT_EQ(fonts->currentFont().family(), "DejaVu Sans");
      EXPECT_EQ(fonts->currentFont().pointSize(), 8);
      EXPECT_FALSE(fonts->currentFont().italic());  // the regular face, not the family's first
      EXPECT_EQ(color->Color(), 0x0000FFu);
      if (act == Change) {
        QFont font("DejaVu Sans", 12);
        font.setBold(true);
        font.setUnderline(true);
        fonts->setCurrentFont(font);
        color->SetColor(0x00FF00);
      }
      if (act == Cancel)
        dialog->reject();
      else
        dialog->accept();
    });
    TFontDesc font;
    font.color = 0x0000FF;
    const TFontDesc before = font;
    EXPECT_EQ(PickFont(nullptr, font), act != Cancel);
    if (act != Change) {
      EXPECT_EQ(font, before);
      continue;
    }
    EXPECT_EQ(font.name, "DejaVu Sans");
    EXPECT_EQ(font.size, 12);
    EXPECT_EQ(font.style, fsBold | fsUnderline);
    EXPECT_EQ(font.color, 0x00FF00u);
  }
}

TEST(CommonDialogs, SaveDialogAddsTheDefaultExtension) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  OnNextModal([&dir](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Save File As");
    EXPECT_EQ(dialog->nameFilters(), QStringList({"Plotix File (*.pxg)"}));
    EXPECT_EQ(dialog->defaultSuffix(), "pxg");
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    dialog->selectFile(QDir(dir.path()).filePath("graph"));
    static_cast<QDialog*>(dialog)->accept();  // QFileDialog hides it
  });
  std::string name;
  EXPECT_TRUE(PickSaveFile(nullptr, "Save File As", "Plotix File (*.pxg)|*.pxg", "pxg", name));
  EXPECT_EQ(name, QDir(dir.path()).filePath("graph.pxg").toStdString());
}

TEST(CommonDialogs, OpenDialogWantsAnExistingFile) {
  OnNextModal([](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Open A Plotix File");
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
    dialog->reject();
  });
  std::string name = "kept.pxg";
  EXPECT_FALSE(PickOpenFile(nullptr, "Open A Plotix File", "Plotix File(*.pxg)|*.pxg", "pxg", name));
  EXPECT_EQ(name, "kept.pxg");
}

}  // namespace
}  // namespace plotix
