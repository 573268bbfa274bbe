// Recognises bot managers' challenge and block pages, so that only those are escalated to the browser.
#include "tarvik/commerce/bot_wall.hpp"

#include <array>

namespace tarvik::commerce {

namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

std::string lowered(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = lower(c);
  return out;
}

bool starts_with(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

struct Marker {
  std::string_view manager;
  std::string_view text;  // lower case
};

// Header names (lower case) that a manager sets on its challenge responses;
// a name ending in '*' is a prefix.
constexpr std::array kHeaderMarkers{
    Marker{"cloudflare", "cf-mitigated"},       Marker{"datadome", "x-datadome"},
    Marker{"datadome", "x-dd-b"},               Marker{"imperva", "x-iinfo"},
    Marker{"aws-waf", "x-amzn-waf-action"},     Marker{"sucuri", "x-sucuri-block"},
    Marker{"sucuri", "x-sucuri-id"},            Marker{"kasada", "x-kpsdk-*"},
    Marker{"vercel", "x-vercel-mitigated"},     Marker{"perimeterx", "x-px-*"},
};

// Body texts (lower case) of the managers' own challenge and block pages.
constexpr std::array kBodyMarkers{
    Marker{"cloudflare", "/cdn-cgi/challenge-platform/"},
    Marker{"cloudflare", "_cf_chl_opt"},
    Marker{"cloudflare", "cf-browser-verification"},
    Marker{"cloudflare", "attention required! | cloudflare"},
    Marker{"akamai", "errors.edgesuite.net"},
    Marker{"akamai", "errors&#46;edgesuite&#46;net"},
    Marker{"perimeterx", "_pxappid"},
    Marker{"perimeterx", "px-captcha"},
    Marker{"perimeterx", "captcha.px-cdn.net"},
    Marker{"datadome", "captcha-delivery.com"},
    Marker{"imperva", "_incapsula_resource"},
    Marker{"imperva", "incapsula incident id"},
    Marker{"kasada", "kpsdk"},
    Marker{"aws-waf", "awswaf.com"},
    Marker{"aws-waf", "awswafintegration"},
    Marker{"sucuri", "sucuri_cloudproxy_js"},
    Marker{"sucuri", "sucuri website firewall"},
    Marker{"reblaze", "rbzns"},
    Marker{"vercel", "vercel security checkpoint"},
};

// What challenge shells of any make say to a reader without JavaScript.
constexpr std::array<std::string_view, 9> kShellPhrases{
    "enable javascript", "javascript is disabled", "javascript is required", "checking your browser",
    "verify you are human", "verifying you are human", "are you a robot", "press & hold", "press and hold",
};

constexpr std::size_t kShellTextLimit = 200;

// Characters of text outside tags, comments, scripts and styles, counting
// no white space; stops counting at `limit`.
std::size_t visible_text(std::string_view html, std::size_t limit) {
  std::size_t count = 0;
  std::size_t i = 0;
  while (i < html.size() && count < limit) {
    if (html[i] != '<') {
      const char c = html[i++];
      if (c != ' ' && c != '\n' && c != '\r' && c != '\t' && c != '\f') ++count;
      continue;
    }
    std::string_view rest = html.substr(i);
    std::string_view closing;
    if (starts_with(rest, "<!--")) {
      closing = "-->";
    } else if (starts_with(rest, "<script")) {
      closing = "</script";
    } else if (starts_with(rest, "<style")) {
      closing = "</style";
    } else {
      closing = ">";
    }
    const std::size_t end = html.find(closing, i + 1);
    if (end == std::string_view::npos) break;
    i = end + closing.size();
  }
  return count;
}

}  // namespace

std::optional<BotWall> detect_bot_wall(long status, const std::vector<std::pair<std::string, std::string>>& headers,
                                       std::string_view body) {
  if (status != 403 && status != 429 && status != 503) return std::nullopt;
  for (const auto& [name, value] : headers) {
    const std::string key = lowered(name);
    for (const Marker& m : kHeaderMarkers) {
      const bool prefix = m.text.back() == '*';
      const std::string_view text = prefix ? m.text.substr(0, m.text.size() - 1) : m.text;
      if (prefix ? starts_with(key, text) : key == text) return BotWall{std::string(m.manager), key};
    }
  }
  const std::string page = lowered(body.substr(0, kBotWallScanBytes));
  for (const Marker& m : kBodyMarkers)
    if (page.find(m.text) != std::string::npos) return BotWall{std::string(m.manager), std::string(m.text)};
  const bool scripted = page.find("<script") != std::string::npos;
  for (std::string_view phrase : kShellPhrases)
    if (page.find(phrase) != std::string::npos) return BotWall{"javascript-shell", std::string(phrase)};
  if (scripted && visible_text(page, kShellTextLimit) < kShellTextLimit)
    return BotWall{"javascript-shell", "a script and almost no text"};
  return std::nullopt;
}

}  // namespace tarvik::commerce
