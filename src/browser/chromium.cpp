// The Chromium session: browser start and stop, tabs, page reads.
#include <sys/socket.h>
#include <unistd.h>

#include <boost/asio/bind_cancellation_slot.hpp>
#include <boost/asio/co_spawn.hpp>
#include <boost/asio/deferred.hpp>
#include <boost/asio/detached.hpp>
#include <boost/asio/experimental/parallel_group.hpp>
#include <boost/asio/redirect_error.hpp>
#include <boost/asio/this_coro.hpp>
#include <boost/asio/use_awaitable.hpp>
#include <boost/json/serialize.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "chromium_impl.hpp"
#include "tarvik/util/url.hpp"
#include "tarvik/util/text.hpp"

namespace tarvik::browser {

using detail::object_at;
using detail::string_at;
using detail::Tab;
using namespace std::chrono_literals;

namespace {

bool is_executable_file(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec) && access(path.c_str(), X_OK) == 0;
}

std::optional<std::string> on_path(std::string_view name) {
  if (name.find('/') != std::string_view::npos) {
    std::string path(name);
    return is_executable_file(path) ? std::optional<std::string>(path) : std::nullopt;
  }
  const char* env = std::getenv("PATH");
  const std::string path_list = env && *env ? env : "/usr/local/bin:/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= path_list.size()) {
    const std::size_t end = std::min(path_list.find(':', start), path_list.size());
    std::string dir = path_list.substr(start, end - start);
    if (dir.empty()) dir = ".";
    std::string candidate = dir + "/" + std::string(name);
    if (is_executable_file(candidate)) return candidate;
    start = end + 1;
  }
  return std::nullopt;
}

std::vector<std::string> launch_flags(const ChromiumOptions& options, const std::filesystem::path& profile,
                                      std::uint16_t proxy_port) {
  std::vector<std::string> flags;
  if (options.session.headless) flags.emplace_back("--headless=new");
  for (const char* flag : {
           "--remote-debugging-pipe",
           "--disable-gpu",
           "--no-first-run",
           "--no-default-browser-check",
           "--disable-background-networking",
           "--disable-component-update",
           "--disable-sync",
           "--disable-default-apps",
           "--disable-extensions",
           "--disable-breakpad",
           "--disable-domain-reliability",
           "--disable-client-side-phishing-detection",
           "--disable-dev-shm-usage",
           "--metrics-recording-only",
           "--no-pings",
           "--password-store=basic",
           "--use-mock-keychain",
           "--mute-audio",
           "--hide-scrollbars",
           // Pages open side by side in background tabs: their timers must
           // not be held to once a second (settling waits on them).
           "--disable-background-timer-throttling",
           "--disable-renderer-backgrounding",
           "--disable-backgrounding-occluded-windows",
           // Site isolation stays on: frames of other sites run in processes of
           // their own, which are not intercepted and so load nothing.
           "--disable-features=Translate,OptimizationHints,MediaRouter,HttpsUpgrades,"
           "HttpsFirstBalancedModeAutoEnable,AutofillServerCommunication",
           "--disable-blink-features=AutomationControlled",
           "--lang=en-US",
           "--accept-lang=en-US,en",
           // A screen with a taskbar's work area, and a window that fits in it:
           // headless defaults (an 800x600 screen, no work area, a larger
           // window) are a known tell.
           "--screen-info={1366x768 workAreaBottom=40}",
           "--window-size=1366,728",
       })
    flags.emplace_back(flag);
  // Network: everything through the session's egress proxy.
  for (auto& flag : detail::network_flags(proxy_port, options.session.insecure || options.fetch.insecure))
    flags.push_back(std::move(flag));
  // The sandbox needs user namespaces, which a root process cannot use.
  if (geteuid() == 0) flags.emplace_back("--no-sandbox");
  flags.push_back("--user-data-dir=" + profile.string());
  for (const auto& extra : options.extra_flags) flags.push_back(extra);
  flags.emplace_back("about:blank");
  return flags;
}

// This process's environment, with the browser's temporary files (its
// singleton socket among them) kept inside the profile, which goes with it.
std::vector<std::string> browser_environment(const std::filesystem::path& profile) {
  std::vector<std::string> env;
  for (char** e = environ; e && *e; ++e)
    if (std::strncmp(*e, "TMPDIR=", 7) != 0) env.emplace_back(*e);
  env.push_back("TMPDIR=" + (profile / "tmp").string());
  return env;
}

std::filesystem::path make_profile_dir() {
  std::error_code ec;
  std::filesystem::path base = std::filesystem::temp_directory_path(ec);
  // Chromium's singleton socket ends up at PROFILE/tmp/org.chromium.Chromium.
  // XXXXXX/SingletonSocket, and a Unix socket path holds at most 107 bytes:
  // under a long TMPDIR the browser could not start at all.
  constexpr std::size_t kSocketSuffix = sizeof("/tarvik-chromium-XXXXXX/tmp/org.chromium.Chromium.XXXXXX/SingletonSocket");
  if (ec || base.string().size() + kSocketSuffix > 107) base = "/tmp";
  std::string pattern = (base / "tarvik-chromium-XXXXXX").string();
  if (!mkdtemp(pattern.data()))
    throw BrowserError("cannot create a temporary browser profile in " + base.string() + ": " + std::strerror(errno));
  return pattern;
}

// The last lines the browser wrote before failing, for the error message.
std::string output_tail(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return {};
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  const std::streamoff keep = std::min<std::streamoff>(size, 600);
  in.seekg(size - keep);
  std::string tail(static_cast<std::size_t>(keep), '\0');
  in.read(tail.data(), keep);
  return std::string(text::trim(text::repair_utf8(tail)));
}

std::chrono::milliseconds left_until(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return std::max(left, 1ms);
}

// The browser's own client hints, read in a chrome:// tab of its own (a
// secure context that runs no page scripts); none when they cannot be read
// within `limit`. The tab is closed either way.
asio::awaitable<std::optional<json::object>> browser_client_hints(detail::CdpConnection& cdp,
                                                                  std::chrono::milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  std::string target;
  std::optional<json::object> hints;
  try {
    json::object create;
    create["url"] = "chrome://version";
    target = string_at(co_await cdp.call("Target.createTarget", std::move(create), "", left_until(deadline)), "targetId");
    json::object attach;
    attach["targetId"] = target;
    attach["flatten"] = true;
    const std::string session =
        string_at(co_await cdp.call("Target.attachToTarget", std::move(attach), "", left_until(deadline)), "sessionId");
    asio::steady_timer pause(co_await asio::this_coro::executor);
    while (!hints && Clock::now() < deadline) {
      json::object eval;
      eval["expression"] = detail::kClientHintsProbe;
      eval["returnByValue"] = true;
      eval["awaitPromise"] = true;
      eval["silent"] = true;
      try {
        const json::object reply = co_await cdp.call("Runtime.evaluate", std::move(eval), session, left_until(deadline));
        const json::object* result = object_at(reply, "result");
        if (const json::object* value = result ? object_at(*result, "value") : nullptr) hints = *value;
      } catch (const BrowserError&) {
        // The document changed under the call: ask the new one.
      }
      if (hints) break;
      pause.expires_after(20ms);
      co_await pause.async_wait(asio::use_awaitable);
    }
  } catch (const BrowserError&) {
    hints.reset();
  }
  if (!target.empty() && cdp.is_open()) {
    json::object close;
    close["targetId"] = target;
    cdp.post("Target.closeTarget", std::move(close), "");
  }
  co_return hints;
}

// Emulation's UserAgentMetadata from what the browser reported; an empty
// object (no override of the client hints) when the report lacks brands.
json::object user_agent_metadata(const json::object& hints, const std::string& full_version) {
  const auto brand_list = [&](std::string_view key) {
    json::array out;
    const json::value* list = hints.if_contains(key);
    if (!list || !list->is_array()) return out;
    for (const auto& entry : list->get_array()) {
      if (!entry.is_object()) continue;
      const std::string brand = string_at(entry.get_object(), "brand");
      const std::string brand_version = string_at(entry.get_object(), "version");
      if (brand.empty() || brand_version.empty()) continue;
      json::object b;
      b["brand"] = brand;
      b["version"] = brand_version;
      out.push_back(std::move(b));
    }
    return out;
  };
  json::object metadata;
  json::array brands = brand_list("brands");
  if (brands.empty()) return metadata;
  metadata["brands"] = std::move(brands);
  if (json::array full = brand_list("fullVersionList"); !full.empty()) metadata["fullVersionList"] = std::move(full);
  if (!full_version.empty()) metadata["fullVersion"] = full_version;
  for (const char* key : {"platform", "platformVersion", "architecture", "bitness", "model"})
    metadata[key] = string_at(hints, key);
  const json::value* mobile = hints.if_contains("mobile");
  metadata["mobile"] = mobile && mobile->is_bool() && mobile->get_bool();
  if (const json::value* wow64 = hints.if_contains("wow64"); wow64 && wow64->is_bool()) metadata["wow64"] = *wow64;
  if (const json::value* factors = hints.if_contains("formFactors"); factors && factors->is_array()) {
    json::array strings;
    for (const auto& f : factors->get_array())
      if (f.is_string()) strings.push_back(f);
    metadata["formFactors"] = std::move(strings);
  }
  // Not part of the metadata: navigator.platform, which the override would
  // otherwise reset.
  metadata["navigatorPlatform"] = string_at(hints, "navigatorPlatform");
  return metadata;
}

std::chrono::microseconds since(Clock::time_point& mark) {
  const auto now = Clock::now();
  const auto spent = std::chrono::duration_cast<std::chrono::microseconds>(now - mark);
  mark = now;
  return spent;
}

using SetupCall =
    decltype(asio::co_spawn(std::declval<asio::any_io_executor>(), std::declval<asio::awaitable<json::object>>(),
                            asio::deferred));

// Evaluates `expression` in an isolated world of the tab's document (made
// once per document): the page's scripts cannot replace what it calls, nor
// see it run.
asio::awaitable<json::object> evaluate_isolated(ChromiumSession::Impl& impl, Tab& tab, std::string expression,
                                                bool await_promise, std::chrono::milliseconds timeout) {
  // A world made for an earlier document fails once; then a new one is made.
  for (bool fresh = tab.isolated_world == 0;; fresh = true) {
    if (tab.isolated_world == 0) {
      json::object world_params;
      world_params["frameId"] = tab.target_id;
      world_params["worldName"] = detail::kReadingWorld;
      world_params["grantUniveralAccess"] = false;
      const json::object world =
          co_await impl.cdp->call("Page.createIsolatedWorld", std::move(world_params), tab.session_id, timeout);
      const json::value* context = world.if_contains("executionContextId");
      if (!context || !context->is_int64()) throw BrowserError("the page has no document to read");
      tab.isolated_world = context->get_int64();
    }
    json::object eval;
    eval["expression"] = expression;
    eval["contextId"] = tab.isolated_world;
    eval["returnByValue"] = true;
    eval["awaitPromise"] = await_promise;
    eval["silent"] = true;
    eval["timeout"] = static_cast<double>(timeout.count());
    std::optional<json::object> reply;
    try {
      reply = co_await impl.cdp->call("Runtime.evaluate", std::move(eval), tab.session_id, timeout);
    } catch (const BrowserError&) {
      if (fresh) throw;
      tab.isolated_world = 0;
    }
    if (reply) co_return std::move(*reply);
  }
}

class ChromiumPage final : public Page {
 public:
  ChromiumPage(std::shared_ptr<ChromiumSession::Impl> impl, std::shared_ptr<Tab> tab)
      : impl_(std::move(impl)), tab_(std::move(tab)) {}
  ~ChromiumPage() override { release(true); }

  std::optional<int> status() const override { return status_; }
  // The main document's status once loaded (later documents do not change it).
  void take_status() { status_ = tab_->status; }

  asio::awaitable<std::vector<Element>> css(std::string selector, std::size_t limit) override {
    if (closed_) throw BrowserError("the page is closed");
    impl_->require_running();
    if (tab_->gone) throw BrowserError(tab_->gone_reason);
    const std::size_t count = std::min(limit, kMaxCssElements);
    std::string expression = "(" + std::string(detail::kCssFunction) + ")(" +
                             json::serialize(json::value(text::repair_utf8(selector))) + "," + std::to_string(count) +
                             "," + std::to_string(kMaxTextLength) + "," + std::to_string(kMaxAttributes) + "," +
                             std::to_string(kMaxCssTextBudget) + ")";
    auto started = Clock::now();
    const json::object reply =
        co_await evaluate_isolated(*impl_, *tab_, std::move(expression), false, impl_->timeout());
    impl_->stats.timeline.read += since(started);
    if (const json::object* details = object_at(reply, "exceptionDetails")) {
      std::string what = string_at(*details, "text");
      if (const json::object* exception = object_at(*details, "exception"))
        what = string_at(*exception, "description").substr(0, 300);
      throw BrowserError("selector " + selector + " failed: " + what);
    }
    std::vector<Element> elements;
    const json::object* result = object_at(reply, "result");
    const json::value* value = result ? result->if_contains("value") : nullptr;
    if (!value || !value->is_array()) throw BrowserError("the page returned no selection");
    for (const auto& row : value->get_array()) {
      if (!row.is_array() || row.get_array().size() != 3) continue;
      const json::array& r = row.get_array();
      std::vector<std::pair<std::string, std::string>> attributes;
      if (r[0].is_array()) {
        for (const auto& pair : r[0].get_array()) {
          if (!pair.is_array() || pair.get_array().size() != 2) continue;
          const auto& p = pair.get_array();
          if (!p[0].is_string() || !p[1].is_string()) continue;
          attributes.emplace_back(text::repair_utf8(p[0].get_string()), text::repair_utf8(p[1].get_string()));
        }
      }
      std::optional<std::string> all_text, own_text;
      if (r[1].is_string()) all_text = text::repair_utf8(r[1].get_string());
      if (r[2].is_string()) own_text = text::repair_utf8(r[2].get_string());
      elements.emplace_back(std::move(attributes), std::move(all_text), std::move(own_text));
    }
    co_return elements;
  }

  asio::awaitable<std::string> html() override {
    if (closed_) throw BrowserError("the page is closed");
    impl_->require_running();
    if (tab_->gone) throw BrowserError(tab_->gone_reason);
    std::string expression =
        "(() => { const root = document.documentElement; const h = root ? root.outerHTML : '';"
        " const cut = h.length > " + std::to_string(kMaxHtmlLength) + " ? h.slice(0, " + std::to_string(kMaxHtmlLength) +
        ") : h; return typeof cut.toWellFormed === 'function' ? cut.toWellFormed() : cut; })()";
    auto started = Clock::now();
    const json::object reply =
        co_await evaluate_isolated(*impl_, *tab_, std::move(expression), false, impl_->timeout());
    impl_->stats.timeline.read += since(started);
    const json::object* result = object_at(reply, "result");
    const json::value* value = result ? result->if_contains("value") : nullptr;
    if (object_at(reply, "exceptionDetails") || !value || !value->is_string())
      throw BrowserError("the page's markup could not be read");
    co_return text::repair_utf8(value->get_string());
  }

  asio::awaitable<void> close() override {
    if (closed_) co_return;
    closed_ = true;
    impl_->tabs.erase(tab_->session_id);
    if (impl_->cdp && impl_->cdp->is_open() && !tab_->gone) {
      json::object params;
      params["targetId"] = tab_->target_id;
      try {
        co_await impl_->cdp->call("Target.closeTarget", std::move(params), "", 5s);
      } catch (const std::exception&) {
        // Gone already, or the browser is going: the slot is free either way.
      }
    }
    release(false);
  }

 private:
  // Frees the page's slot; a page destroyed without close() asks the browser
  // to close its tab without waiting.
  void release(bool close_tab) {
    if (released_) return;
    released_ = true;
    closed_ = true;
    impl_->tabs.erase(tab_->session_id);
    impl_->close_connections_of(*tab_);
    if (close_tab && !tab_->target_id.empty() && impl_->cdp && impl_->cdp->is_open()) {
      json::object params;
      params["targetId"] = tab_->target_id;
      impl_->cdp->post("Target.closeTarget", std::move(params), "");
    }
    if (impl_->slots) impl_->slots->try_receive([](boost::system::error_code) {});
  }

  std::shared_ptr<ChromiumSession::Impl> impl_;
  std::shared_ptr<Tab> tab_;
  std::optional<int> status_;
  bool closed_ = false;
  bool released_ = false;
};

}  // namespace

std::optional<std::string> find_browser(std::string_view given) {
  if (!given.empty()) return on_path(given);
  for (std::string_view name : {"chromium", "chromium-browser", "google-chrome"})
    if (auto found = on_path(name)) return found;
  return std::nullopt;
}

void ChromiumSession::Impl::close_connections_of(const Tab& closed) {
  if (!proxy) return;
  const auto used_elsewhere = [this](const std::string& key) {
    for (const auto& [id, tab] : tabs)
      if (tab->origins_overflow || tab->origins.count(key)) return true;
    return false;
  };
  // A tunnel that moved bytes a moment ago may be another tab's whose
  // requests the events have not told of yet: it stays.
  proxy->close_connections(
      [&](std::string_view host, std::uint16_t port) {
        const std::string key = std::string(host) + ":" + std::to_string(port);
        return (!closed.origins_overflow && !closed.origins.count(key)) || used_elsewhere(key);
      },
      detail::kTabConnectionQuiet);
}

void ChromiumSession::Impl::require_running() const {
  if (state == State::idle) throw BrowserError("the browser session has not been entered");
  if (state == State::exited) throw BrowserError("the browser session has been closed");
  if (!dead_reason.empty()) throw BrowserError("the browser is not running: " + dead_reason);
}

void ChromiumSession::Impl::on_event(const std::string& method, const json::object& params,
                                     const std::string& session_id) {
  if (method == "Target.targetCreated") {
    // Pop-ups: pages that a page opened.
    const json::object* info = object_at(params, "targetInfo");
    if (info && string_at(*info, "type") == "page" && !string_at(*info, "openerId").empty()) {
      json::object close;
      close["targetId"] = string_at(*info, "targetId");
      cdp->post("Target.closeTarget", std::move(close), "");
      ++stats.popups_closed;
    }
    return;
  }
  if (method == "Target.detachedFromTarget") {
    auto it = tabs.find(string_at(params, "sessionId"));
    if (it != tabs.end()) {
      it->second->gone = true;
      it->second->gone_reason = "the browser closed the tab";
      it->second->signal();
    }
    return;
  }
  auto it = tabs.find(session_id);
  if (it == tabs.end()) {
    // A request of a tab that is being closed must not hang in the browser.
    if (method == "Fetch.requestPaused" && !session_id.empty()) {
      json::object fail;
      fail["requestId"] = string_at(params, "requestId");
      fail["errorReason"] = "Aborted";
      cdp->post("Fetch.failRequest", std::move(fail), session_id);
    }
    return;
  }
  const std::shared_ptr<Tab>& tab = it->second;
  if (detail::track_network(*tab, method, params)) return;
  if (method == "Fetch.requestPaused") {
    auto signal = std::make_shared<asio::cancellation_signal>();
    const std::uint64_t id = next_handler++;
    handlers.emplace(id, signal);
    auto self = shared_from_this();
    asio::co_spawn(*executor, paused(self, tab, params),
                   asio::bind_cancellation_slot(signal->slot(), [self, id](std::exception_ptr) {
                     self->handlers.erase(id);
                   }));
  } else if (method == "Page.frameNavigated") {
    // A new document in the tab's main frame: the blank one, ours, or one the
    // page went to. Load events count for the last one.
    const json::object* frame = object_at(params, "frame");
    if (frame && string_at(*frame, "id") == tab->target_id && string_at(*frame, "parentId").empty()) {
      if (tab->committed.size() == 16) tab->committed.erase(tab->committed.begin());
      tab->committed.push_back(string_at(*frame, "loaderId"));
      tab->loaded = false;
      tab->isolated_world = 0;
      tab->signal();
    }
  } else if (method == "Page.loadEventFired") {
    tab->loaded = true;
    tab->signal();
  } else if (method == "Page.javascriptDialogOpening") {
    json::object dismiss;
    dismiss["accept"] = false;
    cdp->post("Page.handleJavaScriptDialog", std::move(dismiss), session_id);
  } else if (method == "Inspector.targetCrashed") {
    tab->gone = true;
    tab->gone_reason = "the page crashed";
    tab->signal();
  }
}

void ChromiumSession::Impl::on_closed(const std::string& reason) {
  if (dead_reason.empty()) dead_reason = reason;
  for (auto& [id, tab] : tabs) {
    tab->gone = true;
    tab->gone_reason = "the browser is not running: " + reason;
    tab->signal();
  }
  if (slots) slots->close();
}

asio::awaitable<void> ChromiumSession::Impl::drain_handlers(std::chrono::milliseconds limit) {
  std::vector<std::shared_ptr<asio::cancellation_signal>> signals;
  for (auto& [id, signal] : handlers) signals.push_back(signal);
  for (auto& signal : signals) signal->emit(asio::cancellation_type::terminal);
  asio::steady_timer timer(*executor);
  const auto deadline = Clock::now() + limit;
  while (!handlers.empty() && Clock::now() < deadline) {
    timer.expires_after(5ms);
    boost::system::error_code ec;
    co_await timer.async_wait(asio::redirect_error(asio::use_awaitable, ec));
  }
}

void ChromiumSession::Impl::shutdown_now() noexcept {
  if (proxy) {
    proxy->stop();
    stats.proxy = proxy->stats();
    proxy.reset();
  }
  if (process) {
    process->terminate_now();
    process.reset();
  }
  if (cdp) cdp->close("the browser session was closed");
  if (!profile.empty()) {
    // The keeper removed it; this covers a browser that never started.
    std::error_code ignored;
    std::filesystem::remove_all(profile, ignored);
    profile.clear();
  }
}

ChromiumSession::ChromiumSession(ChromiumOptions options) {
  if (options.session.max_pages < 1)
    throw BrowserError("max_pages must be at least 1, got " + std::to_string(options.session.max_pages));
  if (options.session.timeout_ms < 1)
    throw BrowserError("the time-out must be positive, got " + std::to_string(options.session.timeout_ms) + " ms");
  impl_ = std::make_shared<Impl>(std::move(options));
}

ChromiumSession::~ChromiumSession() {
  impl_->state = Impl::State::exited;
  impl_->shutdown_now();
}

pid_t ChromiumSession::browser_pid() const { return impl_->process ? impl_->process->browser_pid() : 0; }

ChromiumStats ChromiumSession::stats() const {
  ChromiumStats out = impl_->stats;
  if (impl_->proxy) out.proxy = impl_->proxy->stats();
  return out;
}

asio::awaitable<void> ChromiumSession::enter() {
  Impl& impl = *impl_;
  if (impl.state == Impl::State::running) co_return;
  if (impl.state == Impl::State::exited) throw BrowserError("the browser session has been closed");
  const auto executor = co_await asio::this_coro::executor;
  impl.executor = executor;

  const std::optional<std::string> executable = find_browser(impl.options.executable);
  if (!executable) {
    if (impl.options.executable.empty())
      throw BrowserError("no browser found: none of chromium, chromium-browser, google-chrome is on the PATH");
    throw BrowserError("browser not found or not executable: " + impl.options.executable);
  }

  std::exception_ptr failure;
  try {
    impl.profile = make_profile_dir();
    int pair[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0)
      throw BrowserError(std::string("cannot create the browser's pipe: ") + std::strerror(errno));
    impl.cdp = std::make_shared<detail::CdpConnection>(executor, pair[0]);
    const int theirs = pair[1];
    try {
      std::error_code ec;
      std::filesystem::create_directory(impl.profile / "tmp", ec);
      impl.net = detail::net_mode(impl.options);
      EgressProxyOptions proxy;
      proxy.connect_to = impl.options.fetch.connect_to;
      proxy.allow_private_network = impl.options.fetch.allow_private_network;
      proxy.refuse_all = impl.net == detail::NetMode::answer;
      proxy.connect_timeout = std::max(impl.options.fetch.connect_timeout, 1ms);
      proxy.idle_timeout = std::max(impl.options.proxy_idle_timeout, 1ms);
      proxy.max_connections = std::max<std::size_t>(impl.options.max_connections, 1);
      try {
        impl.proxy = std::make_unique<EgressProxy>(executor, std::move(proxy));
      } catch (const std::exception& e) {
        throw BrowserError(std::string("cannot start the browser's proxy: ") + e.what());
      }
      impl.process = co_await detail::BrowserProcess::start(*executable,
                                                            launch_flags(impl.options, impl.profile, impl.proxy->port()),
                                                            browser_environment(impl.profile), theirs,
                                                            impl.profile / "browser-output.log", impl.profile);
    } catch (...) {
      close(theirs);
      throw;
    }
    close(theirs);
    std::weak_ptr<Impl> weak = impl_;
    impl.cdp->start(
        [weak](const std::string& method, const json::object& params, const std::string& session_id) {
          if (auto self = weak.lock()) self->on_event(method, params, session_id);
        },
        [weak](const std::string& reason) {
          if (auto self = weak.lock()) self->on_closed(reason);
        });

    json::object version;
    std::optional<std::string> not_started;
    try {
      version = co_await impl.cdp->call("Browser.getVersion", json::object(), "", impl.options.start_timeout);
    } catch (const BrowserError& e) {
      not_started = e.what();
    }
    if (not_started) {
      // Let a browser that is exiting finish writing why.
      co_await impl.process->wait_exit(500ms);
      const std::string tail = output_tail(impl.profile / "browser-output.log");
      throw BrowserError("the browser did not start: " + *not_started + (tail.empty() ? "" : "; its last output: " + tail));
    }
    impl.user_agent = impl.options.fetch.user_agent;
    if (impl.user_agent.empty()) {
      impl.user_agent = string_at(version, "userAgent");
      text::replace_all(impl.user_agent, "HeadlessChrome", "Chrome");
    }
    const std::string product = string_at(version, "product");  // "Chrome/156.0.8078.129"
    if (auto hints = co_await browser_client_hints(*impl.cdp, impl.options.start_timeout))
      impl.user_agent_metadata = user_agent_metadata(*hints, product.substr(std::min(product.find('/') + 1, product.size())));

    json::object discover;
    discover["discover"] = true;
    co_await impl.cdp->call("Target.setDiscoverTargets", std::move(discover), "", impl.options.start_timeout);
    json::object downloads;
    downloads["behavior"] = "deny";
    co_await impl.cdp->call("Browser.setDownloadBehavior", std::move(downloads), "", impl.options.start_timeout);

    if (impl.net == detail::NetMode::answer) {
      impl.exchange = impl.options.exchange ? impl.options.exchange
                                            : detail::fetcher_exchange(executor, impl.options.fetch);
    }
    impl.slots = std::make_unique<detail::PageSlots>(executor, static_cast<std::size_t>(impl.options.session.max_pages));
    impl.state = Impl::State::running;
  } catch (...) {
    failure = std::current_exception();
  }
  if (failure) {
    impl.shutdown_now();
    impl.cdp.reset();
    std::rethrow_exception(failure);
  }
}

asio::awaitable<void> ChromiumSession::exit() {
  auto impl = impl_;
  if (impl->state != Impl::State::running) {
    impl->state = Impl::State::exited;
    impl->shutdown_now();
    co_return;
  }
  impl->state = Impl::State::exited;
  if (impl->slots) impl->slots->close();
  co_await impl->drain_handlers(500ms);
  if (impl->cdp && impl->cdp->is_open()) {
    try {
      co_await impl->cdp->call("Browser.close", json::object(), "", impl->options.close_grace);
    } catch (const std::exception&) {
      // The reply often never comes: the browser is already exiting.
    }
  }
  if (impl->process && !co_await impl->process->wait_exit(impl->options.close_grace)) {
    impl->process->kill_tree();
    co_await impl->process->wait_exit(2s);
  }
  impl->shutdown_now();
}

asio::awaitable<std::unique_ptr<Page>> ChromiumSession::fetch(std::string url) {
  auto impl = impl_;
  impl->require_running();
  if (!tarvik::url::is_web_url(url)) throw BrowserError("only http and https pages are opened: " + url.substr(0, 200));
  {
    boost::system::error_code ec;
    co_await impl->slots->async_send(boost::system::error_code{}, asio::redirect_error(asio::use_awaitable, ec));
    if (ec) throw BrowserError("the browser session has been closed");
  }
  auto tab = std::make_shared<Tab>(*impl->executor);
  // The page owns the slot and the tab from here on: a failure below destroys
  // it, which closes the tab and frees the slot.
  auto page = std::make_unique<ChromiumPage>(impl, tab);
  impl->require_running();
  const auto timeout = impl->timeout();
  // Opening the tab has a deadline of its own (the start-up one): a busy
  // machine can take seconds to start a page's process, before any navigation.
  auto deadline = Clock::now() + impl->options.start_timeout;
  auto mark = Clock::now();
  ChromiumStats::Timeline times;

  json::object create;
  create["url"] = "about:blank";
  const json::object created = co_await impl->cdp->call("Target.createTarget", std::move(create), "", left_until(deadline));
  tab->target_id = string_at(created, "targetId");
  times.create = since(mark);
  json::object attach;
  attach["targetId"] = tab->target_id;
  attach["flatten"] = true;
  const json::object attached = co_await impl->cdp->call("Target.attachToTarget", std::move(attach), "", left_until(deadline));
  tab->session_id = string_at(attached, "sessionId");
  if (tab->target_id.empty() || tab->session_id.empty()) throw BrowserError("the browser opened no tab");
  impl->tabs.emplace(tab->session_id, tab);

  // Only "HeadlessChrome" in the user agent changes; the client hints, the
  // platform and Accept-Language stay what the browser itself reported.
  std::optional<json::object> agent;
  if (!impl->user_agent_metadata.empty()) {
    json::object metadata = impl->user_agent_metadata;
    const std::string platform = string_at(metadata, "navigatorPlatform");
    metadata.erase("navigatorPlatform");
    agent.emplace();
    (*agent)["userAgent"] = impl->user_agent;
    if (!platform.empty()) (*agent)["platform"] = platform;
    (*agent)["userAgentMetadata"] = std::move(metadata);
  }
  std::optional<json::object> intercept = detail::interception(impl->options, impl->net);
  // Sent together: the tab handles them in order, and a page process that is
  // still starting answers them all at once.
  const auto left = left_until(deadline);
  auto& cdp = *impl->cdp;
  std::vector<SetupCall> setup;
  setup.push_back(asio::co_spawn(*impl->executor, cdp.call("Page.enable", json::object(), tab->session_id, left),
                                 asio::deferred));
  // Network events tell the document's status, which requests are open and
  // when one last started or ended, whoever answers them; bodies are not kept
  // for the protocol (recording asks at the response stage).
  json::object network;
  network["maxTotalBufferSize"] = 65536;
  network["maxResourceBufferSize"] = 65536;
  network["maxPostDataSize"] = 0;
  setup.push_back(asio::co_spawn(*impl->executor, cdp.call("Network.enable", std::move(network), tab->session_id, left),
                                 asio::deferred));
  json::object clock;
  clock["source"] = detail::kMutationClock;
  clock["worldName"] = detail::kReadingWorld;
  setup.push_back(asio::co_spawn(
      *impl->executor, cdp.call("Page.addScriptToEvaluateOnNewDocument", std::move(clock), tab->session_id, left),
      asio::deferred));
  if (agent)
    setup.push_back(asio::co_spawn(
        *impl->executor, cdp.call("Emulation.setUserAgentOverride", std::move(*agent), tab->session_id, left),
        asio::deferred));
  if (intercept) {
    setup.push_back(asio::co_spawn(*impl->executor, cdp.call("Fetch.enable", std::move(*intercept), tab->session_id, left),
                                   asio::deferred));
  }
  auto [order, errors, replies] = co_await asio::experimental::make_parallel_group(std::move(setup))
                                      .async_wait(asio::experimental::wait_for_all(), asio::use_awaitable);
  for (const auto& error : errors)
    if (error) std::rethrow_exception(error);
  times.attach = since(mark);

  deadline = Clock::now() + timeout;
  json::object navigate;
  navigate["url"] = url;
  const json::object navigated =
      co_await impl->cdp->call("Page.navigate", std::move(navigate), tab->session_id, left_until(deadline));
  if (const std::string error = string_at(navigated, "errorText"); !error.empty()) {
    throw BrowserError("loading " + url + " failed: " + error +
                       (tab->main_error.empty() ? std::string() : " (" + tab->main_error + ")"));
  }

  times.navigate = since(mark);

  // The load event of our document (or of one it went on to), then quiet.
  const std::string loader = string_at(navigated, "loaderId");
  const auto ours_loaded = [&] {
    return tab->loaded && (loader.empty() || std::find(tab->committed.begin(), tab->committed.end(), loader) !=
                                                 tab->committed.end());
  };
  const auto wait_until = [&](Clock::time_point until) -> asio::awaitable<void> {
    tab->wake.expires_at(std::min(until, Clock::now() + 25ms));
    boost::system::error_code ec;
    co_await tab->wake.async_wait(asio::redirect_error(asio::use_awaitable, ec));
  };
  while (!ours_loaded()) {
    impl->require_running();
    if (tab->gone) throw BrowserError(tab->gone_reason);
    if (Clock::now() >= deadline)
      throw BrowserError("loading " + url + " timed out after " + std::to_string(timeout.count()) + " ms");
    co_await wait_until(deadline);
  }
  times.load = since(mark);
  // Settled: network idle and document unchanged for `settle_quiet`, on
  // evidence. The settle function watches the document in the isolated world
  // and returns once it has been quiet that long and the network's own quiet
  // period is over; if nothing started or ended on the network meanwhile,
  // both held together.
  const auto settle_end = std::min(deadline, Clock::now() + impl->options.settle_max);
  const auto quiet = impl->options.settle_quiet;
  const auto ms = [](Clock::duration d) {
    return std::to_string(std::max<long long>(0, std::chrono::duration_cast<std::chrono::milliseconds>(d).count()));
  };
  while (Clock::now() < settle_end && !tab->gone && impl->dead_reason.empty()) {
    if (!tab->open_requests.empty()) {
      co_await wait_until(settle_end);
      continue;
    }
    const auto network_mark = tab->last_network;
    const auto now = Clock::now();
    const std::string expression = "(" + std::string(detail::kSettleFunction) + ")(" + ms(quiet) + "," +
                                   ms(network_mark + quiet - now) + "," + ms(settle_end - now) + ")";
    bool evaluated = true;
    bool quiet_document = false;
    try {
      const json::object reply =
          co_await evaluate_isolated(*impl, *tab, expression, true, left_until(settle_end) + 500ms);
      const json::object* result = object_at(reply, "result");
      const json::value* value = result ? result->if_contains("value") : nullptr;
      quiet_document = value && value->is_bool() && value->get_bool();
    } catch (const BrowserError&) {
      evaluated = false;  // between documents: the loop decides
    }
    if (!evaluated) {
      co_await wait_until(settle_end);
      continue;
    }
    if (quiet_document && tab->open_requests.empty() && tab->last_network == network_mark) break;
  }
  times.settle = since(mark);
  impl->require_running();
  if (tab->gone) throw BrowserError(tab->gone_reason);
  page->take_status();
  times.pages = 1;
  auto& total = impl->stats.timeline;
  total.create += times.create;
  total.attach += times.attach;
  total.navigate += times.navigate;
  total.load += times.load;
  total.settle += times.settle;
  total.pages += times.pages;
  co_return page;
}

}  // namespace tarvik::browser
