#include "app/fsmain.h"

#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>

#include "expr/calculat.h"
#include "expr/trigdlg.h"

namespace plotix {

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent), MdiArea(new QMdiArea) {
  setWindowTitle(QStringLiteral("Plotix"));
  setCentralWidget(MdiArea);
  resize(800, 600);

  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);

  QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
  tools->addAction(QStringLiteral("Function &Calculator..."), this,
                   &TMainForm::FunctionCalculator1Click);
  QMenu* advanced = tools->addMenu(QStringLiteral("&Advanced Global Settings"));
  advanced->addAction(QStringLiteral("Trigonometry Functions Fix Up..."), this,
                      &TMainForm::TrigFixUp1Click);
}

void TMainForm::FunctionCalculator1Click() { TCaculatorDlg::Execute(this); }

// Graphs are not redrawn here: the setting applies to every later evaluation.
void TMainForm::TrigFixUp1Click() { TTrigFixupSetDlg::Edit(this); }

}  // namespace plotix
