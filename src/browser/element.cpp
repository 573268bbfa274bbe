// Elements read from a browser page.
#include "tarvik/browser/session.hpp"

namespace tarvik::browser {

std::string Element::attrib_get(std::string_view name, std::string_view fallback) const {
  for (const auto& [key, value] : attributes_)
    if (key == name) return value;
  return std::string(fallback);
}

std::string Element::get_all_text() const {
  if (!all_text_) throw BrowserError("element text could not be read");
  return *all_text_;
}

}  // namespace tarvik::browser
