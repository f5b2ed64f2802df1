#pragma once
// The steps of a graph window's history ("&Undo" and "&Redo"): each holds what its change
// changed, never a copy of the whole graph, and makes its change through the document's
// own operations. Label steps live here; the kinds' function and settings steps beside
// the window template (kind_window.h).

#include <QUndoCommand>
#include <memory>
#include <utility>
#include <vector>

#include "labels/label_list.h"

namespace plotix {

class TFuncGraphWindow;
class TGraphDoc;

class TGraphStep : public QUndoCommand {
 public:
  TGraphStep(TFuncGraphWindow& window, const QString& text) : QUndoCommand(text), window_(window) {}

  // The change was made already (a mouse gesture, a dialog): pushing the step does not
  // make it again.
  void MarkDone() { done_ = true; }

  void undo() final;
  void redo() final;

 protected:
  virtual void Undo() = 0;
  virtual void Redo() = 0;
  // The window's document, changed by the step.
  TGraphDoc& Document();
  // The labels shown anew after a change of the list.
  void ShowLabels();
  TFuncGraphWindow& window_;

 private:
  bool done_ = false;
};

// One label: absent (null) or as it was before, and absent or as it is after.
class TLabelChangeStep : public TGraphStep {
 public:
  TLabelChangeStep(TFuncGraphWindow& window, const QString& text, int index, std::unique_ptr<TDrawBaseClass> before,
                   std::unique_ptr<TDrawBaseClass> after);

 protected:
  void Undo() override { Show(before_, after_); }
  void Redo() override { Show(after_, before_); }

 private:
  // The label at the index becomes `wanted`; `shown` is what is there now.
  void Show(const std::unique_ptr<TDrawBaseClass>& wanted, const std::unique_ptr<TDrawBaseClass>& shown);
  int index_;
  std::unique_ptr<TDrawBaseClass> before_, after_;
};

// A label to another place in the list.
class TLabelMoveStep : public TGraphStep {
 public:
  TLabelMoveStep(TFuncGraphWindow& window, const QString& text, int from, int to)
      : TGraphStep(window, text), from_(from), to_(to) {}

 protected:
  void Undo() override;
  void Redo() override;

 private:
  int from_, to_;
};

// Labels gone from the list, each with its index before.
class TLabelsRemovedStep : public TGraphStep {
 public:
  TLabelsRemovedStep(TFuncGraphWindow& window, const QString& text, std::vector<int> indexes);

 protected:
  void Undo() override;
  void Redo() override;

 private:
  std::vector<int> indexes_;  // ascending
  TLabelList held_;           // the removed labels while they are out
};

// A whole new label list: the one not in the graph is held.
class TLabelListStep : public TGraphStep {
 public:
  TLabelListStep(TFuncGraphWindow& window, const QString& text, TLabelList labels)
      : TGraphStep(window, text), held_(std::move(labels)) {}

 protected:
  void Undo() override { Swap(); }
  void Redo() override { Swap(); }

 private:
  void Swap();
  TLabelList held_;
};

}  // namespace plotix
