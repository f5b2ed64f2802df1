#include "cartesian/value_table_dialog.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSaveFile>
#include <QTableView>
#include <QVBoxLayout>
#include <cmath>

#include "cartesian/cartesian_window.h"
#include "expr/math_const_edit.h"
#include "expr/number_format.h"
#include "platform/common_dialogs.h"
#include "platform/dialog_controls.h"
#include "platform/message_box.h"
#include "platform/regional_settings.h"

namespace plotix {

// The table for the view: built on demand, so a hundred thousand rows cost nothing until shown.
class TValueTableModel : public QAbstractTableModel {
 public:
  TValueTableModel(const TValueTable& table, const TFunc2DWindow& graph) : table_(table), graph_(graph) {}
  void Reset() {
    beginResetModel();
    endResetModel();
  }
  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : int(table_.xs.size()); }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : int(table_.headers.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole) return {};
    const std::size_t r = std::size_t(index.row());
    const int digits = graph_.Settings().digitsShown;
    if (index.column() == 0) return QString::fromStdString(ReadoutText(table_.xs[r], digits));
    const auto& cell = table_.columns[std::size_t(index.column() - 1)][r];
    return cell ? QString::fromStdString(ReadoutText(*cell, digits)) : QString();
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    return QString::fromStdString(table_.headers[std::size_t(section)]);
  }

 private:
  const TValueTable& table_;
  const TFunc2DWindow& graph_;
};

TValueTableDlg::TValueTableDlg(const TFunc2DWindow& graph, QWidget* parent)
    : QDialog(parent),
      EFrom(new TEditMathConst),
      ETo(new TEditMathConst),
      EStep(new TEditMathConst),
      Functions(new QListWidget),
      View(new QTableView),
      Note(new QLabel),
      BCalculate(new QPushButton(QStringLiteral("C&alculate"))),
      BCopy(new QPushButton(QStringLiteral("&Copy"))),
      BSave(new QPushButton(QStringLiteral("&Save as CSV..."))),
      doc_(graph.Doc()),
      model_(new TValueTableModel(table_, graph)) {
  setWindowTitle(QStringLiteral("Table of Values"));
  EFrom->Check().SetBoundField("x From", false);
  ETo->Check().SetBoundField("x To", false);
  EStep->Check().SetBoundField("Step", false);
  // The visible range in a round step, about twenty rows.
  const TMapping2D map(doc_.View(), graph.BitmapWidth(), graph.BitmapHeight());
  const Extended left = map.XOfCol(0), right = map.XOfCol(map.width - 1);
  Extended step = std::pow(10.0L, std::floor(std::log10((right - left) / 20)));
  for (const int k : {2, 5, 10})
    if ((right - left) / step > 25) step = std::pow(10.0L, std::floor(std::log10((right - left) / 20))) * k;
  const auto text = [](Extended v) { return QString::fromStdString(ReadoutText(v, kDefaultDigitsShown)); };
  EFrom->setText(text(std::ceil(left / step) * step));
  ETo->setText(text(std::floor(right / step) * step));
  EStep->setText(text(step));

  for (const int i : TableFunctions(doc_)) {
    functions_.push_back(i);
    auto* item = new QListWidgetItem(QString::fromStdString(doc_.Functions()[std::size_t(i)]->GetDescription()));
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
    Functions->addItem(item);
  }
  Functions->setMaximumHeight(fontMetrics().height() * 6);
  View->setModel(model_);
  View->verticalHeader()->hide();
  View->setMinimumSize(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 72, fontMetrics().height() * 16);
  View->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(View, &QWidget::customContextMenuRequested, this, [this, &graph](const QPoint& at) {
    QMenu menu;
    menu.addAction(QStringLiteral("&Copy"), this, &TValueTableDlg::CopyTable);
    graph.AddDigitsShownMenu(&menu);
    menu.exec(View->viewport()->mapToGlobal(at));
  });
  connect(&graph, &TFuncGraphWindow::ProgramSettingsChanged, this, [this] {
    model_->Reset();
    View->resizeColumnsToContents();
  });

  auto* range = new QHBoxLayout;
  for (auto [label, field] : {std::pair("x &From", EFrom), std::pair("&To", ETo), std::pair("&Step", EStep)}) {
    auto* caption = new QLabel(QString::fromUtf8(label));
    caption->setBuddy(field);
    range->addWidget(caption);
    range->addWidget(field, 1);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  buttons->addButton(BCalculate, QDialogButtonBox::ActionRole);
  buttons->addButton(BCopy, QDialogButtonBox::ActionRole);
  buttons->addButton(BSave, QDialogButtonBox::ActionRole);
  AddHelpButton(this, buttons, "analysis.md#table-of-values");
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(range);
  layout->addWidget(new QLabel(QStringLiteral("Functions")));
  layout->addWidget(Functions);
  layout->addWidget(View, 1);
  layout->addWidget(Note);
  layout->addWidget(buttons);
  BCalculate->setDefault(true);
  connect(BCalculate, &QPushButton::clicked, this, &TValueTableDlg::Calculate);
  connect(BCopy, &QPushButton::clicked, this, &TValueTableDlg::CopyTable);
  connect(BSave, &QPushButton::clicked, this, &TValueTableDlg::SaveCsv);
  connect(Functions, &QListWidget::itemChanged, this, &TValueTableDlg::Calculate);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  Calculate();
}

TValueTableDlg::~TValueTableDlg() { delete model_; }

void TValueTableDlg::Calculate() {
  Note->clear();
  for (TEditMathConst* field : {EFrom, ETo, EStep})
    if (!field->Validate()) {
      table_ = {};
      model_->Reset();
      Note->setText(QString::fromStdString(field->ErrorText()));
      return;
    }
  std::vector<int> chosen;
  for (int row = 0; row < Functions->count(); ++row)
    if (Functions->item(row)->checkState() == Qt::Checked) chosen.push_back(functions_[std::size_t(row)]);
  std::string error;
  if (!MakeValueTable(doc_, chosen, EFrom->Value(), ETo->Value(), EStep->Value(), table_, error))
    Note->setText(QString::fromStdString(error));
  model_->Reset();
  View->resizeColumnsToContents();
}

void TValueTableDlg::CopyTable() {
  QApplication::clipboard()->setText(QString::fromStdString(ValueTableText(table_, '\t', '.')));
}

bool TValueTableDlg::SaveCsv() {
  std::string name;
  if (!PickSaveFile(this, "Save Table of Values", "CSV Files (*.csv)|*.csv", "csv", name) || name.empty()) return false;
  const char decimal = Regional().decimalSeparator;
  const std::string text = ValueTableText(table_, CsvSeparator(decimal), decimal);
  QSaveFile file(QString::fromStdString(name));
  if (file.open(QIODevice::WriteOnly) && file.write(text.data(), qint64(text.size())) == qint64(text.size()) &&
      file.commit())
    return true;
  ShowMessage(TMsgKind::Error, "Error Writing To File", TMsgButtons::OK);
  return false;
}

}  // namespace plotix
