// The enrich table, fitted to the terminal, and the market summary under it.
#include "enrich_output.hpp"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string_view>
#include <vector>

#include "commands.hpp"
#include "tarvik/util/text.hpp"

namespace tarvik::cli {
namespace {

using models::CommerceIntelligence;
using models::EnrichedCommerceMatch;

// Enumeration values as words: "major_marketplace" -> "major marketplace".
std::string words(std::string_view value) {
  std::string s(value);
  std::replace(s.begin(), s.end(), '_', ' ');
  return s;
}

std::string money(double amount) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2f", amount);
  return buf;
}

std::string price_text(const EnrichedCommerceMatch& item) {
  if (!item.price) return "-";
  return money(item.price->amount()) + " " + item.price->currency();
}

std::string_view category_word(models::MerchantCategory c) {
  switch (c) {
    case models::MerchantCategory::MAJOR_MARKETPLACE:
      return "marketplace";
    case models::MerchantCategory::RESELLER_SPECIALIST:
      return "reseller";
    case models::MerchantCategory::OFFICIAL_BRAND:
      return "official";
    case models::MerchantCategory::UNVERIFIED:
      break;
  }
  return "unverified";
}

std::string merchant_text(const EnrichedCommerceMatch& item) {
  std::string s = item.merchant_name && !item.merchant_name->empty() ? *item.merchant_name : "-";
  if (item.merchant_category) s += " (" + std::string(category_word(*item.merchant_category)) + ")";
  return s;
}

// Control characters from pages would move the cursor: show them as spaces.
std::string printable(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) out.push_back(static_cast<unsigned char>(c) < 0x20 || c == 0x7f ? ' ' : c);
  return out;
}

std::string fit(std::string_view s, std::size_t width) {
  std::string out;
  const std::size_t len = text::length(s);
  if (len <= width) {
    out.assign(s);
    out.append(width - len, ' ');
  } else if (width > 0) {
    out.assign(text::prefix(s, width - 1));
    out += "…";
  }
  return out;
}

std::string right(std::string_view s, std::size_t width) {
  const std::size_t len = text::length(s);
  return std::string(len < width ? width - len : 0, ' ') + std::string(s);
}

}  // namespace

std::size_t terminal_columns(int fd) {
  winsize ws{};
  if (isatty(fd) != 0 && ioctl(fd, TIOCGWINSZ, &ws) == 0 && ws.ws_col > 0) return ws.ws_col;
  if (const char* env = std::getenv("COLUMNS")) {
    std::size_t n = 0;
    const std::string_view v(env);
    if (std::from_chars(v.data(), v.data() + v.size(), n).ec == std::errc() && n > 0) return n;
  }
  return 0;
}

namespace {

// One column of the table: its cells (the header first) and the width they get.
struct Column {
  std::vector<std::string> cells;
  std::size_t width = 0;
  bool right = false;  // numbers are right-aligned, words left-aligned
  bool shown = true;

  void natural(std::size_t cap) {
    width = 0;
    for (const auto& c : cells) width = std::max(width, text::length(c));
    width = std::min(width, cap);
  }
};

enum Col { RANK, SCORE, RELEVANCE, TYPE, MERCHANT, PRICE, STOCK, TITLE, URL, COLUMNS };

// Columns other than the title and the URL are capped at this many columns;
// the title at TITLE_CAP. The URL comes whole when the line allows it.
constexpr std::size_t CELL_CAP = 32;
constexpr std::size_t TITLE_CAP = 44;

// Line length: two spaces between shown columns, none after the last.
std::size_t line_width(const std::vector<Column>& cols) {
  std::size_t total = 0, shown = 0;
  for (const Column& c : cols)
    if (c.shown) {
      total += c.width;
      ++shown;
    }
  return total + (shown > 0 ? 2 * (shown - 1) : 0);
}

// Fits the columns into `width` (0: no limit) in the documented order: the
// URL's end (its path) is cut down to 30 columns, then the merchant category
// goes, then the title shrinks to 16 and goes, then Type, Relevance and Stock
// go, then the merchant shrinks to 12, the price to 16, and the URL takes what
// is left (at least 8). Cut cells end in "…".
void fit_columns(std::vector<Column>& cols, std::vector<std::string> merchant_names, std::size_t width) {
  if (width == 0) return;
  auto over = [&] { return line_width(cols) > width; };
  auto shrink = [&](Col c, std::size_t floor) {
    if (!over() || !cols[c].shown) return;
    const std::size_t excess = line_width(cols) - width;
    cols[c].width = std::max(floor, cols[c].width > excess ? cols[c].width - excess : 0);
  };
  auto drop = [&](Col c) {
    if (over()) cols[c].shown = false;
  };
  shrink(URL, std::min<std::size_t>(30, cols[URL].width));
  if (over()) {
    merchant_names.front() = "Merchant";
    cols[MERCHANT].cells = std::move(merchant_names);
    cols[MERCHANT].natural(CELL_CAP);
  }
  shrink(TITLE, std::min<std::size_t>(16, cols[TITLE].width));
  drop(TITLE);
  drop(TYPE);
  drop(RELEVANCE);
  drop(STOCK);
  shrink(MERCHANT, std::min<std::size_t>(12, cols[MERCHANT].width));
  shrink(PRICE, std::min<std::size_t>(16, cols[PRICE].width));
  shrink(URL, std::min<std::size_t>(8, cols[URL].width));
}

}  // namespace

std::string commerce_table(const CommerceIntelligence& commerce, std::size_t width) {
  std::vector<Column> cols(COLUMNS);
  const char* head[COLUMNS] = {"#",     "Score", "Relevance", "Type", "Merchant (category)",
                               "Price", "Stock", "Title",     "Direct URL"};
  for (int c = 0; c < COLUMNS; ++c) cols[c].cells.push_back(head[c]);
  cols[RANK].right = cols[SCORE].right = true;
  std::vector<std::string> merchant_names = {"Merchant"};
  std::size_t rank = 0;
  for (const EnrichedCommerceMatch& item : commerce.items) {
    cols[RANK].cells.push_back(std::to_string(++rank));
    cols[SCORE].cells.push_back(std::to_string(item.match_score) + "%");
    cols[RELEVANCE].cells.push_back(item.relevance ? std::string(models::value(*item.relevance)) : "-");
    cols[TYPE].cells.push_back(words(models::value(item.page_type)));
    cols[MERCHANT].cells.push_back(printable(merchant_text(item)));
    merchant_names.push_back(printable(item.merchant_name && !item.merchant_name->empty() ? *item.merchant_name : "-"));
    cols[PRICE].cells.push_back(price_text(item));
    cols[STOCK].cells.push_back(item.stock_status ? words(models::value(*item.stock_status)) : "-");
    cols[TITLE].cells.push_back(printable(text::collapse_ws(item.title)));
    cols[URL].cells.push_back(printable(item.direct_url));
  }
  for (int c = 0; c < TITLE; ++c) cols[c].natural(CELL_CAP);
  cols[TITLE].natural(TITLE_CAP);
  cols[URL].natural(std::numeric_limits<std::size_t>::max());
  fit_columns(cols, std::move(merchant_names), width);

  std::string out;
  for (std::size_t row = 0; row < cols[RANK].cells.size(); ++row) {
    for (const Column& c : cols) {
      if (!c.shown) continue;
      const std::string& cell = c.cells[row];
      out += c.right ? right(cell, c.width) : fit(cell, c.width);
      out += "  ";
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    out += '\n';
  }

  const models::CommerceSummary& s = commerce.summary;
  out += "\nMarket summary: " + std::to_string(s.total_matches) + " matches, " + std::to_string(commerce.items.size()) +
         " items, " + std::to_string(s.commerce_items) + " product pages or listings, " +
         std::to_string(s.priced_items) + " priced, " + std::to_string(s.in_stock_items) + " in stock, " +
         std::to_string(s.distinct_merchants) + " merchants\n";
  if (s.min_price) {
    out += "  Prices in " + s.currency + " (" + std::to_string(s.priced_in_currency) + " items): lowest " +
           money(*s.min_price) + ", median " + money(s.median_price.value_or(0)) + ", mean " +
           money(s.average_price.value_or(0)) + ", highest " + money(s.max_price.value_or(0)) + "\n";
  } else {
    out += "  No item is priced in " + s.currency + "\n";
  }
  if (s.best_offer) {
    const auto& b = *s.best_offer;
    out += "  Best offer: " + money(b.price.amount()) + " " + b.price.currency() + " at " +
           printable(b.merchant_name.value_or("-")) + " (" + std::string(models::value(b.relevance)) +
           " relevance" + (b.stock_status ? ", " + words(models::value(*b.stock_status)) : std::string()) +
           "): " + printable(b.direct_url) + "\n";
  }
  return out;
}

void print_commerce_table(const CommerceIntelligence& commerce, std::size_t width) {
  write_stdout(commerce_table(commerce, width));
}

}  // namespace tarvik::cli
