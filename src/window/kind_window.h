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
#include "window/typed_functions.h"

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
class TKindWindow : public TFuncGraphWindow, private TTypedFunctions {
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
  // ---- the typed rows, of kinds that read typed lines (ReadTyped) ----
  TTypedFunctions* TypedFunctions() override { return TypesFunctions() ? this : nullptr; }
  std::vector<TTypedRow> Rows() const override {
    std::vector<TTypedRow> rows;
    for (const auto& f : Doc().Functions()) rows.push_back(TypedRow(*f));
    return rows;
  }
  int TypingRow() const override { return typing_ ? typing_->row : -1; }
  TTypedRow Type(int row, const std::string& text) override {
    const int count = int(Doc().Functions().size());
    if (!typing_ || typing_->row != row) {
      LeaveMode();
      if (row >= count && !CheckFunctionLimit(std::size_t(count))) return UnreadRow(text);
      typing_.emplace();
      typing_->row = row;
      typing_->before = CloneFunctions(Doc().Functions());
      typing_->added = row >= count;
    }
    typing_->pending.clear();
    const TFunc* replaced = row < count ? Doc().Functions()[std::size_t(row)].get() : nullptr;
    const std::string name = replaced && !replaced->Name.empty()
                                 ? replaced->Name
                                 : FreeFunctionName(Doc().FunctionNames(), Doc().Parameters());
    std::unique_ptr<TFunc> fresh = ReadTyped(text, name, *GraphScope());
    if (!fresh) {
      // A new function is there only while its line reads.
      if (typing_->added && replaced) {
        MutableDoc().SetFunctions(CloneFunctions(typing_->before));
        typing_->changed = false;
        RenderGraph();
      }
      return UnreadRow(text);
    }
    if (replaced)
      fresh->KeepUntyped(*replaced);
    else
      fresh->Style.Color = ChooseNewFunctionColor(count);
    TFuncList<TFunc> list = CloneFunctions(Doc().Functions());
    if (fresh->Name != name && !fresh->Name.empty()) {
      // A line that names the function renames it, and its callers call it by the new name.
      std::vector<std::string> others = Doc().FunctionNames();
      if (replaced) others.erase(others.begin() + row);
      if (std::string error = NameError(fresh->Name, "Function", others, Doc().Parameters()); !error.empty()) {
        TTypedRow shown = TypedRow(*fresh, text);
        shown.error = TTypedError{std::move(error), 0, {}};
        return shown;
      }
      if (replaced && !replaced->Name.empty()) Renamed(list, row, replaced->Name, fresh->Name);
    }
    if (replaced)
      list[std::size_t(row)] = std::move(fresh);
    else
      list.push_back(std::move(fresh));
    UseGraphNames(list, Doc().Parameters());
    const TTypedRow shown = TypedRow(*list[std::size_t(row)], text);
    // A line that does not compile waits for the end of the edit while the graph has a good
    // one to draw.
    if (!shown.error.message.empty() && replaced && replaced->ErrorText().empty())
      typing_->pending = std::move(list);
    else
      ShowTyped(std::move(list));
    return shown;
  }
  void EndTyping() override {
    if (!typing_) return;
    TTyping typing = std::move(*typing_);
    typing_.reset();
    if (!typing.pending.empty()) {
      MutableDoc().SetFunctions(std::move(typing.pending));
      typing.changed = true;
      RenderGraph();
    }
    if (!typing.changed) return;
    const std::string label = TypedRow(*Doc().Functions()[std::size_t(typing.row)]).label;
    auto* step = new TFunctionListStep<TDoc>(*this, QString::fromStdString((typing.added ? "Add " : "Edit ") + label),
                                             std::move(typing.before));
    step->MarkDone();
    Record(step);
  }
  void SetShown(int row, bool shown) override {
    ChangeRow(row, shown ? "Show " : "Hide ", [shown](TFunc& f) { f.Hidden = !shown; });
  }
  void SetColor(int row, TColor color) override {
    ChangeRow(row, "Change Colour Of ", [color](TFunc& f) { f.Style.Color = color; });
  }
  void Move(int from, int to) override {
    LeaveMode();
    TFuncList<TFunc> list = CloneFunctions(Doc().Functions());
    if (from == to || from < 0 || to < 0 || std::size_t(std::max(from, to)) >= list.size()) return;
    std::unique_ptr<TFunc> moved = std::move(list[std::size_t(from)]);
    const QString what = QString::fromStdString("Move " + TypedRow(*moved).label);
    list.erase(list.begin() + from);
    list.insert(list.begin() + to, std::move(moved));
    SetFunctions(std::move(list), what);
  }
  void Remove(int row) override {
    if (typing_ && typing_->row == row) {
      // What the edit changed goes with the function.
      TTyping typing = std::move(*typing_);
      typing_.reset();
      if (typing.changed) MutableDoc().SetFunctions(std::move(typing.before));
      if (typing.added) {
        RenderGraph();
        return;
      }
    }
    LeaveMode();
    if (row < 0 || std::size_t(row) >= Doc().Functions().size()) return;
    const TFunc& f = *Doc().Functions()[std::size_t(row)];
    if (!ConfirmFunctionDelete(f, Functions(), Doc().Parameters())) {
      RenderGraph();
      return;
    }
    const QString what = QString::fromStdString("Delete " + TypedRow(f).label);
    TFuncList<TFunc> list = CloneFunctions(Doc().Functions());
    list.erase(list.begin() + row);
    SetFunctions(std::move(list), what);
  }
  void AddSlider(const std::string& name) override {
    LeaveMode();
    if (!NameError(name, "Parameter", Doc().FunctionNames(), Doc().Parameters()).empty() ||
        Doc().Parameters().size() >= std::size_t(kMaxParameters))
      return;
    TParameterList parameters = Doc().Parameters();
    parameters.push_back(TParameter{name});
    SetParameters(parameters, QString::fromStdString("Add Slider " + name));
  }

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
  // Kinds whose functions are typed say so and read a line in ReadTyped.
  virtual bool TypesFunctions() const { return false; }
  // The function a typed line reads as, called `name` unless the line names it, compiled
  // with the scope's names; null for a line of no form the kind knows.
  virtual std::unique_ptr<TFunc> ReadTyped(const std::string& /*text*/, const std::string& /*name*/,
                                           TGraphScope& /*scope*/) const {
    return nullptr;
  }
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

  // An edit of a typed row: the list before it, and a list waiting while its line does not
  // compile.
  struct TTyping {
    int row = 0;
    TFuncList<TFunc> before;
    bool added = false;
    TFuncList<TFunc> pending;
    bool changed = false;
  };
  // The list of the edit in progress shown, no step yet.
  void ShowTyped(TFuncList<TFunc> list) {
    MutableDoc().SetFunctions(std::move(list));
    typing_->changed = true;
    RenderGraph();
  }
  // The others of the list call the function at the row by its new name.
  static void Renamed(TFuncList<TFunc>& list, int row, const std::string& from, const std::string& to) {
    std::vector<std::string> callNames;
    for (const auto& f : list)
      if (f->Callable()) callNames.push_back(f->Name);
    for (std::size_t i = 0; i < list.size(); ++i)
      if (int(i) != row) list[i]->FunctionRenamed(callNames, from, to);
  }
  // One change of the row's function, a step named by `what` and the function.
  template <class TChange>
  void ChangeRow(int row, const char* what, TChange change) {
    LeaveMode();
    if (row < 0 || std::size_t(row) >= Doc().Functions().size()) return;
    TFuncList<TFunc> list = CloneFunctions(Doc().Functions());
    change(*list[std::size_t(row)]);
    const QString text = QString::fromStdString(what + TypedRow(*list[std::size_t(row)]).label);
    SetFunctions(std::move(list), text);
  }

  std::optional<TParameterList> previewed_;  // the list before a slider gesture began
  std::optional<TTyping> typing_;
};

}  // namespace plotix
