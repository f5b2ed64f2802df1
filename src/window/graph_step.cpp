#include "window/graph_step.h"

#include "window/graph_window.h"

namespace plotix {

// A step on its way in or out ends any label operation in progress first: a selection's
// markers or a rubber band would otherwise stay on a label that is no longer there.
void TGraphStep::undo() {
  window_.LeaveMode();
  Undo();
}

void TGraphStep::redo() {
  if (std::exchange(done_, false)) return;
  window_.LeaveMode();
  Redo();
}

TGraphDoc& TGraphStep::Document() { return *window_.document_; }

void TGraphStep::ShowLabels() { window_.RedrawLabels(); }

TLabelChangeStep::TLabelChangeStep(TFuncGraphWindow& window, const QString& text, int index,
                                   std::unique_ptr<TDrawBaseClass> before, std::unique_ptr<TDrawBaseClass> after)
    : TGraphStep(window, text), index_(index), before_(std::move(before)), after_(std::move(after)) {}

void TLabelChangeStep::Show(const std::unique_ptr<TDrawBaseClass>& wanted,
                            const std::unique_ptr<TDrawBaseClass>& shown) {
  if (wanted && shown)
    Document().ReplaceLabel(index_, wanted->Clone());
  else if (wanted)
    Document().InsertLabel(index_, wanted->Clone());
  else
    Document().TakeLabel(index_);
  ShowLabels();
}

void TLabelMoveStep::Undo() {
  Document().MoveLabel(to_, from_);
  ShowLabels();
}

void TLabelMoveStep::Redo() {
  Document().MoveLabel(from_, to_);
  ShowLabels();
}

TLabelsRemovedStep::TLabelsRemovedStep(TFuncGraphWindow& window, const QString& text, std::vector<int> indexes)
    : TGraphStep(window, text), indexes_(std::move(indexes)) {}

void TLabelsRemovedStep::Undo() {
  for (std::size_t i = 0; i < indexes_.size(); ++i) Document().InsertLabel(indexes_[i], std::move(held_[i]));
  held_.clear();
  ShowLabels();
}

void TLabelsRemovedStep::Redo() {
  held_.resize(indexes_.size());
  for (std::size_t i = indexes_.size(); i-- > 0;) held_[i] = Document().TakeLabel(indexes_[i]);
  ShowLabels();
}

void TLabelListStep::Swap() {
  held_ = Document().SetLabels(std::move(held_));
  ShowLabels();
}

}  // namespace plotix
