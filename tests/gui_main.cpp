// Test entry for the GUI suite: one QApplication on the offscreen platform with the
// pinned test font, so text metrics are the same on every machine.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>

#include "labels/label_dialogs.h"
#include "platform/dialog_service.h"
#include "platform/font_substitutes.h"
#include "window/graph_kinds.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  plotix::InstallFontSubstitutes();
  QApplication::setFont(QFont("DejaVu Sans", 9));
  plotix::RegisterGraphKinds();
  plotix::RegisterLabelDialogs(plotix::Dialogs());
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
