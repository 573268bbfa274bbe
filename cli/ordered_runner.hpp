// Work items served on a pool of threads, their results handed back in the
// order the items were submitted, with a bounded window of items in memory.
//
// The submitting thread also writes: submit() blocks while the window is
// full, and writes every finished result at the front of the window while it
// waits. With submitter_works it is one of the threads doing the work: while
// it waits it does every item no worker has taken yet (so there may be no
// workers at all). Work must not throw. wait() writes every result submitted
// so far; finish() (or the destructor) waits for the rest and ends the workers.
// When the writer throws (standard output failed), later results are dropped
// and the exception comes out of the next submit() or of finish().
#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace tarvik::cli {

template <class Result>
class OrderedRunner {
 public:
  using Work = std::function<Result()>;
  using Writer = std::function<void(Result&)>;

  // `jobs` worker threads (at least one unless the submitter works). At most
  // max_items items wait or are in work at once, and (unless only one is
  // queued) at most max_bytes of their declared sizes.
  OrderedRunner(unsigned jobs, std::size_t max_items, std::size_t max_bytes, Writer write, bool submitter_works = false)
      : max_items_(std::max<std::size_t>(1, max_items)), max_bytes_(max_bytes), write_(std::move(write)),
        submitter_works_(submitter_works) {
    const unsigned n = submitter_works ? jobs : std::max(1U, jobs);
    workers_.reserve(n);
    for (unsigned i = 0; i < n; ++i) workers_.emplace_back([this] { serve(); });
  }
  ~OrderedRunner() {
    try {
      finish();
    } catch (...) {  // a writer's failure was reported by submit() already, or is lost with the runner
    }
  }
  OrderedRunner(const OrderedRunner&) = delete;
  OrderedRunner& operator=(const OrderedRunner&) = delete;

  void submit(Work work, std::size_t bytes) {
    std::unique_lock lock(mutex_);
    for (;;) {
      write_ready(lock);
      if (write_error_) {
        lock.unlock();
        std::rethrow_exception(write_error_);
      }
      const bool full =
          window_.size() >= max_items_ || (queued_bytes_ > 0 && queued_bytes_ + bytes > max_bytes_);
      if (!full) break;
      // All of them: reading and working then alternate in batches, each
      // keeping its data in the cache (one item at a time measured slower).
      if (submitter_works_ && serve_next(lock)) {
        while (serve_next(lock)) {
        }
        continue;
      }
      slot_done_.wait(lock);
    }
    queued_bytes_ += bytes;
    window_.push_back(Slot{std::move(work), bytes, std::nullopt});
    work_ready_.notify_one();
  }

  void wait() {
    std::unique_lock lock(mutex_);
    write_all(lock);
    if (write_error_) {
      lock.unlock();
      std::rethrow_exception(write_error_);
    }
  }

  void finish() {
    if (finished_) return;
    finished_ = true;
    {
      std::unique_lock lock(mutex_);
      input_ended_ = true;
      work_ready_.notify_all();
      write_all(lock);
    }
    for (auto& t : workers_) t.join();
    workers_.clear();
    if (write_error_) std::rethrow_exception(std::exchange(write_error_, nullptr));
  }

 private:
  struct Slot {
    Work work;
    std::size_t bytes;
    std::optional<Result> result;
  };

  void serve() {
    std::unique_lock lock(mutex_);
    for (;;) {
      work_ready_.wait(lock, [&] { return next_to_serve_ < first_index_ + window_.size() || input_ended_; });
      if (!serve_next(lock)) return;
    }
  }

  // Does the oldest item nobody has taken, on this thread; false when there
  // is none.
  bool serve_next(std::unique_lock<std::mutex>& lock) {
    if (next_to_serve_ >= first_index_ + window_.size()) return false;
    // References to deque elements survive push_back and the pop_front of
    // other elements; this slot stays until it is done and written.
    Slot& slot = window_[next_to_serve_ - first_index_];
    ++next_to_serve_;
    Work work = std::move(slot.work);
    lock.unlock();
    Result result = work();
    work = nullptr;  // the item's memory goes before it is counted as gone
    lock.lock();
    queued_bytes_ -= slot.bytes;
    slot.result.emplace(std::move(result));
    slot_done_.notify_all();
    return true;
  }

  void write_all(std::unique_lock<std::mutex>& lock) {
    for (;;) {
      write_ready(lock);
      if (window_.empty()) return;
      if (submitter_works_ && serve_next(lock)) continue;
      slot_done_.wait(lock);
    }
  }

  // Writes the finished results at the front of the window, without the lock.
  void write_ready(std::unique_lock<std::mutex>& lock) {
    while (!window_.empty() && window_.front().result) {
      Result result = std::move(*window_.front().result);
      window_.pop_front();
      ++first_index_;
      lock.unlock();
      if (!write_error_) {
        try {
          write_(result);
        } catch (...) {
          write_error_ = std::current_exception();
        }
      }
      lock.lock();
    }
  }

  const std::size_t max_items_;
  const std::size_t max_bytes_;
  Writer write_;
  std::mutex mutex_;
  std::condition_variable work_ready_;  // an item to serve, or the input ended
  std::condition_variable slot_done_;   // an item was served
  std::deque<Slot> window_;             // items in submission order, unwritten
  std::size_t first_index_ = 0;         // submission index of window_.front()
  std::size_t next_to_serve_ = 0;       // submission index of the next item to serve
  std::size_t queued_bytes_ = 0;        // declared sizes of items not yet served
  const bool submitter_works_;
  bool input_ended_ = false;
  bool finished_ = false;
  std::exception_ptr write_error_;  // only the submitting thread touches it
  std::vector<std::thread> workers_;
};

}  // namespace tarvik::cli
