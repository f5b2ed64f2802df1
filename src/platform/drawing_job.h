#pragma once
// A redraw on a worker thread: how far it got, and whether it is still wanted. Drawing
// code reports each step; a step of a redraw no longer wanted ends it by throwing
// TDrawingCancelled, and a thread that draws for no job (the headless modes, a redraw on
// the GUI thread) reports to nobody.

#include <atomic>
#include <functional>

namespace plotix {

struct TDrawingCancelled {};

struct TDrawingJob {
  std::atomic<bool> cancelled{false};
  std::atomic<int> done{0};
  std::atomic<int> total{1};
};

// While one lives on a thread, that thread's drawing reports to the job.
class TDrawingScope {
 public:
  explicit TDrawingScope(TDrawingJob& job);
  ~TDrawingScope();
  TDrawingScope(const TDrawingScope&) = delete;
  TDrawingScope& operator=(const TDrawingScope&) = delete;

 private:
  TDrawingJob* previous_;
};

// Step `done` of `total` begins; throws TDrawingCancelled when the job was cancelled.
void DrawingStep(int done, int total);

// The threads a redraw may use: every core unless set (0: every core again).
int DrawingThreads();
void SetDrawingThreads(int threads);

// task(0) .. task(count - 1) on up to `threads` threads, the calling one among them;
// returns when all are done, rethrowing the first exception a task threw.
void ParallelFor(int count, int threads, const std::function<void(int)>& task);

}  // namespace plotix
