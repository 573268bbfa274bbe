// The one test of whether a link is a web page, shared by the pipeline and the browser.
#include "tarvik/util/url.hpp"

namespace tarvik::url {

bool is_web_url(std::string_view url) {
  std::size_t i = 0;
  while (i < url.size() && static_cast<unsigned char>(url[i]) <= 0x20) ++i;
  url.remove_prefix(i);
  const std::size_t colon = url.find(':');
  if (colon == std::string_view::npos) return false;
  std::string_view scheme = url.substr(0, colon);
  const auto equals_lower = [](std::string_view s, std::string_view lower) {
    if (s.size() != lower.size()) return false;
    for (std::size_t k = 0; k < s.size(); ++k) {
      const char c = (s[k] >= 'A' && s[k] <= 'Z') ? static_cast<char>(s[k] + 32) : s[k];
      if (c != lower[k]) return false;
    }
    return true;
  };
  if (!equals_lower(scheme, "http") && !equals_lower(scheme, "https")) return false;
  const std::string_view rest = url.substr(colon + 1);
  if (rest.substr(0, 2) != "//") return false;
  const std::string_view authority = rest.substr(2, rest.find_first_of("/?#", 2) - 2);
  return !authority.empty();
}

}  // namespace tarvik::url
