#pragma once
// TMainForm: the main window of Plotix.

#include <QMainWindow>

class QMdiArea;

namespace plotix {

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainForm(QWidget* parent = nullptr);

  QMdiArea* MdiArea;

 private:
  void FunctionCalculator1Click();
  void TrigFixUp1Click();
};

}  // namespace plotix
