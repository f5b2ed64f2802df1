#pragma once
// TValueTableDlg: "Table of Values", the values of the graph's y = f(x) functions for x in
// even steps, a column per chosen function, to copy or to save as a CSV file.

#include <QDialog>
#include <vector>

#include "cartesian/value_table.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTableView;

namespace plotix {

class TEditMathConst;
class TFunc2DWindow;
class TValueTableModel;

class TValueTableDlg : public QDialog {
  Q_OBJECT

 public:
  // The graph's functions all chosen, x over the visible range in a round step.
  explicit TValueTableDlg(const TFunc2DWindow& graph, QWidget* parent = nullptr);
  ~TValueTableDlg() override;

  // The table for the fields and the chosen functions, or what is wrong with them.
  void Calculate();
  void CopyTable();
  // Asks for a file and writes the table there as CSV; false when nothing was written.
  bool SaveCsv();
  const TValueTable& Table() const { return table_; }

  TEditMathConst* EFrom;
  TEditMathConst* ETo;
  TEditMathConst* EStep;
  QListWidget* Functions;
  QTableView* View;
  QLabel* Note;
  QPushButton* BCalculate;
  QPushButton* BCopy;
  QPushButton* BSave;

 private:
  const TGraph2DDoc& doc_;
  std::vector<int> functions_;  // the graph's list indexes of the rows of Functions
  TValueTable table_;
  TValueTableModel* model_;
};

}  // namespace plotix
