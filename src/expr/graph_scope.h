#pragma once
// The names a graph's definitions share, in one namespace: its parameters, read like
// constants, and its named functions, of which the y = f(x) and polar ones may be called by
// any definition of the graph (`f(x-1)`, `(f(x)+f(-x))/2`).

#include <memory>
#include <string>
#include <vector>

#include "expr/compiler.h"
#include "expr/parameters.h"

namespace plotix {

class TBaseFuncObj;
class TMathGraphFunc;

// The default name of the function at a list position: f, g, h, then f1, f2, ...
std::string DefaultFunctionName(int position);
// The first default name that is neither among `functions` nor a parameter's name.
std::string FreeFunctionName(const std::vector<std::string>& functions, const TParameterList& parameters);
// Why the name can not be a new function's (kind "Function") or parameter's (kind
// "Parameter") in a graph whose other names are these; empty when it can. Names are 1 to 30
// letters and digits starting with a letter, compared without case, neither a built-in name
// nor a variable of any kind of function.
std::string NameError(const std::string& name, const char* kind, const std::vector<std::string>& functions,
                      const TParameterList& parameters);

// The names one compile of a graph's definitions reads. Each callable definition compiles
// once, when it is first called or used, so every caller takes in what it is now; one that
// is called while it compiles calls back into itself.
class TGraphScope final : public TCallTable {
 public:
  // valuesOnly: the parameters' names and the definitions are as they were at the last
  // compile; only the values are new, and nothing compiles.
  explicit TGraphScope(TParameterList parameters, bool valuesOnly = false);
  ~TGraphScope() override;
  TGraphScope(const TGraphScope&) = delete;
  TGraphScope& operator=(const TGraphScope&) = delete;

  const TParameterList& Parameters() const { return parameters_; }
  bool ValuesOnly() const { return valuesOnly_; }
  bool HasCalls() const { return !entries_.empty(); }

  // A definition the others may call by the name; compiled in place, so it must live as
  // long as the scope.
  void AddCallable(const std::string& name, TMathGraphFunc& definition);
  // A copy of the definition, kept by the scope, that the others may call by the name.
  void AddCallableCopy(const std::string& name, const TMathGraphFunc& definition);
  // Whether the definition is still to compile: always, unless only values are new or it
  // is callable and compiled (or compiling) already.
  bool Compiles(const TMathGraphFunc& definition);
  // Compiles the definition with the scope's names; sharedFrom: its first variable after
  // its own.
  void Compile(TMathGraphFunc& definition, int sharedFrom);

  std::vector<std::string> CallNames() const override;
  int Callee(int index, TMathPostFixArray& program, int& ownVariables) override;

 private:
  enum class TState { Waiting, Compiling, Done };
  struct TEntry {
    std::string name;  // upper case
    TMathGraphFunc* definition;
    TState state = TState::Waiting;
  };

  TEntry* Entry(const TMathGraphFunc& definition);

  TParameterList parameters_;
  bool valuesOnly_;
  std::vector<TEntry> entries_;
  std::vector<std::unique_ptr<TMathGraphFunc>> copies_;
};

// A scope over copies of the callable definitions of the functions, but the one left out,
// with the parameters; the functions stay as they are.
std::unique_ptr<TGraphScope> CopiedScope(const std::vector<const TBaseFuncObj*>& functions,
                                         const TParameterList& parameters, const TBaseFuncObj* leftOut = nullptr);

// The names of the functions (the descriptions of those without one) that compile with the
// parameters and each other, but not once the function `removed` (null for none) and the
// parameter at index removedParameter (-1 for none) are gone, in list order. The functions
// stay as they are.
std::vector<std::string> FunctionsUsing(const std::vector<const TBaseFuncObj*>& functions,
                                        const TParameterList& parameters, const TBaseFuncObj* removed,
                                        int removedParameter = -1);

// The graph a definition's dialog was opened from: the names the definition reads, and the
// graph where an unknown name in it may become a new parameter. Set by the graph window, and
// by the function list dialog over its copy of the list, while a function's dialog runs.
class TGraphHost {
 public:
  virtual ~TGraphHost() = default;
  virtual const TParameterList& Parameters() const = 0;
  virtual void AddParameter(const TParameter& parameter) = 0;
  // The graph's functions, in list order.
  virtual std::vector<const TBaseFuncObj*> Functions() const = 0;
};
TGraphHost* GraphHost();
// While one lives, the host is the one given.
class TGraphHostScope {
 public:
  explicit TGraphHostScope(TGraphHost* host);
  ~TGraphHostScope();
  TGraphHostScope(const TGraphHostScope&) = delete;
  TGraphHostScope& operator=(const TGraphHostScope&) = delete;

 private:
  TGraphHost* previous_;
};

// Why the name can not be the edited function's (null: a new one) in the host's graph, or
// any function's without a host; empty when it can.
std::string HostFunctionNameError(const std::string& name, const TBaseFuncObj* edited);
// The scope a definition of the edited function compiles in: the host's parameters and
// copies of its other functions' callable definitions; without a host an empty one.
std::unique_ptr<TGraphScope> HostScope(const TBaseFuncObj* edited);

// Offered for an unknown symbol at the 1-based position of the text (the compile's error
// code and position): when the letters and digits there may name a new parameter of the
// host's graph, are no call, and the user answers Yes, it is made with value 1, range -10 to 10 and step
// 0.1. True when it was made.
bool OfferParameter(const std::string& text, int code, int position);

}  // namespace plotix
