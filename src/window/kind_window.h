#pragma once
// The graph window of a kind with a view, settings and a function list (TKindDoc): what
// every such window does the same way, through the document's own operations, each change
// of its settings or functions one step of the window's history.

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

#include "platform/dialog_controls.h"
#include "window/function_list_dialog.h"
#include "window/graph_step.h"
#include "window/graph_window.h"

namespace plotix {

// The settings before and after a change.
template <class TDoc>
class TSettingsStep : public TGraphStep {
 public:
  using TSettings = typename TDoc::TSettings;
  TSettingsStep(TFuncGraphWindow& window, TSettings before, TSettings after)
      : TGraphStep(window, QStringLiteral("Change Graph Settings")),
        before_(std::move(before)),
        after_(std::move(after)) {}

 protected:
  void Undo() override { Show(before_); }
  void Redo() override { Show(after_); }

 private:
  void Show(const TSettings& settings) {
    static_cast<TDoc&>(Document()).SetSettings(settings);
    window_.RenderGraph();
  }
  TSettings before_, after_;
};

// A function appended to the list; held while it is taken back.
template <class TDoc>
class TFunctionAddedStep : public TGraphStep {
 public:
  using TFunc = typename TDoc::TFunc;
  TFunctionAddedStep(TFuncGraphWindow& window, std::unique_ptr<TFunc> function)
      : TGraphStep(window, QString::fromStdString("Add " + function->KindName())), held_(std::move(function)) {}

 protected:
  void Undo() override {
    held_ = static_cast<TDoc&>(Document()).TakeLastFunction();
    window_.RenderGraph();
  }
  void Redo() override {
    static_cast<TDoc&>(Document()).AddFunction(std::move(held_));
    window_.RenderGraph();
  }

 private:
  std::unique_ptr<TFunc> held_;
};

// A whole new function list: the one not in the graph is held.
template <class TDoc>
class TFunctionListStep : public TGraphStep {
 public:
  using TFunc = typename TDoc::TFunc;
  TFunctionListStep(TFuncGraphWindow& window, const QString& text, TFuncList<TFunc> functions)
      : TGraphStep(window, text), held_(std::move(functions)) {}

 protected:
  void Undo() override { Swap(); }
  void Redo() override { Swap(); }

 private:
  void Swap() {
    held_ = static_cast<TDoc&>(Document()).SetFunctions(std::move(held_));
    window_.RenderGraph();
  }
  TFuncList<TFunc> held_;
};

// The parameters before and after a change.
template <class TDoc>
class TParametersStep : public TGraphStep {
 public:
  TParametersStep(TFuncGraphWindow& window, const QString& text, TParameterList before, TParameterList after)
      : TGraphStep(window, text), before_(std::move(before)), after_(std::move(after)) {}

 protected:
  void Undo() override { Show(before_); }
  void Redo() override { Show(after_); }

 private:
  void Show(const TParameterList& parameters) {
    static_cast<TDoc&>(Document()).SetParameters(parameters);
    emit window_.ParametersChanged(&window_);
    window_.RenderGraph();
  }
  TParameterList before_, after_;
};

// TDoc: the kind's document; TSettingsDlg and TViewDlg: its dialogs, each made of the value
// it edits and the parent.
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
    if (!RunModal<TSettingsDlg>(this, settings)) return false;
    SetSettings(std::move(settings));
    return true;
  }
  // New settings, one step; the graph redraws.
  void SetSettings(typename TDoc::TSettings settings) {
    LeaveMode();
    Record(new TSettingsStep<TDoc>(*this, Doc().Settings(), std::move(settings)));
  }

  // The view dialog; OK stores the view and redraws.
  void ChangeView() {
    TView view = Doc().View();
    if (!RunModal<TViewDlg>(this, view)) return;
    ShowView(view);
  }

  // A new view; the graph redraws when it differs. Views are no steps of the history, but
  // the file holds them: the graph counts as modified.
  void SetView(const TView& view) {
    if (view != Doc().View()) ShowView(view);
  }

  // The add dialog on a new function with the first free colour; on OK it is appended
  // and the graph redraws. Refused at the window's function limit.
  bool AddFunction(std::unique_ptr<TFunc> function) {
    if (!CheckFunctionLimit(Doc().Functions().size())) return false;
    TDialogHost host(*this);
    if (UsesParameters()) function->Name = FreeFunctionName(Doc().FunctionNames(), Doc().Parameters());
    if (!function->NewDialog(ChooseNewFunctionColor(int(Doc().Functions().size())))) return false;
    host.Keep();
    // The curves its dialog asked for come right after it, in the same step.
    TFuncList<TFunc> functions = CloneFunctions(Doc().Functions());
    const std::string added = function->KindName();
    functions.push_back(std::move(function));
    InsertCompanions(functions);
    if (functions.size() == Doc().Functions().size() + 1)
      AppendFunction(std::move(functions.back()));
    else
      SetFunctions(std::move(functions), QString::fromStdString("Add " + added + " And Its Curves"));
    return true;
  }
  // A function at the end of the list, one step; the graph redraws.
  void AppendFunction(std::unique_ptr<TFunc> function) {
    LeaveMode();
    Record(new TFunctionAddedStep<TDoc>(*this, std::move(function)));
  }

  // The function list dialog; the graph redraws when anything changed.
  void EditFunctionList() {
    TDialogHost host(*this);
    if (auto edited = TFuncListDlg::Edit(this, Doc().Functions())) {
      host.Keep();
      SetFunctions(std::move(edited->functions), edited->what);
    }
  }
  // A whole new function list, one step; the graph redraws.
  void SetFunctions(TFuncList<TFunc> functions, const QString& what = QStringLiteral("Edit Function List")) {
    LeaveMode();
    Record(new TFunctionListStep<TDoc>(*this, what, std::move(functions)));
  }

  bool UsesParameters() const override { return Doc().UsesParameters(); }
  const TParameterList& Parameters() const override { return Doc().Parameters(); }
  void SetParameters(const TParameterList& parameters, const QString& what) override {
    LeaveMode();
    // A preview changed the document already; the step starts from what it was before.
    const TParameterList before = previewed_ ? *previewed_ : Doc().Parameters();
    previewed_.reset();
    if (before == parameters && Doc().Parameters() == parameters) return;  // nothing changed
    Record(new TParametersStep<TDoc>(*this, what, before, parameters));
  }
  bool ParameterInUse(int index) const override {
    return !FunctionsUsing(Functions(), Doc().Parameters(), nullptr, index).empty();
  }
  std::vector<std::string> FunctionNames() const override { return Doc().FunctionNames(); }
  std::unique_ptr<TGraphScope> GraphScope() const override { return CopiedScope(Functions(), Parameters()); }
  void PreviewParameter(int index, Extended value) override {
    if (!previewed_) previewed_ = Doc().Parameters();
    TParameterList shown = Doc().Parameters();
    shown[std::size_t(index)].Value = value;
    MutableDoc().SetParameters(std::move(shown));
    emit ParametersChanged(this);
    RenderGraph();
  }

 protected:
  TDoc& MutableDoc() { return static_cast<TDoc&>(MutableDocument()); }
  // The view, redrawn whether it changed or not.
  void ShowView(const TView& view) {
    MutableDoc().SetView(view);
    SetModified(true);
    RenderGraph();
  }

 private:
  // The graph as the dialogs of its functions see it while they run: a parameter one makes
  // waits here and joins the graph, as one step, only when the dialog's change is kept, so a
  // Cancel leaves none behind. Kinds without names have no host.
  class TDialogHost final : public TGraphHost {
   public:
    explicit TDialogHost(TKindWindow& window)
        : window_(window), parameters_(window.Doc().Parameters()), scope_(window.UsesParameters() ? this : nullptr) {}
    const TParameterList& Parameters() const override { return parameters_; }
    void AddParameter(const TParameter& parameter) override { parameters_.push_back(parameter); }
    std::vector<const TBaseFuncObj*> Functions() const override { return window_.Functions(); }
    void Keep() { window_.SetParameters(parameters_, QStringLiteral("Add Parameter")); }

   private:
    TKindWindow& window_;
    TParameterList parameters_;
    TGraphHostScope scope_;
  };

  std::vector<const TBaseFuncObj*> Functions() const { return FunctionPointers(Doc().Functions()); }

  std::optional<TParameterList> previewed_;  // the list before a slider gesture began
};

}  // namespace plotix
