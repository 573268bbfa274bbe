#include "enrich_output.hpp"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

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
  return 160;
}

std::string commerce_table(const CommerceIntelligence& commerce, std::size_t width) {
  struct Row {
    std::vector<std::string> cells;  // every column but the title and the URL
    std::string title, url;
  };
  const std::vector<std::string> head = {"#", "Score", "Relevance", "Type", "Merchant (category)", "Price", "Stock"};
  std::vector<Row> rows;
  std::vector<std::size_t> widths;
  for (const auto& h : head) widths.push_back(text::length(h));
  std::size_t rank = 0;
  for (const EnrichedCommerceMatch& item : commerce.items) {
    Row row;
    row.cells = {std::to_string(++rank),
                 std::to_string(item.match_score) + "%",
                 item.relevance ? std::string(models::value(*item.relevance)) : "-",
                 words(models::value(item.page_type)),
                 printable(merchant_text(item)),
                 price_text(item),
                 item.stock_status ? words(models::value(*item.stock_status)) : "-"};
    row.title = printable(text::collapse_ws(item.title));
    row.url = printable(item.direct_url);
    for (std::size_t i = 0; i < row.cells.size(); ++i)
      widths[i] = std::min<std::size_t>(std::max(widths[i], text::length(row.cells[i])), 32);
    rows.push_back(std::move(row));
  }
  std::size_t fixed = 0;
  for (std::size_t w : widths) fixed += w + 2;
  // The title takes what the line has left, within bounds; the URL follows
  // whole (cutting it would make it useless), so long URLs run past the edge.
  const std::size_t title_width = std::clamp<std::size_t>(width > fixed + 10 ? width - fixed - 10 : 0, 24, 44);

  std::string out;
  auto line = [&](const std::vector<std::string>& cells, std::string_view title, std::string_view url) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
      // Numbers are right-aligned, words left-aligned.
      out += (i <= 1 ? right(cells[i], widths[i]) : fit(cells[i], widths[i])) + "  ";
    }
    out += fit(title, title_width) + "  ";
    out += url;
    while (!out.empty() && out.back() == ' ') out.pop_back();
    out += '\n';
  };
  line(head, "Title", "Direct URL");
  for (const Row& row : rows) line(row.cells, row.title, row.url);

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
  const std::string text = commerce_table(commerce, width);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

}  // namespace tarvik::cli
