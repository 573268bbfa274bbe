// A scripted browser session for the resolver's tests: pages by URL, a
// selector engine that knows `a[href*="..."]` groups, and a record of what
// the resolver asked of it.
#pragma once

#include <boost/asio/steady_timer.hpp>
#include <boost/asio/this_coro.hpp>
#include <boost/asio/use_awaitable.hpp>

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tarvik/browser/session.hpp"
#include "tarvik/commerce/options.hpp"

namespace tarvik::testing {

namespace asio = boost::asio;

struct FakeLink {
  std::string href;
  std::optional<std::string> all_text;  // none: get_all_text() throws
  std::optional<std::string> own_text = std::nullopt;
};

struct FakePage {
  std::optional<int> status = 200;
  std::vector<FakeLink> links = {};
  bool no_page = false;           // fetch yields none
  std::string fetch_error = {};   // fetch throws BrowserError with this text
  std::chrono::milliseconds delay{0};
};

// What the resolver did with the session, shared by the session objects.
struct FakeBrowser {
  std::map<std::string, FakePage> pages;
  std::string enter_error;               // enter() throws this
  std::vector<browser::SessionOptions> made;
  std::vector<std::string> fetched;      // in fetch order
  int exited = 0, open_pages = 0, most_open = 0, closed_pages = 0;  // pages: fetching or open
  bool fetch_after_exit = false;

  commerce::PipelineOptions options() {
    commerce::PipelineOptions o;
    o.make_session = [this](const browser::SessionOptions& s) -> std::unique_ptr<browser::Session> {
      made.push_back(s);
      return std::make_unique<Session>(*this);
    };
    return o;
  }

  class Page : public browser::Page {
   public:
    // The page's slot was counted when its fetch began.
    Page(FakeBrowser& b, const FakePage& p) : browser_(b), page_(p) {}
    ~Page() override {
      if (!closed_) --browser_.open_pages;
    }
    std::optional<int> status() const override { return page_.status; }
    asio::awaitable<std::vector<browser::Element>> css(std::string selector, std::size_t limit) override {
      std::vector<std::string> needles;  // the X of each a[href*="X"]
      for (std::size_t at = selector.find("*=\""); at != std::string::npos; at = selector.find("*=\"", at + 1))
        needles.push_back(selector.substr(at + 3, selector.find('"', at + 3) - at - 3));
      std::vector<browser::Element> out;
      for (const auto& link : page_.links) {
        if (out.size() == limit) break;
        for (const auto& n : needles) {
          if (link.href.find(n) == std::string::npos) continue;
          out.emplace_back(std::vector<std::pair<std::string, std::string>>{{"href", link.href}}, link.all_text,
                           link.own_text);
          break;
        }
      }
      co_return out;
    }
    asio::awaitable<void> close() override {
      if (!closed_) {
        closed_ = true;
        --browser_.open_pages;
        ++browser_.closed_pages;
      }
      co_return;
    }

   private:
    FakeBrowser& browser_;
    FakePage page_;
    bool closed_ = false;
  };

  class Session : public browser::Session {
   public:
    explicit Session(FakeBrowser& b) : browser_(b) {}
    asio::awaitable<void> enter() override {
      if (!browser_.enter_error.empty()) throw browser::BrowserError(browser_.enter_error);
      co_return;
    }
    asio::awaitable<void> exit() override {
      ++browser_.exited;
      co_return;
    }
    asio::awaitable<std::unique_ptr<browser::Page>> fetch(std::string url) override {
      if (browser_.exited) browser_.fetch_after_exit = true;
      browser_.fetched.push_back(url);
      const auto it = browser_.pages.find(url);
      const FakePage page = it == browser_.pages.end() ? FakePage{404} : it->second;
      browser_.most_open = std::max(browser_.most_open, ++browser_.open_pages);
      if (page.delay.count() > 0) {
        asio::steady_timer timer(co_await asio::this_coro::executor, page.delay);
        co_await timer.async_wait(asio::use_awaitable);
      }
      if (!page.fetch_error.empty() || page.no_page) --browser_.open_pages;
      if (!page.fetch_error.empty()) throw browser::BrowserError(page.fetch_error);
      if (page.no_page) co_return nullptr;
      co_return std::make_unique<Page>(browser_, page);
    }

   private:
    FakeBrowser& browser_;
  };
};

}  // namespace tarvik::testing
