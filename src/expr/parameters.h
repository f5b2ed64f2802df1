#pragma once
// The parameters of a graph: named values that definitions read like constants, each with
// the range and step of its slider. A definition sees them as variables after its own, so a
// new value needs no new compile.

#include <string>
#include <vector>

#include "platform/extended.h"

namespace plotix {

struct TParameter {
  std::string Name;
  Extended Value = 1;
  Extended From = -10, To = 10, Step = 0.1L;

  bool operator==(const TParameter&) const = default;
};
using TParameterList = std::vector<TParameter>;

constexpr int kMaxParameters = 50;  // per graph
constexpr int kMaxParameterName = 30;

// Why the name can not be a new parameter of the list; empty when it can. Names are letters
// and digits starting with a letter, compared without case, neither a built-in name nor a
// variable of any kind of function.
std::string ParameterNameError(const std::string& name, const TParameterList& list);
// Why the range and step do not fit (From < To, 0 < Step <= To - From); empty when they do.
std::string ParameterRangeError(const TParameter& parameter);

// The number of slider steps from From to To, and the value at a step.
int ParameterSteps(const TParameter& parameter);
Extended ParameterValueAt(const TParameter& parameter, int step);

// Offered for an unknown symbol at the 1-based position of the text (the compile's error
// code and position): when the letters and digits there may name a new parameter of the
// host's graph and the user answers Yes, it is made with value 1, range -10 to 10 and step
// 0.1. True when it was made.
bool OfferParameter(const std::string& text, int code, int position);

// The graph a definition's dialog was opened from, where an unknown name in the definition
// may become a new parameter. Set by the graph window while it runs a function dialog.
class TParameterHost {
 public:
  virtual ~TParameterHost() = default;
  virtual const TParameterList& Parameters() const = 0;
  virtual void AddParameter(const TParameter& parameter) = 0;
};
TParameterHost* ParameterHost();
// While one lives, the host is the one given.
class TParameterHostScope {
 public:
  explicit TParameterHostScope(TParameterHost* host);
  ~TParameterHostScope();
  TParameterHostScope(const TParameterHostScope&) = delete;
  TParameterHostScope& operator=(const TParameterHostScope&) = delete;

 private:
  TParameterHost* previous_;
};

}  // namespace plotix
