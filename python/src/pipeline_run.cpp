#include "pipeline_run.hpp"

#include <boost/asio/bind_cancellation_slot.hpp>
#include <boost/asio/co_spawn.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/redirect_error.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/this_coro.hpp>
#include <boost/asio/use_awaitable.hpp>
#include <boost/system/system_error.hpp>

namespace tarvik::python {

SharedObject share(py::object object) {
  return SharedObject(new py::object(std::move(object)), [](py::object* held) {
    // An interpreter on its way out can no longer take references back.
    if (Py_IsInitialized() == 0 || _Py_IsFinalizing() != 0) {
      held->release();
    } else {
      py::gil_scoped_acquire gil;
      held->release().dec_ref();
    }
    delete held;
  });
}

bool LoopHandle::post(std::function<void()> fn) {
  std::lock_guard lock(mutex_);
  if (loop_ == nullptr) return false;
  asio::post(*loop_, std::move(fn));
  return true;
}

void LoopHandle::release() {
  std::lock_guard lock(mutex_);
  loop_ = nullptr;
}

namespace {

// One wait for a Python future: woken from the Python side through the
// run's loop, so the timer is only ever touched on the run's thread.
struct FutureWait {
  explicit FutureWait(const asio::any_io_executor& executor)
      : timer(executor, asio::steady_timer::time_point::max()) {}
  asio::steady_timer timer;
  bool done = false;
};

asio::awaitable<void> deliver(std::shared_ptr<LoopHandle> loop, SharedObject notify, std::string message) {
  auto wait = std::make_shared<FutureWait>(co_await asio::this_coro::executor);
  SharedObject future;
  {
    py::gil_scoped_acquire gil;
    // Text from the web: bad UTF-8 in a merchant's name must not end the run.
    auto text = py::reinterpret_steal<py::str>(
        PyUnicode_DecodeUTF8(message.data(), static_cast<Py_ssize_t>(message.size()), "replace"));
    if (!text) throw py::error_already_set();
    future = share((*notify)(text));
    std::weak_ptr<FutureWait> weak = wait;
    py::cpp_function wake([loop, weak](py::handle) {
      loop->post([weak] {
        if (auto w = weak.lock()) {
          w->done = true;
          w->timer.cancel();
        }
      });
    });
    future->attr("add_done_callback")(wake);
  }
  boost::system::error_code ec;
  co_await wait->timer.async_wait(asio::redirect_error(asio::use_awaitable, ec));
  py::gil_scoped_acquire gil;
  if (!wait->done) {
    // The run was cancelled while the callback was still going: stop it too.
    future->attr("cancel")();
    throw boost::system::system_error(asio::error::operation_aborted, "progress callback");
  }
  // The callback's own exception, as the same Python object.
  future->attr("result")();
}

}  // namespace

commerce::ProgressCallback progress_bridge(std::shared_ptr<LoopHandle> loop, py::object notify) {
  if (notify.is_none()) return {};
  SharedObject target = share(std::move(notify));
  return commerce::ProgressCallback(
      [loop, target](const std::string& message) { return deliver(loop, target, message); });
}

NativeRun::~NativeRun() { shutdown(); }

void NativeRun::start(asio::awaitable<void> op, py::object finish, std::function<void()> on_end) {
  finish_ = share(std::move(finish));
  on_end_ = std::move(on_end);
  auto completion = [this](std::exception_ptr e) {
    error_ = e;
    completed_ = true;
    // What the operation left behind goes with the loop.
    loop_->stop();
  };
  asio::co_spawn(*loop_, std::move(op), asio::bind_cancellation_slot(cancel_.slot(), completion));
  thread_ = std::thread([this] { body(); });
}

void NativeRun::body() {
  loop_->run();
  handle_->release();
  // Frames still suspended are destroyed here, on this thread: a browser
  // session among them kills and reaps its browser.
  loop_.reset();
  if (on_end_) {
    try {
      on_end_();
    } catch (...) {  // the operation's own outcome is what the caller gets
    }
    on_end_ = nullptr;
  }
  ended_ = true;
  py::gil_scoped_acquire gil;
  try {
    (*finish_)();
  } catch (py::error_already_set& e) {
    e.discard_as_unraisable("tarvik_commerce: reporting the end of a run");
  }
  finish_.reset();
}

void NativeRun::cancel() {
  handle_->post([this] {
    if (completed_ || cancel_emitted_) return;
    cancel_emitted_ = true;
    cancel_.emit(asio::cancellation_type::terminal);
    auto grace = std::make_shared<asio::steady_timer>(*loop_, kGrace);
    grace->async_wait([this, grace](const boost::system::error_code& ec) {
      if (!ec) loop_->stop();
    });
  });
}

void NativeRun::join() {
  if (PyGILState_Check() != 0) {
    py::gil_scoped_release release;
    std::lock_guard lock(join_mutex_);
    if (thread_.joinable()) thread_.join();
  } else {
    std::lock_guard lock(join_mutex_);
    if (thread_.joinable()) thread_.join();
  }
}

bool NativeRun::running() const { return thread_.joinable() && !ended_.load(); }

void NativeRun::shutdown() {
  if (!thread_.joinable()) return;
  cancel();
  join();
}

void NativeRun::rethrow_error() {
  if (error_) std::rethrow_exception(error_);
}

}  // namespace tarvik::python
