// Title similarity, the unit's logger and the browser session it asks for.
#include "tarvik/commerce/resolver.hpp"

#include <spdlog/sinks/stdout_sinks.h>
#include <spdlog/spdlog.h>

#include <mutex>

#include "tarvik/browser/chromium.hpp"
#include "tarvik/links/unwrapper.hpp"

#include "pages.hpp"

namespace tarvik::commerce {

namespace {

bool is_ascii_alnum(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

void add_tokens(std::string_view text, std::set<std::string>& out) {
  std::size_t i = 0;
  while (i < text.size()) {
    if (!is_ascii_alnum(text[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && is_ascii_alnum(text[end])) ++end;
    if (end - i >= 2) {
      std::string word(text.substr(i, end - i));
      for (char& c : word)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
      out.insert(std::move(word));
    }
    i = end;
  }
}

}  // namespace

std::set<std::string> _tokenize(std::string_view text) {
  std::set<std::string> out;
  add_tokens(text, out);
  return out;
}

double _title_similarity(std::string_view item_title, std::string_view link_text, std::string_view link_href) {
  const std::set<std::string> title = _tokenize(item_title);
  if (title.empty()) return 0.0;
  std::set<std::string> link = _tokenize(link_text);
  add_tokens(split_url(link_href).path, link);
  if (link.empty()) return 0.0;
  std::size_t covered = 0;
  for (const auto& word : title) covered += link.count(word);
  return static_cast<double>(covered) / static_cast<double>(title.size());
}

std::shared_ptr<spdlog::logger> named_logger(const char* name) {
  if (auto existing = spdlog::get(name)) return existing;
  // Two threads may both find no logger; the registry keeps the first.
  static std::mutex creating;
  std::lock_guard lock(creating);
  if (auto existing = spdlog::get(name)) return existing;
  auto logger = std::make_shared<spdlog::logger>(name, std::make_shared<spdlog::sinks::stderr_sink_mt>());
  logger->set_level(spdlog::level::warn);
  logger->set_pattern("%n: %l: %v");
  spdlog::register_logger(logger);
  return logger;
}

std::shared_ptr<spdlog::logger> _resolver_logger() { return named_logger("tarvik.commerce.resolver"); }

std::unique_ptr<browser::Session> _make_stealth_session(int max_pages, int timeout_ms,
                                                        const PipelineOptions& options) {
  browser::SessionOptions session;
  session.max_pages = max_pages;
  session.headless = true;
  session.disable_resources = true;
  session.timeout_ms = timeout_ms;
  if (options.make_session) return options.make_session(session);
  browser::ChromiumOptions chromium;
  chromium.session = session;
  chromium.executable = options.browser_path;
  chromium.fetch = options.fetch;
  return std::make_unique<browser::ChromiumSession>(std::move(chromium));
}

}  // namespace tarvik::commerce
