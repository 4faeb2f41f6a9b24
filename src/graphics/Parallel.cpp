#include "graphics/Parallel.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace velmora {
namespace {

// Below this many pixels a picture is processed on the calling thread alone.
constexpr int64_t kMinParallelPixels = 1 << 16;

thread_local bool tl_inside_band = false;

class Pool {
 public:
  Pool() {
    const unsigned n = std::max(1u, std::thread::hardware_concurrency());
    for (unsigned i = 1; i < n; ++i) workers_.emplace_back([this] { WorkerLoop(); });
  }
  ~Pool() {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    wake_.notify_all();
    for (auto& t : workers_) t.join();
  }

  int threads() const noexcept { return static_cast<int>(workers_.size()) + 1; }

  // Returns false (having done nothing) when the pool is busy with another caller's job.
  bool Run(int count, const std::function<void(int)>& band) {
    std::unique_lock job_lock(job_mutex_, std::try_to_lock);
    if (!job_lock.owns_lock()) return false;
    std::unique_lock lock(mutex_);
    job_ = &band;
    next_ = 0;
    count_ = count;
    remaining_ = count;
    ++generation_;
    wake_.notify_all();
    RunBands(lock);
    done_.wait(lock, [this] { return remaining_ == 0; });
    job_ = nullptr;
    return true;
  }

 private:
  void RunBands(std::unique_lock<std::mutex>& lock) {
    while (next_ < count_) {
      const int i = next_++;
      const auto* job = job_;
      lock.unlock();
      tl_inside_band = true;
      (*job)(i);
      tl_inside_band = false;
      lock.lock();
      if (--remaining_ == 0) done_.notify_all();
    }
  }

  void WorkerLoop() {
    std::unique_lock lock(mutex_);
    uint64_t seen = 0;
    for (;;) {
      wake_.wait(lock, [&] { return stop_ || generation_ != seen; });
      if (stop_) return;
      seen = generation_;
      RunBands(lock);
    }
  }

  std::vector<std::thread> workers_;
  std::mutex job_mutex_;
  std::mutex mutex_;
  std::condition_variable wake_, done_;
  const std::function<void(int)>* job_ = nullptr;
  int next_ = 0, count_ = 0, remaining_ = 0;
  uint64_t generation_ = 0;
  bool stop_ = false;
};

Pool& ThePool() {
  static Pool pool;
  return pool;
}

}  // namespace

int WorkerCount() noexcept { return ThePool().threads(); }

void ParallelFor(int count, const std::function<void(int)>& band) {
  if (count <= 0) return;
  if (count == 1 || tl_inside_band || WorkerCount() == 1 || !ThePool().Run(count, band)) {
    for (int i = 0; i < count; ++i) band(i);
  }
}

void ParallelRows(int rows, int64_t work_per_row, const std::function<void(int, int)>& rows_fn) {
  if (rows <= 0) return;
  const int64_t work = int64_t{rows} * std::max<int64_t>(work_per_row, 1);
  const int threads = WorkerCount();
  if (work < kMinParallelPixels || threads == 1 || rows < 2 || tl_inside_band) {
    rows_fn(0, rows);
    return;
  }
  // A few bands per thread even out bands that cost more than others.
  const int bands = static_cast<int>(std::max<int64_t>(
      1, std::min<int64_t>({rows, threads * 4, work / (kMinParallelPixels / 4)})));
  ParallelFor(bands, [&](int i) {
    const int first = static_cast<int>(int64_t{rows} * i / bands);
    const int last = static_cast<int>(int64_t{rows} * (i + 1) / bands);
    if (first < last) rows_fn(first, last);
  });
}

}  // namespace velmora
