#include "app/parameter_panel.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "expr/math_const_edit.h"
#include "expr/number_format.h"
#include "platform/message_box.h"
#include "window/graph_window.h"

namespace plotix {

namespace {

constexpr int kPlayTicks = 100;  // a run through the range and back, 40 ms apart: 4 s
constexpr int kPlayTickMs = 40;

// The fields of the dialog hold every digit, so that OK keeps the values as they are.
QString ValueText(Extended value) { return QString::fromStdString(ReadoutText(value)); }

int SliderPosition(const TParameter& p) {
  const Extended steps = std::round((p.Value - p.From) / p.Step);
  return int(std::clamp<Extended>(steps, 0, ParameterSteps(p)));
}

bool SameRanges(const TParameterList& a, const TParameterList& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const TParameter& x, const TParameter& y) {
    return x.Name == y.Name && x.From == y.From && x.To == y.To && x.Step == y.Step;
  });
}

}  // namespace

// ---- TParameterDlg -------------------------------------------------------------

TParameterDlg::TParameterDlg(TParameter& parameter, TParameterList others, std::vector<std::string> functions,
                             bool addMode, bool used, QWidget* parent)
    : TOkCancelDlg(parent, addMode ? QStringLiteral("Add Parameter") : QStringLiteral("Modify Parameter"),
                   "parameters.md#add-parameter-and-modify-parameter"),
      EName(new QLineEdit),
      EValue(new TEditMathConst),
      EFrom(new TEditMathConst),
      ETo(new TEditMathConst),
      EStep(new TEditMathConst),
      parameter_(parameter),
      others_(std::move(others)),
      functions_(std::move(functions)),
      used_(used) {
  const std::pair<TEditMathConst*, const char*> fields[] = {
      {EValue, "Value"}, {EFrom, "From"}, {ETo, "To"}, {EStep, "Step"}};
  for (const auto& [field, name] : fields) field->Check().SetBoundField(name, false);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Name"), EName);
  form->addRow(QStringLiteral("&Value"), EValue);
  form->addRow(QStringLiteral("&From"), EFrom);
  form->addRow(QStringLiteral("&To"), ETo);
  form->addRow(QStringLiteral("&Step"), EStep);
  LayOut({form});
  EName->setText(QString::fromStdString(parameter.Name));
  EValue->setText(ValueText(parameter.Value));
  EFrom->setText(ValueText(parameter.From));
  ETo->setText(ValueText(parameter.To));
  EStep->setText(ValueText(parameter.Step));
  FocusField(addMode ? static_cast<QWidget*>(EName) : EValue);
}

void TParameterDlg::accept() {
  TParameter p;
  p.Name = EName->text().toStdString();
  std::string nameError = NameError(p.Name, "Parameter", functions_, others_);
  if (nameError.empty() && used_ && p.Name != parameter_.Name)
    nameError = "Parameter " + parameter_.Name + " Is Used In A Definition And Can Not Be Renamed";
  if (!nameError.empty()) {
    ShowMessage(TMsgKind::Error, nameError, TMsgButtons::OK);
    FocusField(EName);
    return;
  }
  for (TEditMathConst* field : {EValue, EFrom, ETo, EStep})
    if (!field->ValidateOrComplain()) return;
  p.Value = EValue->Value();
  p.From = EFrom->Value();
  p.To = ETo->Value();
  p.Step = EStep->Value();
  if (const std::string error = ParameterRangeError(p); !error.empty()) {
    ShowMessage(TMsgKind::Error, "Error: " + error, TMsgButtons::OK);
    FocusField(p.From < p.To ? EStep : ETo);
    return;
  }
  parameter_ = p;
  QDialog::accept();
}

// ---- TParameterPanel -----------------------------------------------------------

TParameterPanel::TParameterPanel(QWidget* parent)
    : QWidget(parent), grid_(new QGridLayout), hint_(new QLabel), add_(new QToolButton) {
  add_->setText(QStringLiteral("Add Parameter..."));
  add_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  connect(add_, &QToolButton::clicked, this, &TParameterPanel::Add);
  hint_->setWordWrap(true);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid_);
  layout->addWidget(hint_);
  layout->addWidget(add_, 0, Qt::AlignLeft);
  layout->addStretch();
  playTimer_.setInterval(kPlayTickMs);
  connect(&playTimer_, &QTimer::timeout, this, &TParameterPanel::PlayTick);
  Rebuild();
}

void TParameterPanel::FollowGraph(TFuncGraphWindow* window) {
  if (window == window_) return;
  StopPlay(true);
  if (window_) disconnect(window_, nullptr, this, nullptr);
  window_ = window;
  if (window_) {
    connect(window_, &TFuncGraphWindow::ParametersChanged, this, &TParameterPanel::Refresh);
    connect(window_, &TFuncGraphWindow::ProgramSettingsChanged, this, &TParameterPanel::ShowValues);
  }
  Rebuild();
}

void TParameterPanel::Refresh() {
  if (window_ && SameRanges(window_->Parameters(), shown_))
    ShowValues();
  else
    Rebuild();
}

void TParameterPanel::Rebuild() {
  StopPlay(false);
  for (const TRow& row : rows_)
    for (QWidget* w : std::initializer_list<QWidget*>{row.name, row.slider, row.value, row.play, row.edit, row.remove})
      delete w;
  rows_.clear();
  const bool usable = window_ && window_->UsesParameters();
  shown_ = usable ? window_->Parameters() : TParameterList();
  hint_->setText(!window_         ? QStringLiteral("No graph window is open.")
                 : !usable        ? QStringLiteral("This kind of graph has no parameters.")
                 : shown_.empty() ? QStringLiteral("Use a new name in a definition, or add a parameter here.")
                                  : QString());
  hint_->setVisible(!hint_->text().isEmpty());
  add_->setEnabled(usable && shown_.size() < std::size_t(kMaxParameters));
  for (std::size_t i = 0; i < shown_.size(); ++i) {
    const int index = int(i);
    TRow row{new QLabel(QString::fromStdString(shown_[i].Name)),
             new QSlider(Qt::Horizontal),
             new TEditMathConst,
             new QToolButton,
             new QToolButton,
             new QToolButton};
    row.slider->setRange(0, ParameterSteps(shown_[i]));
    row.slider->setMinimumWidth(120);
    row.value->setMaximumWidth(row.value->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 12);
    row.value->Check().SetBoundField(shown_[i].Name, false);
    row.play->setText(QStringLiteral("▶"));
    row.play->setCheckable(true);
    row.play->setToolTip(QStringLiteral("Run through the range and back"));
    row.edit->setText(QStringLiteral("..."));
    row.edit->setToolTip(QStringLiteral("Modify Parameter"));
    row.remove->setText(QStringLiteral("✕"));
    row.remove->setToolTip(QStringLiteral("Delete Parameter"));
    connect(row.slider, &QSlider::valueChanged, this, [this, index] { SliderMoved(index); });
    connect(row.slider, &QSlider::sliderReleased, this, [this] { Commit(QStringLiteral("Change Parameter")); });
    connect(row.value, &QLineEdit::returnPressed, this, [this, index] { ValueTyped(index); });
    connect(row.play, &QToolButton::clicked, this, [this, index] { TogglePlay(index); });
    connect(row.edit, &QToolButton::clicked, this, [this, index] { Edit(index); });
    connect(row.remove, &QToolButton::clicked, this, [this, index] { Remove(index); });
    int column = 0;
    for (QWidget* w : std::initializer_list<QWidget*>{row.name, row.slider, row.value, row.play, row.edit, row.remove})
      grid_->addWidget(w, index, column++);
    rows_.push_back(row);
  }
  grid_->setColumnStretch(1, 1);
  ShowValues();
}

void TParameterPanel::ShowValues() {
  if (!window_) return;
  const TParameterList& list = window_->Parameters();
  for (std::size_t i = 0; i < rows_.size() && i < list.size(); ++i) {
    const QSignalBlocker block(rows_[i].slider);
    rows_[i].slider->setValue(SliderPosition(list[i]));
    // The value as it is, but not over what the user is typing; a long one shows its start.
    TEditMathConst* field = rows_[i].value;
    if (field->hasFocus() && field->isModified()) continue;
    field->setText(QString::fromStdString(ReadoutText(list[i].Value, window_->Settings().digitsShown)));
    field->setCursorPosition(0);
  }
}

// A change ends: the window's list as it now is becomes one step.
void TParameterPanel::Commit(const QString& what) {
  if (window_) window_->SetParameters(window_->Parameters(), what);
}

void TParameterPanel::SliderMoved(int index) {
  if (!window_) return;
  const TParameter& p = window_->Parameters()[std::size_t(index)];
  window_->PreviewParameter(index, ParameterValueAt(p, rows_[std::size_t(index)].slider->value()));
  if (!rows_[std::size_t(index)].slider->isSliderDown()) Commit(QStringLiteral("Change Parameter"));  // a key
}

void TParameterPanel::ValueTyped(int index) {
  TEditMathConst* field = rows_[std::size_t(index)].value;
  // Enter on the value as shown keeps the value: the text may be rounded.
  if (!window_ || !field->isModified() || !field->ValidateOrComplain()) return;
  field->setModified(false);
  TParameterList list = window_->Parameters();
  list[std::size_t(index)].Value = field->Value();
  window_->SetParameters(list, QStringLiteral("Change Parameter"));
}

void TParameterPanel::TogglePlay(int index) {
  const bool start = playing_ != index;
  StopPlay(true);
  if (!start || !window_) return;
  playing_ = index;
  playTick_ = 0;
  playStart_ = window_->Parameters()[std::size_t(index)].Value;
  rows_[std::size_t(index)].play->setChecked(true);
  playTimer_.start();
}

// The value runs from From to To and back, evenly in time, and ends where it began; a run
// stopped on the way keeps the value it reached.
void TParameterPanel::PlayTick() {
  if (playing_ < 0 || !window_) return;
  const TParameter& p = window_->Parameters()[std::size_t(playing_)];
  ++playTick_;
  const Extended half = kPlayTicks / 2;
  const Extended phase = playTick_ <= half ? playTick_ / half : (kPlayTicks - playTick_) / half;
  window_->PreviewParameter(playing_, playTick_ >= kPlayTicks ? playStart_ : p.From + (p.To - p.From) * phase);
  if (playTick_ >= kPlayTicks) StopPlay(true);
}

void TParameterPanel::StopPlay(bool commit) {
  if (playing_ < 0) return;
  playTimer_.stop();
  if (std::size_t(playing_) < rows_.size()) rows_[std::size_t(playing_)].play->setChecked(false);
  playing_ = -1;
  if (commit) Commit(QStringLiteral("Run Parameter"));
}

void TParameterPanel::Edit(int index) {
  if (!window_) return;
  TParameterList list = window_->Parameters();
  TParameter p = list[std::size_t(index)];
  TParameterList others = list;
  others.erase(others.begin() + index);
  if (!RunModal<TParameterDlg>(this, p, others, window_->FunctionNames(), false, window_->ParameterInUse(index)))
    return;
  list[std::size_t(index)] = p;
  window_->SetParameters(list, QStringLiteral("Modify Parameter"));
}

void TParameterPanel::Remove(int index) {
  if (!window_) return;
  TParameterList list = window_->Parameters();
  const std::string name = list[std::size_t(index)].Name;
  if (window_->ParameterInUse(index)) {
    ShowMessage(TMsgKind::Error, "Parameter " + name + " Is Used In A Definition And Can Not Be Deleted",
                TMsgButtons::OK);
    return;
  }
  list.erase(list.begin() + index);
  window_->SetParameters(list, QStringLiteral("Delete Parameter"));
}

void TParameterPanel::Add() {
  if (!window_) return;
  TParameter p;
  if (!RunModal<TParameterDlg>(this, p, window_->Parameters(), window_->FunctionNames(), true)) return;
  TParameterList list = window_->Parameters();
  list.push_back(p);
  window_->SetParameters(list, QStringLiteral("Add Parameter"));
}

}  // namespace plotix
