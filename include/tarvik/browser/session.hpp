// A stealth headless browser session: pages opened by URL, elements selected
// by CSS, for reading store search pages.
//
// The abstract session that store resolution drives, so that tests and
// embedders can supply their own; the Chromium implementation's header states
// its promises on time limits, process cleanup and network access.
#pragma once

#include <boost/asio/awaitable.hpp>

#include <cstddef>
#include <limits>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvik::browser {

namespace asio = boost::asio;

// Any failure of the browser or of a page: launch, navigation, time-out,
// crash, a selector the browser rejects.
class BrowserError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One selected element, read while its page was open.
class Element {
 public:
  Element() = default;
  Element(std::vector<std::pair<std::string, std::string>> attributes, std::optional<std::string> all_text,
          std::optional<std::string> own_text)
      : attributes_(std::move(attributes)), all_text_(std::move(all_text)), text_(std::move(own_text)) {}

  // The attribute's value, or `fallback` when the element has none of that name.
  std::string attrib_get(std::string_view name, std::string_view fallback = "") const;
  // The element's whole visible text; throws BrowserError when it could not be read.
  std::string get_all_text() const;
  // The element's own text (its direct text children), when it has any.
  const std::optional<std::string>& text() const { return text_; }
  const std::vector<std::pair<std::string, std::string>>& attributes() const { return attributes_; }

 private:
  std::vector<std::pair<std::string, std::string>> attributes_;
  std::optional<std::string> all_text_;
  std::optional<std::string> text_;
};

// An open page. It stays open (holding one of the session's page slots) until
// it is closed or destroyed.
class Page {
 public:
  virtual ~Page() = default;
  // HTTP status of the main document, when known.
  virtual std::optional<int> status() const = 0;
  // The elements matching `selector`, in document order, at most `limit` of them.
  virtual asio::awaitable<std::vector<Element>> css(std::string selector,
                                                    std::size_t limit = std::numeric_limits<std::size_t>::max()) = 0;
  // The document's markup as it stands now (scripts' changes included), as
  // UTF-8; throws BrowserError when it cannot be read. Sessions that cannot
  // give it keep this default, which always throws.
  virtual asio::awaitable<std::string> html() {
    throw BrowserError("this page cannot give its markup");
    co_return std::string();
  }
  virtual asio::awaitable<void> close() = 0;
};

// Construction options of a session.
struct SessionOptions {
  int max_pages = 4;             // pages open at once; further fetches wait
  bool headless = true;
  bool disable_resources = true;  // images, media, fonts and stylesheets are refused unfetched
  int timeout_ms = 15000;         // navigation time-out per page
  // curl's -k for the browser: any certificate is accepted. FOR LOOPBACK TEST
  // SERVERS ONLY: on the real web it gives up all protection from a man in
  // the middle.
  bool insecure = false;
};

class Session {
 public:
  virtual ~Session() = default;
  // Starts the browser; throws BrowserError when it cannot.
  virtual asio::awaitable<void> enter() = 0;
  // Closes every page and the browser. Safe to call more than once.
  virtual asio::awaitable<void> exit() = 0;
  // Opens `url` in a new page: the page, or none when nothing was loaded.
  // Throws BrowserError on navigation failures and time-outs.
  virtual asio::awaitable<std::unique_ptr<Page>> fetch(std::string url) = 0;
};

}  // namespace tarvik::browser
