// The main window's part in recovery after a crash: the timed writes of modified graphs
// and the graphs a crashed program left.

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <new>

#include "app/main_window.h"
#include "app/recover_dialog.h"
#include "window/graph_window.h"

namespace plotix {

void TMainForm::StartRecovery(std::unique_ptr<TRecoveryStore> store, std::chrono::milliseconds interval) {
  recovery_ = std::move(store);
  if (!recoveryTimer_) {
    recoveryTimer_ = new QTimer(this);
    connect(recoveryTimer_, &QTimer::timeout, this, &TMainForm::WriteRecovery);
  }
  recoveryTimer_->start(interval);
}

void TMainForm::WriteRecovery() {
  if (!recovery_) return;
  for (QMdiSubWindow* sub : MdiArea->subWindowList()) {
    const auto* window = qobject_cast<const TFuncGraphWindow*>(sub->widget());
    if (!window) continue;
    if (!window->IsModified()) {
      RemoveRecovery(window);
      continue;
    }
    try {
      auto [at, added] = recoverySlots_.try_emplace(window, lastRecoverySlot_ + 1);
      if (added) ++lastRecoverySlot_;
      recovery_->Write(at->second, window->Document().GraphBytes(), QString::fromStdString(window->FileName()),
                       window->windowTitle());
    } catch (const std::bad_alloc&) {
      // The next interval tries again.
    }
  }
}

void TMainForm::RemoveRecovery(const TFuncGraphWindow* window) {
  const auto found = recoverySlots_.find(window);
  if (found == recoverySlots_.end()) return;
  if (recovery_) recovery_->Remove(found->second);
  recoverySlots_.erase(found);
}

void TMainForm::OfferRecovery() {
  if (!recovery_) return;
  const std::vector<TLeftOverGraph> graphs = recovery_->TakeLeftOvers();
  if (!graphs.empty()) {
    std::vector<bool> open;
    switch (TRecoverDlg::Ask(this, graphs, open)) {
      case TRecoverAnswer::Recover: RecoverGraphs(graphs, open); break;
      case TRecoverAnswer::Discard:
        for (const TLeftOverGraph& graph : graphs) recovery_->Delete(graph);
        break;
      case TRecoverAnswer::Later: break;
    }
  }
  recovery_->ReleaseLeftOvers();
}

void TMainForm::RecoverGraphs(const std::vector<TLeftOverGraph>& graphs, const std::vector<bool>& open) {
  for (std::size_t i = 0; i < graphs.size(); ++i) {
    const TLeftOverGraph& graph = graphs[i];
    if (i < open.size() && open[i]) {
      if (windowCount_ >= kMaxGraphWindows) continue;
      TFuncGraphWindow* window = ReadGraphWindow(graph.graphPath.toStdString());
      if (!window) continue;  // the message has told why; the files stay for another try
      if (graph.fileName.isEmpty())
        window->setWindowTitle(graph.caption);
      else
        window->SetFileName(graph.fileName.toStdString());
      window->SetModified(true);
      AddGraphWindow(window);
      // Its own recovery file is written before the old one goes.
      WriteRecovery();
    }
    recovery_->Delete(graph);
  }
}

}  // namespace plotix
