#include "platform/drawing_job.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace plotix {

namespace {
thread_local TDrawingJob* gJob = nullptr;
std::atomic<int> gThreads{0};
}  // namespace

TDrawingScope::TDrawingScope(TDrawingJob& job) : previous_(gJob) { gJob = &job; }
TDrawingScope::~TDrawingScope() { gJob = previous_; }

void DrawingStep(int done, int total) {
  if (!gJob) return;
  if (gJob->cancelled.load(std::memory_order_relaxed)) throw TDrawingCancelled{};
  gJob->total.store(total, std::memory_order_relaxed);
  gJob->done.store(done, std::memory_order_relaxed);
}

int DrawingThreads() {
  const int set = gThreads.load();
  return set > 0 ? set : int(std::max(1u, std::thread::hardware_concurrency()));
}

void SetDrawingThreads(int threads) { gThreads = std::max(0, threads); }

void ParallelFor(int count, int threads, const std::function<void(int)>& task) {
  std::atomic<int> next{0};
  std::exception_ptr failure;
  std::mutex failureLock;
  const auto work = [&] {
    for (int i; (i = next++) < count;) {
      try {
        task(i);
      } catch (...) {
        const std::lock_guard lock(failureLock);
        if (!failure) failure = std::current_exception();
      }
    }
  };
  std::vector<std::thread> helpers;
  for (int t = 1; t < std::min(threads, count); ++t) helpers.emplace_back(work);
  work();
  for (std::thread& helper : helpers) helper.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace plotix
