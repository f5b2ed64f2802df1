// The Qt faces of the platform services: message boxes, the font chooser, the
// file dialogs' filters, and the regional settings taken from the system locale.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "../modal.h"
#include "expr/number_format.h"
#include "platform/common_dialogs.h"
#include "platform/dialog_controls.h"
#include "platform/qt_message_box.h"
#include "platform/qt_regional_settings.h"
#include "platform/window_fit.h"

namespace plotix {
namespace {

TEST(QtMessageBox, KindButtonsDefaultAndTheAnswerOfEscape) {
  using B = QMessageBox;
  using K = TMsgKind;
  using Bs = TMsgButtons;
  using A = TMsgAnswer;
  const struct {
    K kind;
    Bs buttons;
    B::Icon icon;
    B::StandardButtons offered;
    B::StandardButton first, press;  // press NoButton: Escape
    A answer;
  } rows[] = {
      {K::Error, Bs::OK, B::Critical, B::Ok, B::Ok, B::NoButton, A::OK},
      {K::Confirmation, Bs::YesNoCancel, B::Question, B::Yes | B::No | B::Cancel, B::Yes, B::NoButton, A::Cancel},
      {K::Confirmation, Bs::YesNoCancel, B::Question, B::Yes | B::No | B::Cancel, B::Yes, B::No, A::No},
      {K::Warning, Bs::OKCancel, B::Warning, B::Ok | B::Cancel, B::Ok, B::NoButton, A::Cancel},
      {K::Information, Bs::OKCancelIgnore, B::Information, B::Ok | B::Cancel | B::Ignore, B::Ok, B::Ignore, A::Ignore},
      {K::Error, Bs::AbortRetry, B::Critical, B::Abort | B::Retry, B::Abort, B::NoButton, A::Abort},
  };
  TQtMsgHandler handler;
  for (const auto& r : rows) {
    SCOPED_TRACE(int(r.buttons) * 100 + int(r.press));
    OnNextModal([&r](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(std::tuple(box->windowTitle(), box->text(), box->icon(), box->standardButtons(), box->defaultButton()),
                std::tuple(QString("Plotix"), QString("Error Loading File"), r.icon, r.offered,
                           static_cast<QPushButton*>(box->button(r.first))));
      if (r.press == B::NoButton)
        QTest::keyClick(box, Qt::Key_Escape);
      else
        box->button(r.press)->click();
    });
    EXPECT_EQ(handler.Show(r.kind, "Error Loading File", r.buttons), r.answer);
  }
}

TEST(QtCommonDialogs, FontChooserTakesFaceStyleSizeAndColour) {
  for (const bool ok : {false, true}) {
    OnNextModal([ok](QWidget* modal) {
      auto* fonts = modal->findChild<QFontDialog*>();
      auto* color = modal->findChild<TColorSampleButton*>();
      ASSERT_TRUE(fonts && color);
      // The regular face, not the family's first.
      EXPECT_EQ(std::tuple(fonts->currentFont().family(), fonts->currentFont().pointSize(),
                           fonts->currentFont().italic(), color->Color()),
                std::tuple(QString("DejaVu Sans"), 8, false, 0x0000FFu));
      QFont font("DejaVu Sans", 12);
      font.setBold(true);
      font.setUnderline(true);
      fonts->setCurrentFont(font);
      color->SetColor(0x00FF00);
      ok ? qobject_cast<QDialog*>(modal)->accept() : qobject_cast<QDialog*>(modal)->reject();
    });
    TFontDesc font;
    font.color = 0x0000FF;
    EXPECT_EQ(PickFont(nullptr, font), ok);
    const TFontDesc want =
        ok ? TFontDesc{"DejaVu Sans", 0x00FF00, fsBold | fsUnderline, 12} : TFontDesc{"DejaVu Sans", 0x0000FF, 0, 8};
    EXPECT_EQ(font, want);
  }
}

TEST(QtCommonDialogs, FileFiltersBecomeQtFilters) {
  const struct {
    const char* filter;
    const char* qt;
  } rows[] = {
      {"Plotix File(*.pxg)|*.pxg", "Plotix File (*.pxg)"},
      {"Bitmap File (*.bmp)|*.bmp|All Files|*.*", "Bitmap File (*.bmp);;All Files (*.*)"},
      {"Text (*.old)|*.txt", "Text (*.txt)"},  // the pattern, not the description, filters
  };
  for (const auto& r : rows) EXPECT_EQ(QtFileFilter(r.filter), r.qt) << r.filter;
}

// Qt reads the system locale once per process, so each row runs in a test process of its
// own started under that locale; it prints what a currency tick label shows.
TEST(QtRegionalSettings, TheSystemLocaleGivesTheCurrencyFormats) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const struct {
    const char* locale;
    const char* amounts;  // 1234.5 and -3 as "Currency Fixed Dec" with 2 decimals
  } rows[] = {
      {"en_US.UTF-8", "$1,234.50 ($3.00)"},        {"de_DE.UTF-8", "1.234,50 € -3,00 €"},
      {"fr_FR.UTF-8", "1\u202F234,50 € (3,00 €)"}, {"nl_NL.UTF-8", "€ 1.234,50 (€ 3,00)"},
      {"pt_BR.UTF-8", "R$ 1.234,50 R$ -3,00"},     {"ja_JP.UTF-8", "￥1,234.50 (￥3.00)"},
  };
  const char* saved = std::getenv("LC_ALL");
  const std::string previous = saved ? saved : "";
  for (const auto& r : rows) {
    setenv("LC_ALL", r.locale, 1);
    EXPECT_EXIT(
        {
          LoadRegionalFromSystem();
          const std::string shown = FormatNumber(nfCurrencyFixedDec, false, false, 2, 1234.5L) + " " +
                                    FormatNumber(nfCurrencyFixedDec, false, false, 2, -3);
          std::fprintf(stderr, "%s shows \"%s\"", r.locale, shown.c_str());
          std::_Exit(shown == r.amounts ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
  }
  saved ? setenv("LC_ALL", previous.c_str(), 1) : unsetenv("LC_ALL");
}

TEST(DialogTitleFit, ALongCaptionWidensItsDialogAndAShortOneLeavesItBe) {
  // Laid out like the program's dialogs: a column that fixes the dialog's size.
  const auto shownWidth = [](const char* title) {
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(new QLabel("Bitmap Width"));
    dialog.setWindowTitle(title);
    dialog.show();
    return dialog.width();
  };
  QFont bold = QApplication::font();
  bold.setBold(true);
  TDialogTitleFit titles;
  for (const char* title : {"Current Window Bitmap Attributes", "Label"}) {
    const int plain = shownWidth(title);
    qApp->installEventFilter(&titles);
    EXPECT_EQ(shownWidth(title), std::max(plain, QFontMetrics(bold).horizontalAdvance(title) + 120)) << title;
    qApp->removeEventFilter(&titles);
  }
}

// A window opens inside the screen's free area, at most as large as it; a maximised one
// stays as it is.
TEST(ScreenFit, WindowsOpenInsideTheFreeArea) {
  const QRect area(0, 0, 640, 512);
  const QMargins frame(4, 30, 4, 4);
  const std::pair<QRect, QRect> rows[] = {
      {{100, 100, 300, 200}, {100, 100, 300, 200}},  // fits: left as it is
      {{0, 0, 2000, 1520}, {4, 30, 632, 478}},       // saved at a smaller scale
      {{500, 400, 300, 200}, {336, 308, 300, 200}},  // over the right and bottom edges
      {{-900, -50, 300, 200}, {4, 30, 300, 200}},    // on a screen that is gone
  };
  for (const auto& [geometry, fitted] : rows) EXPECT_EQ(FitInArea(geometry, frame, area), fitted) << geometry.x();
  TScreenFit fit;
  qApp->installEventFilter(&fit);
  const QRect free = QApplication::primaryScreen()->availableGeometry();
  QWidget plain, maximised;
  for (QWidget* w : {&plain, &maximised}) w->resize(free.size() * 2);
  plain.show();
  maximised.showMaximized();
  QApplication::processEvents();
  qApp->removeEventFilter(&fit);
  EXPECT_TRUE(free.contains(plain.frameGeometry())) << plain.width();
  EXPECT_TRUE(maximised.isMaximized());
}

// Where the window manager leaves no window active after a modal dialog, the window that had
// the focus gets it back, with the field it was in.
TEST(FocusReturn, TheWindowBeforeADialogIsActiveAgain) {
  TFocusReturn focus;
  qApp->installEventFilter(&focus);
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  QLineEdit* fields[] = {new QLineEdit, new QLineEdit};
  for (QLineEdit* field : fields) layout->addWidget(field);
  window.show();
  QApplication::setActiveWindow(&window);
  fields[1]->setFocus();
  {
    QDialog dialog(&window);
    dialog.setModal(true);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    dialog.hide();
    QApplication::setActiveWindow(nullptr);
  }
  QApplication::processEvents();
  qApp->removeEventFilter(&focus);
  EXPECT_EQ(std::tuple(QApplication::activeWindow(), QApplication::focusWidget()),
            std::tuple(&window, static_cast<QWidget*>(fields[1])));
}

}  // namespace
}  // namespace plotix
