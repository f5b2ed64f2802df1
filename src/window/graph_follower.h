#pragma once
// Windows beside the graphs that show something of the active graph window (the points
// window, the parameters dock): the main window tells each follower among its own windows
// which graph window is active.

#include <QObject>

namespace plotix {

class TFuncGraphWindow;

class TGraphFollower {
 public:
  // The graph window now active; null when none is.
  virtual void FollowGraph(TFuncGraphWindow* active) = 0;

 protected:
  ~TGraphFollower() = default;
};

// Tells every follower among the descendants of `owner`.
inline void FollowActiveGraph(const QObject& owner, TFuncGraphWindow* active) {
  for (QObject* child : owner.findChildren<QObject*>())
    if (auto* follower = dynamic_cast<TGraphFollower*>(child)) follower->FollowGraph(active);
}

}  // namespace plotix
