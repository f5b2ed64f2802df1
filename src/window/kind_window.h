#pragma once
// The graph window of a kind with a view, settings and a function list (TKindDoc): what
// every such window does the same way, through the document's own operations.

#include <memory>

#include "window/function_list_dialog.h"
#include "window/graph_window.h"

namespace plotix {

// TDoc: the kind's document; TSettingsDlg and TViewDlg: its dialogs, each with a static
// Edit(QWidget* parent, T& value) that is true when OK stored a change.
template <class TDoc, class TSettingsDlg, class TViewDlg>
class TKindWindow : public TFuncGraphWindow {
 public:
  using TView = typename TDoc::TView;
  using TFunc = typename TDoc::TFunc;

  explicit TKindWindow(QWidget* parent) : TFuncGraphWindow(std::make_unique<TDoc>(), parent) {}

  const TDoc& Doc() const { return static_cast<const TDoc&>(Document()); }

  // The settings dialog; the graph redraws with what OK stored.
  bool EditGraphSettings() override {
    LeaveMode();
    typename TDoc::TSettings settings = Doc().Settings();
    if (!TSettingsDlg::Edit(this, settings)) return false;
    SetSettings(std::move(settings));
    return true;
  }
  // New settings; the graph redraws.
  void SetSettings(typename TDoc::TSettings settings) {
    MutableDoc().SetSettings(std::move(settings));
    RenderGraph();
  }

  // The view dialog; OK stores the view and redraws.
  void ChangeView() {
    TView view = Doc().View();
    if (!TViewDlg::Edit(this, view)) return;
    MutableDoc().SetView(view);
    RenderGraph();
  }

  // A new view; the graph redraws when it differs.
  void SetView(const TView& view) {
    if (view == Doc().View()) return;
    MutableDoc().SetView(view);
    RenderGraph();
  }

  // The add dialog on a new function with the first free colour; on OK it is appended
  // and the graph redraws. Refused at the window's function limit.
  bool AddFunction(std::unique_ptr<TFunc> function) {
    if (!CheckFunctionLimit(Doc().Functions().size())) return false;
    if (!function->NewDialog(ChooseNewFunctionColor(int(Doc().Functions().size())))) return false;
    AppendFunction(std::move(function));
    return true;
  }
  // A function at the end of the list; the graph redraws.
  void AppendFunction(std::unique_ptr<TFunc> function) {
    MutableDoc().AddFunction(std::move(function));
    RenderGraph();
  }

  // The function list dialog; the graph redraws when anything changed.
  void EditFunctionList() {
    if (auto functions = TFuncListDlg::Edit(this, Doc().Functions())) SetFunctions(std::move(*functions));
  }
  // A whole new function list; the graph redraws.
  void SetFunctions(TFuncList<TFunc> functions) {
    MutableDoc().SetFunctions(std::move(functions));
    RenderGraph();
  }

 protected:
  TDoc& MutableDoc() { return static_cast<TDoc&>(MutableDocument()); }
};

}  // namespace plotix
