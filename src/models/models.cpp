// The records' enumeration values, prices, currency codes and JSON writing.
#include <algorithm>
#include <cmath>
#include <optional>

#include "tarvik/models/commerce.hpp"
#include "tarvik/models/common.hpp"
#include "tarvik/models/shopping.hpp"
#include "tarvik/models/vizor.hpp"
#include "tarvik/util/json_writer.hpp"
#include "tarvik/util/text.hpp"

namespace tarvik::models {
namespace {

template <class Enum, std::size_t N>
std::optional<Enum> lookup(std::string_view text, const std::pair<Enum, std::string_view> (&table)[N]) {
  for (const auto& [member, name] : table)
    if (name == text) return member;
  return std::nullopt;
}

constexpr std::pair<MerchantCategory, std::string_view> kCategories[] = {
    {MerchantCategory::MAJOR_MARKETPLACE, "major_marketplace"},
    {MerchantCategory::RESELLER_SPECIALIST, "reseller_specialist"},
    {MerchantCategory::OFFICIAL_BRAND, "official_brand"},
    {MerchantCategory::UNVERIFIED, "unverified"},
};
constexpr std::pair<PageType, std::string_view> kPageTypes[] = {
    {PageType::PRODUCT, "product"},     {PageType::MARKETPLACE, "marketplace"},
    {PageType::ARTICLE, "article"},     {PageType::SOCIAL, "social"},
    {PageType::PORTFOLIO, "portfolio"}, {PageType::UNCATEGORIZED, "uncategorized"},
};
constexpr std::pair<StockStatus, std::string_view> kStock[] = {
    {StockStatus::IN_STOCK, "in_stock"},
    {StockStatus::OUT_OF_STOCK, "out_of_stock"},
    {StockStatus::PREORDER, "preorder"},
};
constexpr std::pair<ItemCondition, std::string_view> kConditions[] = {
    {ItemCondition::NEW, "new"},
    {ItemCondition::USED, "used"},
    {ItemCondition::REFURBISHED, "refurbished"},
};
constexpr std::pair<Relevance, std::string_view> kRelevance[] = {
    {Relevance::EXACT, "exact"},
    {Relevance::HIGH, "high"},
    {Relevance::MEDIUM, "medium"},
    {Relevance::LOW, "low"},
};

template <class Enum, std::size_t N>
std::string_view name_of(Enum v, const std::pair<Enum, std::string_view> (&table)[N]) {
  for (const auto& [member, name] : table)
    if (member == v) return name;
  return {};
}

}  // namespace

std::string_view value(MerchantCategory v) { return name_of(v, kCategories); }
std::string_view value(PageType v) { return name_of(v, kPageTypes); }
std::string_view value(StockStatus v) { return name_of(v, kStock); }
std::string_view value(ItemCondition v) { return name_of(v, kConditions); }
std::string_view value(Relevance v) { return name_of(v, kRelevance); }

template <>
std::optional<MerchantCategory> from_value<MerchantCategory>(std::string_view t) {
  return lookup(t, kCategories);
}
template <>
std::optional<PageType> from_value<PageType>(std::string_view t) {
  return lookup(t, kPageTypes);
}
template <>
std::optional<StockStatus> from_value<StockStatus>(std::string_view t) {
  return lookup(t, kStock);
}
template <>
std::optional<ItemCondition> from_value<ItemCondition>(std::string_view t) {
  return lookup(t, kConditions);
}
template <>
std::optional<Relevance> from_value<Relevance>(std::string_view t) {
  return lookup(t, kRelevance);
}

NormalizedPrice::NormalizedPrice(std::string raw, double amount, std::string currency)
    : raw_(std::move(raw)), amount_(amount), currency_(std::move(currency)) {
  if (!std::isfinite(amount_)) throw std::invalid_argument("price amount must be finite");
  if (amount_ < 0) throw std::invalid_argument("price amount must not be negative");
  if (currency_.empty()) throw std::invalid_argument("price currency must not be empty");
}

void write_json(json::JsonWriter& w, const std::optional<NormalizedPrice>& price) {
  if (!price) {
    w.null();
    return;
  }
  w.begin_object();
  w.key("raw").value(price->raw());
  w.key("amount").value(price->amount());
  w.key("currency").value(price->currency());
  w.end_object();
}

namespace {

// Symbols (upper-cased) that name one currency each.
constexpr std::pair<std::string_view, std::string_view> kCurrencySymbols[] = {
    {"$", "USD"},    {"US$", "USD"},  {"€", "EUR"},    {"£", "GBP"},    {"¥", "JPY"},   {"CN¥", "CNY"},
    {"CA$", "CAD"},  {"C$", "CAD"},   {"A$", "AUD"},   {"AU$", "AUD"},  {"NZ$", "NZD"}, {"HK$", "HKD"},
    {"S$", "SGD"},   {"R$", "BRL"},   {"MX$", "MXN"},  {"₹", "INR"},    {"₩", "KRW"},   {"₽", "RUB"},
    {"₺", "TRY"},    {"₪", "ILS"},    {"₫", "VND"},    {"฿", "THB"},    {"₱", "PHP"},   {"ZŁ", "PLN"},
};

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// What the words around the number of a price text ("$12.50", "12,50 €",
// "From US$ 9") say about its currency: the word just before the first digit
// is read first, then the word just after the last.
struct TextCurrency {
  std::optional<std::string> code;  // the first of those words that names one
  bool named = false;               // whether there was any such word
};

TextCurrency currency_of_price_text(std::string_view price) {
  TextCurrency out;
  const auto first = std::find_if(price.begin(), price.end(), is_digit);
  if (first == price.end()) return out;
  const auto last = std::find_if(price.rbegin(), price.rend(), is_digit).base();
  const auto before = text::split_ws(std::string_view(price.begin(), first));
  const auto after = text::split_ws(std::string_view(last, price.end()));
  for (const std::string_view word : {before.empty() ? std::string_view() : before.back(),
                                      after.empty() ? std::string_view() : after.front()}) {
    if (word.empty()) continue;
    out.named = true;
    out.code = currency_code(word);
    if (out.code) break;
  }
  return out;
}

}  // namespace

std::optional<std::string> currency_code(std::string_view token) {
  const std::string_view t = text::trim(token);
  if (t.size() == 3 && std::all_of(t.begin(), t.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
      }))
    return text::to_upper(t);
  if (t.empty() || t.size() > 8) return std::nullopt;
  const std::string upper = text::to_upper(t);
  for (const auto& [symbol, code] : kCurrencySymbols)
    if (symbol == upper) return std::string(code);
  return std::nullopt;
}

EnrichedCommerceMatch EnrichedCommerceMatch::from_shopping_offer(const ShoppingOffer& offer) {
  EnrichedCommerceMatch item;
  item.title = offer.title;
  item.direct_url = offer.link;
  item.original_url = offer.link;
  std::optional<std::string> currency;
  if (offer.currency && !text::is_blank(*offer.currency)) {
    currency = currency_code(*offer.currency);
  } else {
    const TextCurrency from_text = offer.price ? currency_of_price_text(*offer.price) : TextCurrency{};
    currency = from_text.named ? from_text.code : "USD";
  }
  if (currency && offer.extracted_price && std::isfinite(*offer.extracted_price) && *offer.extracted_price >= 0) {
    item.price = NormalizedPrice(offer.price.value_or(text::format_double(*offer.extracted_price)),
                                 *offer.extracted_price, *currency);
  }
  item.merchant_name = offer.source;
  item.thumbnail = offer.thumbnail;
  item.primary_image_url = offer.thumbnail;
  // A shopping offer is a listing of the identified product itself.
  item.match_score = 100;
  item.page_type = PageType::PRODUCT;
  if (offer.in_stock) item.stock_status = *offer.in_stock ? StockStatus::IN_STOCK : StockStatus::OUT_OF_STOCK;
  item.shipping_info = offer.delivery;
  item.source_engine = "shopping";
  return item;
}

namespace {

class Dumper {
 public:
  Dumper(int indent, bool exclude_none) : w_(indent), exclude_none_(exclude_none) {}

  template <class T>
  void field(std::string_view name, const T& v) {
    w_.key(name);
    put(v);
  }
  template <class T>
  void field(std::string_view name, const std::optional<T>& v) {
    if (!v && exclude_none_) return;
    w_.key(name);
    if (v)
      put(*v);
    else
      w_.null();
  }

  void put(const std::string& s) { w_.value(s); }
  void put(double d) { w_.value(d); }
  void put(std::int64_t i) { w_.value(i); }
  void put(bool b) { w_.value(b); }
  template <class Enum>
    requires std::is_enum_v<Enum>
  void put(Enum e) {
    w_.value(value(e));
  }
  void put(const NormalizedPrice& p) { write_json(w_, p); }
  void put(const std::vector<std::pair<std::string, std::string>>& pairs) {
    w_.begin_object();
    for (const auto& [key, value] : pairs) w_.key(key).value(value);
    w_.end_object();
  }
  template <class T>
  void put(const std::vector<T>& records) {
    w_.begin_array();
    for (const auto& r : records) put(r);
    w_.end_array();
  }
  // A record: its described fields in order.
  template <class Record>
    requires boost::describe::has_describe_members<Record>::value
  void put(const Record& r) {
    w_.begin_object();
    for_each_field(r, [this](std::string_view name, const auto& v) { field(name, v); });
    w_.end_object();
  }

  std::string take() { return w_.take(); }

 private:
  json::JsonWriter w_;
  bool exclude_none_;
};

}  // namespace

std::string dump_items_json(const std::vector<EnrichedCommerceMatch>& items, int indent, bool exclude_none) {
  Dumper d(indent, exclude_none);
  d.put(items);
  return d.take();
}

namespace {
template <class Record>
std::string dump(const Record& r, int indent, bool exclude_none) {
  Dumper d(indent, exclude_none);
  d.put(r);
  return d.take();
}
}  // namespace

std::string VisualMatch::model_dump_json(int indent, bool exclude_none) const { return dump(*this, indent, exclude_none); }
std::string ShoppingOffer::model_dump_json(int indent, bool exclude_none) const { return dump(*this, indent, exclude_none); }
std::string EnrichedCommerceMatch::model_dump_json(int indent, bool exclude_none) const {
  return dump(*this, indent, exclude_none);
}
std::string BestOffer::model_dump_json(int indent, bool exclude_none) const { return dump(*this, indent, exclude_none); }
std::string CommerceSummary::model_dump_json(int indent, bool exclude_none) const { return dump(*this, indent, exclude_none); }
std::string CommerceIntelligence::model_dump_json(int indent, bool exclude_none) const {
  return dump(*this, indent, exclude_none);
}

}  // namespace tarvik::models
