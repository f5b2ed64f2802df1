#include "window/function_list_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <utility>

#include "platform/dialog_controls.h"
#include "platform/limits.h"
#include "platform/message_box.h"
#include "window/graph_window.h"
#include "window/typed_functions.h"

namespace plotix {

TFuncListDlg::TFuncListDlg(std::vector<TBaseFuncObj*> functions, QWidget* parent)
    : TOkCancelDlg(parent, QStringLiteral("Edit Function List"), "cartesian.md#edit-function-list", Qt::Vertical),
      FListBox(new QListWidget),
      SpinButton1(new QWidget),
      ModifyButton(new QPushButton(QStringLiteral("&Modify"))),
      DeleteButton(new QPushButton(QStringLiteral("Delete"))),
      functions_(std::move(functions)),
      window_(GraphHost()),
      host_(window_ ? this : nullptr) {
  FListBox->setMinimumSize(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 48, fontMetrics().height() * 14);
  rows_ = new TOrderedListBox(FListBox, QStringList(int(functions_.size()), QString()));
  rows_->ConfirmDelete = [this](int item) { return ConfirmDelete(item); };
  rows_->Changed = [this] { ShowRows(); };
  ShowRows();
  UpButton = rows_->MoveButton(-1);
  DownButton = rows_->MoveButton(+1);

  auto* spin = new QVBoxLayout(SpinButton1);
  spin->setContentsMargins(0, 0, 0, 0);
  spin->setSpacing(0);
  spin->addWidget(UpButton);
  spin->addWidget(DownButton);

  auto* side = new QVBoxLayout;
  side->addWidget(Buttons);
  side->addSpacing(12);
  side->addWidget(ModifyButton);
  side->addWidget(DeleteButton);
  side->addSpacing(12);
  side->addWidget(SpinButton1, 0, Qt::AlignHCenter);
  side->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(FListBox, 1);
  layout->addLayout(side);

  connect(ModifyButton, &QPushButton::clicked, this, &TFuncListDlg::ModifyClick);
  connect(FListBox, &QListWidget::itemDoubleClicked, this, &TFuncListDlg::ModifyClick);
  connect(DeleteButton, &QPushButton::clicked, this, &TFuncListDlg::DeleteClick);
  FListBox->setFocus();
}

QString TFuncListDlg::What(bool deleted, bool moved, bool modified) {
  if (deleted + moved + modified > 1) return QStringLiteral("Edit Function List");
  return deleted ? QStringLiteral("Delete Function")
         : moved ? QStringLiteral("Move Function")
                 : QStringLiteral("Modify Function");
}

void InsertCompanions(std::vector<std::unique_ptr<TBaseFuncObj>>& functions) {
  bool refused = false;
  for (std::size_t i = 0; i < functions.size(); ++i)
    for (auto& curve : functions[i]->TakeCompanions()) {
      if (functions.size() >= std::size_t(kMaxFunctions)) {
        refused = true;
        continue;
      }
      curve->Style.Color =
          NewFunctionColor([&](TColor color) { return UsesColor(functions, color); }, int(functions.size()));
      functions.insert(functions.begin() + std::ptrdiff_t(++i), std::move(curve));
    }
  if (refused)
    ShowMessage(TMsgKind::Error, "This Window Can Not Accept More Than " + std::to_string(kMaxFunctions) + " Functions",
                TMsgButtons::OK);
}

void TFuncListDlg::ModifyClick() {
  const int item = rows_->CurrentItem();
  if (item < 0) return;
  TBaseFuncObj& f = *functions_[std::size_t(item)];
  const std::string name = f.Name;
  if (!f.ModifyDialog()) return;
  if (f.Name != name) {
    // The others call it by its new name.
    std::vector<std::string> callNames;
    for (TBaseFuncObj* other : functions_)
      if (other->Callable()) callNames.push_back(other == &f ? name : other->Name);
    for (TBaseFuncObj* other : functions_)
      if (other != &f) other->FunctionRenamed(callNames, name, f.Name);
  }
  modified_ = true;
  ShowRows();
}

std::vector<const TBaseFuncObj*> TFuncListDlg::Functions() const {
  std::vector<const TBaseFuncObj*> shown;
  for (const int item : rows_->Order()) shown.push_back(functions_[std::size_t(item)]);
  return shown;
}

const TParameterList& TFuncListDlg::Parameters() const {
  static const TParameterList none;
  return window_ ? window_->Parameters() : none;
}

void TFuncListDlg::AddParameter(const TParameter& parameter) {
  if (window_) window_->AddParameter(parameter);
}

void TFuncListDlg::ShowRows() {
  if (window_) {
    TGraphScope scope(Parameters());
    for (const int item : rows_->Order())
      if (TMathGraphFunc* callable = functions_[std::size_t(item)]->Callable())
        scope.AddCallable(functions_[std::size_t(item)]->Name, *callable);
    for (const int item : rows_->Order()) functions_[std::size_t(item)]->UseNames(scope);
  }
  for (int row = 0; row < FListBox->count(); ++row) {
    const TBaseFuncObj* f = functions_[std::size_t(rows_->Order()[std::size_t(row)])];
    std::string text = f->GetDescription();
    if (const std::string error = f->ErrorText(); !error.empty()) text += "   (" + error + ")";
    FListBox->item(row)->setText(QString::fromStdString(text));
  }
}

bool TFuncListDlg::ConfirmDelete(int item) {
  return !window_ || ConfirmFunctionDelete(*functions_[std::size_t(item)], Functions(), Parameters());
}

}  // namespace plotix
