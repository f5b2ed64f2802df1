#pragma once
// A graph's functions as typed lines, a row each, for the "Functions" dock: what a row
// shows of its function (the line, its kind, colour, whether it is shown, its error and
// where in the line it lies) and the operations through which the dock changes the list,
// each change one step of the window's history.

#include <string>
#include <vector>

#include "expr/function_object.h"
#include "platform/colour.h"

namespace plotix {

struct TTypedError {
  std::string message;      // empty when the line reads and compiles
  int character = 0;        // where in the line, from 1; 0 when it lies at no character
  std::string unknownName;  // the name at that character no definition knows, which a parameter could take
};

struct TTypedRow {
  std::string text;  // the typed line; the description of a function that is not typed
  bool typed = false;
  std::string kind;   // KindName, empty for a line no kind reads
  std::string label;  // what the history's steps call the function: the name it is called by, else its line
  TColor color = 0;
  bool hidden = false;
  TTypedError error;
};

// The row of the function shown as `text`, or as its own typed line.
TTypedRow TypedRow(const TBaseFuncObj& f, const std::string& text);
TTypedRow TypedRow(const TBaseFuncObj& f);
// The row of a line no kind reads.
TTypedRow UnreadRow(const std::string& text);

// The question before deleting a function others call ("Function f Is Used By g. Delete
// It Anyway?"); true when it may go.
bool ConfirmFunctionDelete(const TBaseFuncObj& f, const std::vector<const TBaseFuncObj*>& functions,
                           const TParameterList& parameters);

class TTypedFunctions {
 public:
  // The functions in list order.
  virtual std::vector<TTypedRow> Rows() const = 0;
  // The row an edit is in progress in; -1 for none.
  virtual int TypingRow() const = 0;
  // The row's function as the line reads (row == Rows().size(): a new one at the end); an
  // edit in progress in another row ends first. The graph redraws at each line that
  // compiles and keeps what it drew while one does not; the history keeps no step until
  // the edit ends. Returns the row as the line reads.
  virtual TTypedRow Type(int row, const std::string& text) = 0;
  // The edit in progress ends, one step named after the function when it changed anything:
  // a line that reads but does not compile is kept with its error, an empty or unread one
  // leaves the function as it was (a new one: none).
  virtual void EndTyping() = 0;
  virtual void SetShown(int row, bool shown) = 0;
  virtual void SetColor(int row, TColor color) = 0;
  // The row's function to list position `to`.
  virtual void Move(int from, int to) = 0;
  // The row's function deleted, an edit in progress in it forgotten; asks first when others
  // call it.
  virtual void Remove(int row) = 0;
  // A new parameter of the name, at the default value and range, one step.
  virtual void AddSlider(const std::string& name) = 0;

 protected:
  ~TTypedFunctions() = default;
};

}  // namespace plotix
