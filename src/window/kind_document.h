#pragma once
// The document of a graph kind: a view, settings and an ordered function list over the
// document base's bitmap size and labels. Each part changes only through its own
// operation, so every change a user makes passes through one; and the graph file's body
// (view, settings, function count, functions) is read and written here for every kind.

#include <algorithm>
#include <memory>
#include <type_traits>
#include <utility>

#include "expr/function_object.h"
#include "expr/symbol_table.h"
#include "files/graph_file.h"
#include "platform/message_box.h"
#include "window/graph_document.h"

namespace plotix {

template <class TViewT, class TSettingsT, class TFuncT>
class TKindDoc : public TGraphDoc {
 public:
  using TView = TViewT;
  using TSettings = TSettingsT;
  using TFunc = TFuncT;

  // kind: its number in graph files; format1Bytes, format2Bytes: the shortest function
  // record of each format, which bound the function count a file may claim.
  TKindDoc(std::int32_t kind, std::size_t format1Bytes, std::size_t format2Bytes)
      : TGraphDoc(kind), format1Bytes_(format1Bytes), format2Bytes_(format2Bytes) {}

  const TView& View() const { return view_; }
  void SetView(const TView& view) { view_ = view; }
  const TSettings& Settings() const { return settings_; }
  void SetSettings(TSettings settings) { settings_ = std::move(settings); }

  const TFuncList<TFunc>& Functions() const { return functions_; }
  // A new function at the end of the list; one whose name is taken takes the first free one.
  void AddFunction(std::unique_ptr<TFunc> function) {
    if (UsesParameters() && !function->Name.empty() &&
        !NameError(function->Name, "Function", FunctionNames(), parameters_).empty())
      function->Name = FreeFunctionName(FunctionNames(), parameters_);
    functions_.push_back(std::move(function));
    UseGraphNames(functions_, parameters_);
    FunctionsChanged(true);
  }
  // The last function, taken out of the list.
  std::unique_ptr<TFunc> TakeLastFunction() {
    std::unique_ptr<TFunc> last = std::move(functions_.back());
    functions_.pop_back();
    FunctionsChanged(false);
    return last;
  }
  // A whole new list (the function list dialog's, or one taken back); the old one is
  // returned.
  TFuncList<TFunc> SetFunctions(TFuncList<TFunc> functions) {
    std::swap(functions, functions_);
    UseGraphNames(functions_, parameters_);
    FunctionsChanged(false);
    return functions;
  }

  bool SetParameterValue(const std::string& name, Extended value) final {
    TParameterList list = parameters_;
    for (TParameter& p : list)
      if (UpperCaseName(p.Name) == UpperCaseName(name)) {
        p.Value = value;
        SetParameters(std::move(list));
        return true;
      }
    return false;
  }
  // Whether the kind's definitions read parameters, and its functions have names that they
  // call each other by.
  virtual bool UsesParameters() const { return false; }
  std::vector<std::string> FunctionNames() const {
    std::vector<std::string> names;
    for (const auto& f : functions_) names.push_back(f->Name);
    return names;
  }
  const TParameterList& Parameters() const { return parameters_; }
  // A new list of parameters (names, values or ranges), handed to every definition; the
  // old one is returned.
  TParameterList SetParameters(TParameterList parameters) {
    std::swap(parameters, parameters_);
    const bool sameNames = std::equal(parameters.begin(), parameters.end(), parameters_.begin(), parameters_.end(),
                                      [](const auto& a, const auto& b) { return a.Name == b.Name; });
    UseGraphNames(functions_, parameters_, sameNames);
    return parameters;
  }

  std::unique_ptr<TGraphDoc> CloneForDrawing() const final {
    std::unique_ptr<TKindDoc> copy = NewEmpty();
    copy->SetBitmapSize(BitmapWidth(), BitmapHeight());
    copy->view_ = view_;
    copy->settings_ = settings_;
    copy->functions_ = CloneFunctions(functions_);
    copy->parameters_ = parameters_;
    CopyDrawnState(*copy);
    return copy;
  }
  bool IsColorUsed(TColor color) const override { return UsesColor(functions_, color); }
  int FunctionCount() const override { return int(functions_.size()); }

 protected:
  // The view record; reading it may move a format 1 centre into the limits, which the
  // user is told of once the whole file has been read.
  virtual void WriteView(TWriteGraphFile& writer) const = 0;
  virtual void ReadView(TReadGraphFile& reader, TView& view, bool& centerChanged) const = 0;
  // A function object for the next record; kinds with several function classes read a
  // type code first.
  virtual std::unique_ptr<TFunc> NewFunction(TReadGraphFile&) const {
    if constexpr (std::is_abstract_v<TFunc>)
      return nullptr;
    else
      return std::make_unique<TFunc>();
  }
  // A function object for an extension record; null for a tag the kind does not know.
  virtual std::unique_ptr<TFunc> NewTaggedFunction(std::int32_t /*tag*/) const { return nullptr; }
  // An empty document of the same kind.
  virtual std::unique_ptr<TKindDoc> NewEmpty() const = 0;
  // What the kind keeps from its functions, for CloneForDrawing.
  virtual void CopyDrawnState(TKindDoc& /*copy*/) const {}
  // The list changed: one function appended at its end, or the whole list. For kinds
  // that keep what they draw from their functions.
  virtual void FunctionsChanged(bool /*appended*/) {}

  TView view_;
  TSettings settings_;
  TFuncList<TFunc> functions_;
  TParameterList parameters_;

 private:
  struct TKindBody : TBody {
    TView view;
    bool centerChanged = false;
    TSettings settings;
    TFuncList<TFunc> functions;
    std::int32_t lastTagged = -1;  // the list position of the last function read from a record
    TParameterList parameters;
    bool parametersRead = false;
    std::vector<std::string> names;  // of the functions in list order, when a record holds them
    bool namesRead = false;
    std::vector<std::int32_t> hidden;  // list positions, ascending
    bool hiddenRead = false;
  };

  // The names are saved when one is not its position's default, or when a definition calls
  // another or does not compile (a call whose function is gone): a format 2 reader could
  // not read it.
  bool NamesRecordNeeded() const {
    if (!UsesParameters()) return false;
    for (std::size_t i = 0; i < functions_.size(); ++i)
      if (functions_[i]->Name != DefaultFunctionName(int(i)) || functions_[i]->CallsOthers() ||
          !functions_[i]->ErrorText().empty())
        return true;
    return false;
  }

  // The function list holds the functions format 2 knows, in their order; each other one is
  // an extension record that says where it stands in the whole list.
  void WriteBody(TWriteGraphFile& writer) const final {
    WriteView(writer);
    settings_.SaveToFile(writer);
    const auto untagged =
        std::count_if(functions_.begin(), functions_.end(), [](const auto& f) { return !f->FileTag(); });
    writer.WriteInt32(static_cast<std::int32_t>(untagged));
    for (const auto& f : functions_)
      if (!f->FileTag()) f->SaveToFile(writer);
  }
  bool HasExtensions() const final {
    return !parameters_.empty() || NamesRecordNeeded() ||
           std::any_of(functions_.begin(), functions_.end(), [](const auto& f) { return f->FileTag() || f->Hidden; });
  }
  void WriteExtensions(TWriteGraphFile& writer) const final {
    if (!parameters_.empty()) {
      writer.BeginRecord(tagParameters);
      WriteParameters(writer, parameters_);
      writer.EndRecord();
    }
    if (NamesRecordNeeded()) {
      writer.BeginRecord(tagFunctionNames);
      writer.WriteInt32(static_cast<std::int32_t>(functions_.size()));
      for (const auto& f : functions_) writer.WriteLongString(f->Name);
      writer.EndRecord();
    }
    for (std::size_t i = 0; i < functions_.size(); ++i) {
      const std::int32_t tag = functions_[i]->FileTag();
      if (!tag) continue;
      writer.BeginRecord(tag);
      writer.WriteInt32(static_cast<std::int32_t>(i));
      functions_[i]->SaveToFile(writer);
      writer.EndRecord();
    }
    const auto hidden = std::count_if(functions_.begin(), functions_.end(), [](const auto& f) { return f->Hidden; });
    if (hidden == 0) return;
    writer.BeginRecord(tagHiddenFunctions);
    writer.WriteInt32(static_cast<std::int32_t>(hidden));
    for (std::size_t i = 0; i < functions_.size(); ++i)
      if (functions_[i]->Hidden) writer.WriteInt32(static_cast<std::int32_t>(i));
    writer.EndRecord();
  }
  // Records come in list order, so each one's position is past the last one's and no
  // farther than the end of the list read so far.
  bool ReadExtension(std::int32_t tag, TReadGraphFile& reader, TBody& read) const final {
    auto& body = static_cast<TKindBody&>(read);
    if (tag == tagParameters && UsesParameters()) {
      if (body.parametersRead) GraphLoadError();
      body.parameters = ReadParameters(reader);
      body.parametersRead = true;
      return true;
    }
    if (tag == tagFunctionNames && UsesParameters()) {
      if (body.namesRead) GraphLoadError();
      const int count = reader.CheckCount(reader.ReadInt32(), kMaxFunctions, 4);
      for (int i = 0; i < count; ++i) body.names.push_back(reader.ReadLongString(kMaxParameterName));
      body.namesRead = true;
      return true;
    }
    if (tag == tagHiddenFunctions) {
      if (body.hiddenRead) GraphLoadError();
      const int count = reader.CheckCount(reader.ReadInt32(), kMaxFunctions, 4);
      for (int i = 0; i < count; ++i) {
        const std::int32_t position = reader.ReadInt32();
        if (position < 0 || (!body.hidden.empty() && position <= body.hidden.back())) GraphLoadError();
        body.hidden.push_back(position);
      }
      body.hiddenRead = true;
      return true;
    }
    std::unique_ptr<TFunc> f = NewTaggedFunction(tag);
    if (!f) return false;
    const std::int32_t position = reader.ReadInt32();
    if (position <= body.lastTagged || position > std::int32_t(body.functions.size()) ||
        body.functions.size() >= std::size_t(kMaxFunctions))
      GraphLoadError();
    f->LoadFromFile(reader);
    body.functions.insert(body.functions.begin() + position, std::move(f));
    body.lastTagged = position;
    return true;
  }

  std::unique_ptr<TBody> ReadBody(TReadGraphFile& reader) const final {
    auto body = std::make_unique<TKindBody>();
    ReadView(reader, body->view, body->centerChanged);
    body->settings.LoadFromFile(reader);
    const int count = ReadFunctionCount(reader, format1Bytes_, format2Bytes_);
    body->functions.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
      std::unique_ptr<TFunc> f = NewFunction(reader);
      f->LoadFromFile(reader);
      body->functions.push_back(std::move(f));
    }
    return body;
  }

  // Definitions of files that may hold names compile only now, with the names. There a
  // definition that does not compile is kept with its error, as it was saved (a call whose
  // function was deleted); the kinds without names compile every definition.
  void FinishBody(TBody& read) const final {
    auto& body = static_cast<TKindBody&>(read);
    if (UsesParameters()) {
      if (body.namesRead && body.names.size() != body.functions.size()) GraphLoadError();
      std::vector<std::string> names;
      for (std::size_t i = 0; i < body.functions.size(); ++i) {
        const std::string name = body.namesRead ? body.names[i] : DefaultFunctionName(int(i));
        // A function without a name of its own (a derivative curve) is saved with an empty one.
        if (body.functions[i]->Name.empty()) {
          if (!name.empty() && body.namesRead) GraphLoadError();
          continue;
        }
        if (!NameError(name, "Function", names, body.parameters).empty()) GraphLoadError();
        body.functions[i]->Name = name;
        names.push_back(name);
      }
    }
    for (const std::int32_t position : body.hidden) {
      if (std::size_t(position) >= body.functions.size()) GraphLoadError();
      body.functions[std::size_t(position)]->Hidden = true;
    }
    UseGraphNames(body.functions, body.parameters);
    for (const auto& f : body.functions)
      for (const TMathGraphFunc* d : f->Definitions())
        if (d->Expression().empty() || (!UsesParameters() && d->State() != 2)) GraphLoadError();
  }

  void TakeBody(TBody& read) final {
    auto& body = static_cast<TKindBody&>(read);
    if (body.centerChanged)
      ShowMessage(TMsgKind::Information, "The Graph View Center Has Been Changed For Compatibility Reasons.",
                  TMsgButtons::OK);
    view_ = body.view;
    settings_ = std::move(body.settings);
    functions_ = std::move(body.functions);
    parameters_ = std::move(body.parameters);
    FunctionsChanged(false);
  }

  std::size_t format1Bytes_, format2Bytes_;
};

}  // namespace plotix
