// The pure stages under their package names: unwrapper, normalizer,
// classifier, page facts, fusion, relevance, export, and the constant tables.
// Python inputs are copied to C++ values first; the GIL is released while
// the library parses, sorts or writes.
#include <boost/json.hpp>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "bindings.hpp"
#include "casters.hpp"
#include "tarvik/relevance/relevance.hpp"
#include "tarvik/util/charset.hpp"

namespace tarvik::python {

void bind_cli(py::module_& m);  // cli.cpp

namespace {

namespace bj = boost::json;
using namespace tarvik::commerce;
using namespace tarvik::models;

template <std::size_t N>
py::tuple table(const std::array<std::string_view, N>& rows) {
  py::tuple out(N);
  for (std::size_t i = 0; i < N; ++i) out[i] = py::str(rows[i].data(), rows[i].size());
  return out;
}

py::object json_to_python(const bj::value& v) {
  return json_loads(bj::serialize(v));
}

// Page text: str as it is, bytes decoded from the charset the page declares
// (as the command line reads page files), None for no page. A str is not
// copied: the view is its UTF-8 form, which lives as long as the str (the
// caller's argument keeps it alive while the GIL is released).
class PageText {
 public:
  explicit PageText(const py::object& html) {
    if (html.is_none()) return;
    if (PyBytes_Check(html.ptr())) {
      const std::string_view bytes(PyBytes_AS_STRING(html.ptr()), static_cast<std::size_t>(PyBytes_GET_SIZE(html.ptr())));
      py::gil_scoped_release release;
      decoded_ = charset::decode_page(bytes);
      view_ = *decoded_;
      return;
    }
    if (!PyUnicode_Check(html.ptr()))
      throw py::type_error("html: expected str, bytes or None, got " + std::string(Py_TYPE(html.ptr())->tp_name));
    const auto text = utf8_view(html);
    if (!text) throw py::value_error("html: text is not valid UTF-8 (lone surrogate)");
    view_ = *text;
  }
  PageText(const PageText&) = delete;
  PageText& operator=(const PageText&) = delete;

  std::optional<std::string_view> view() const { return view_; }
  std::string_view text() const { return view_.value_or(std::string_view()); }

 private:
  std::optional<std::string> decoded_;
  std::optional<std::string_view> view_;
};

// Runs fn on C++ values with the GIL released.
template <class Fn>
auto released(Fn&& fn) {
  py::gil_scoped_release release;
  return fn();
}

void bind_unwrapper(py::module_& m) {
  m.attr("SEARCH_ENGINE_HOST_MARKER") = py::str(SEARCH_ENGINE_HOST_MARKER.data(), SEARCH_ENGINE_HOST_MARKER.size());
  m.attr("TRACKING_PARAMS") = table(TRACKING_PARAMS);

  py::class_<SplitURL>(m, "SplitURL", "The six components of a URL: scheme, netloc, path, params, query, fragment.")
      .def(py::init([](std::string scheme, std::string netloc, std::string path, std::string params, std::string query,
                       std::string fragment) {
             return SplitURL{std::move(scheme), std::move(netloc), std::move(path),
                             std::move(params), std::move(query),  std::move(fragment)};
           }),
           py::arg("scheme") = "", py::arg("netloc") = "", py::arg("path") = "", py::arg("params") = "",
           py::arg("query") = "", py::arg("fragment") = "")
      .def_readwrite("scheme", &SplitURL::scheme)
      .def_readwrite("netloc", &SplitURL::netloc)
      .def_readwrite("path", &SplitURL::path)
      .def_readwrite("params", &SplitURL::params)
      .def_readwrite("query", &SplitURL::query)
      .def_readwrite("fragment", &SplitURL::fragment)
      .def("__eq__", [](const SplitURL& a, const SplitURL& b) { return a == b; }, py::is_operator())
      .def("__iter__", [](const SplitURL& u) {
        return py::iter(py::make_tuple(u.scheme, u.netloc, u.path, u.params, u.query, u.fragment));
      })
      .def("__repr__", [](const SplitURL& u) {
        return "SplitURL" + static_cast<std::string>(
                                py::repr(py::make_tuple(u.scheme, u.netloc, u.path, u.params, u.query, u.fragment)));
      });
  m.def("split_url", [](std::string url) { return released([&] { return split_url(url); }); }, py::arg("url"));
  m.def("join_url", [](const SplitURL& parts) { return join_url(parts); }, py::arg("parts"));
  m.def(
      "decode_query",
      [](std::string query) {
        py::dict out;
        for (auto& [key, values] : released([&] { return decode_query(query); })) out[py::str(key)] = py::cast(values);
        return out;
      },
      py::arg("query"), "Form-style query decoding: key -> its values, keys in order of first appearance.");
  m.def("form_encode", &form_encode, py::arg("s"));

  py::class_<URLUnwrapper>(m, "URLUnwrapper",
                           "Turns search redirect links and tracking-laden URLs into clean direct URLs.")
      .def_static(
          "unwrap", [](std::string url) { return released([&] { return URLUnwrapper::unwrap(url); }); },
          py::arg("url"), "The clean direct URL (\"\" for \"\"); raises InvalidURLError for a URL that cannot be split.")
      .def_static(
          "extract_domain",
          [](std::string url) { return released([&] { return URLUnwrapper::extract_domain(url); }); },
          py::arg("url"), "The lower-cased network location without one leading \"www.\".");
}

void bind_normalizer(py::module_& m) {
  m.attr("CURRENCY_TOKEN_PATTERN") = py::str(CURRENCY_TOKEN_PATTERN.data(), CURRENCY_TOKEN_PATTERN.size());
  py::dict currencies;
  for (const auto& [token, code] : CURRENCY_MAP) currencies[py::str(token)] = py::str(code);
  m.attr("CURRENCY_MAP") = currencies;
  m.def("round2", &round2, py::arg("v"), "Rounds to two decimals, half to even on the exact binary value.");

  py::class_<PriceNormalizer> normalizer(m, "PriceNormalizer", "Parses free-text prices into an amount and a code.");
  normalizer.attr("PRICE_PATTERN") = PriceNormalizer::PRICE_PATTERN.pattern();
  normalizer
      .def_static(
          "parse",
          [](std::optional<std::string> raw_price, std::optional<std::string> currency_hint) {
            return released([&] {
              return PriceNormalizer::parse(raw_price ? std::optional<std::string_view>(*raw_price) : std::nullopt,
                                            currency_hint ? std::optional<std::string_view>(*currency_hint)
                                                          : std::nullopt);
            });
          },
          py::arg("raw_price"), py::arg("currency_hint") = py::none(),
          "The price a text shows, or None for missing, blank or unreadable text.")
      .def_static(
          "_match",
          [](std::string text) -> py::object {
            const auto match = PriceNormalizer::_match(text);
            if (!match) return py::none();
            return py::make_tuple(match->before, match->number, match->after);
          },
          py::arg("text"), "The groups (before, number, after) of the leftmost price match, or None.");
}

void bind_classifier(py::module_& m) {
  m.attr("MARKETPLACE_DOMAINS") = table(MARKETPLACE_DOMAINS);
  m.attr("RESELLER_DOMAINS") = table(RESELLER_DOMAINS);
  m.attr("MULTI_TENANT_SUBDOMAINS") = table(MULTI_TENANT_SUBDOMAINS);
  py::class_<MerchantClassifier>(m, "MerchantClassifier",
                                 "Decides whether a seller is a major marketplace, a reseller specialist, the "
                                 "brand's official shop or unverified.")
      .def_static(
          "classify",
          [](std::string domain, std::string title, std::optional<std::string> brand,
             std::optional<std::string> merchant_name) {
            return released([&] {
              return MerchantClassifier::classify(
                  domain, title, brand ? std::optional<std::string_view>(*brand) : std::nullopt,
                  merchant_name ? std::optional<std::string_view>(*merchant_name) : std::nullopt);
            });
          },
          py::arg("domain"), py::arg("title") = "", py::arg("brand") = py::none(),
          py::arg("merchant_name") = py::none())
      .def_static("_extract_sld", &MerchantClassifier::_extract_sld, py::arg("domain"))
      .def_static("_is_match", &MerchantClassifier::_is_match, py::arg("alpha_sld"), py::arg("text"));
}

void bind_metadata(py::module_& m) {
  m.attr("SOCIAL_DOMAINS") = table(SOCIAL_DOMAINS);
  m.attr("EDITORIAL_DOMAINS") = table(EDITORIAL_DOMAINS);
  m.attr("PORTFOLIO_DOMAINS") = table(PORTFOLIO_DOMAINS);
  m.attr("ARTICLE_PATH_PATTERNS") = table(ARTICLE_PATH_PATTERNS);
  m.attr("PORTFOLIO_PATH_PATTERNS") = table(PORTFOLIO_PATH_PATTERNS);
  m.attr("CATALOG_PATH_PATTERNS") = table(CATALOG_PATH_PATTERNS);
  m.attr("PORTFOLIO_KEYWORDS") = table(PORTFOLIO_KEYWORDS);
  m.attr("GENERIC_TITLES") = table(GENERIC_TITLES);

  m.def(
      "decode_page",
      [](const py::bytes& page) { return std::string(PageText(page).text()); }, py::arg("page"),
      "A saved page's bytes as text, decoded from the charset the page declares (as the command line reads pages).");

  py::class_<DestinationMetadataParser>(m, "DestinationMetadataParser", "Product facts of one destination page.")
      .def_static(
          "parse_metadata",
          [](const py::object& html, std::string direct_url, std::string initial_title, std::string initial_merchant,
             std::optional<NormalizedPrice> initial_price, std::optional<bool> initial_stock, std::int64_t rank,
             ExtractionMode mode) {
            // As the command line: ranks start at 1, and a lower one would
            // score above 100.
            if (rank < 1) throw py::value_error("rank: must be 1 or more, got " + std::to_string(rank));
            const PageText page(html);
            return released([&] {
              return DestinationMetadataParser::parse_metadata(page.view(), direct_url, initial_title,
                  initial_merchant, initial_price, initial_stock, rank, mode);
            });
          },
          py::arg("html"), py::arg("direct_url"), py::arg("initial_title") = "", py::arg("initial_merchant") = "",
          py::arg("initial_price") = py::none(), py::arg("initial_stock") = py::none(), py::arg("rank") = 1,
          py::arg("mode") = ExtractionMode::OFF,
          "The page's product facts. html is text, bytes in the charset the page declares, or None; the same "
          "inputs always give the same facts.")
      .def_static(
          "_find_ld_json_products",
          [](const py::object& html) {
            const PageText page(html);
            const auto products = released([&] { return DestinationMetadataParser::_find_ld_json_products(page.text()); });
            py::list out;
            for (const auto& product : products) out.append(json_to_python(product));
            return out;
          },
          py::arg("html"))
      .def_static(
          "_find_next_data_product",
          [](const py::object& html) -> py::object {
            const PageText page(html);
            const auto product = released([&] { return DestinationMetadataParser::_find_next_data_product(page.text()); });
            return product ? json_to_python(*product) : py::none();
          },
          py::arg("html"))
      .def_static(
          "_extract_meta_tags",
          [](const py::object& html) {
            const PageText page(html);
            return released([&] { return DestinationMetadataParser::_extract_meta_tags(page.text()); });
          },
          py::arg("html"))
      .def_static(
          "_extract_html_title",
          [](const py::object& html) {
            const PageText page(html);
            return released([&] { return DestinationMetadataParser::_extract_html_title(page.text()); });
          },
          py::arg("html"));
}

void bind_aggregator(py::module_& m) {
  py::tuple columns(CSV_COLUMNS.size());
  for (std::size_t i = 0; i < CSV_COLUMNS.size(); ++i) columns[i] = py::str(CSV_COLUMNS[i].data(), CSV_COLUMNS[i].size());
  m.attr("CSV_COLUMNS") = columns;

  py::class_<CommerceAggregator>(m, "CommerceAggregator", "Fuses enriched visual matches with shopping offers.")
      .def_static(
          "fuse_matches_and_offers",
          [](std::vector<EnrichedCommerceMatch> vizor_items, std::vector<ShoppingOffer> shopping_offers) {
            return released(
                [&] { return CommerceAggregator::fuse_matches_and_offers(std::move(vizor_items), shopping_offers); });
          },
          py::arg("vizor_items"), py::arg("shopping_offers"),
          "One list without duplicates in publishing order; offers come first and win.");

  m.def(
      "commerce_csv_text",
      [](CommerceIntelligence commerce) { return released([&] { return commerce_csv_text(commerce); }); },
      py::arg("commerce"), "The CSV text of a result, as export_commerce_to_csv writes it.");
  m.def(
      "export_commerce_to_csv",
      [](CommerceIntelligence commerce, std::filesystem::path output_path) {
        return released([&] { return export_commerce_to_csv(commerce, output_path); });
      },
      py::arg("commerce"), py::arg("output_path"),
      "Writes the CSV file atomically and returns its absolute path (pathlib.Path); raises OSError.");
  m.def(
      "export_commerce_to_json",
      [](CommerceIntelligence commerce, std::filesystem::path output_path) {
        return released([&] { return export_commerce_to_json(commerce, output_path); });
      },
      py::arg("commerce"), py::arg("output_path"),
      "Writes model_dump_json(indent=2, exclude_none=True) atomically and returns the absolute path; raises OSError.");
}

void bind_relevance(py::module_& m) {
  m.def(
      "sort_commerce_items",
      [](std::vector<EnrichedCommerceMatch> items) {
        return released([&] { return relevance::sort_commerce_items(std::move(items)); });
      },
      py::arg("items"), "The items in publishing order.");
  m.def(
      "classify_match_relevance",
      [](EnrichedCommerceMatch item, std::optional<std::string> brand) {
        const relevance::RelevanceContext context{std::move(brand)};
        return released([&] { return relevance::classify_match_relevance(item, &context); });
      },
      py::arg("item"), py::arg("brand") = py::none(), "How closely an item matches the pictured product.");
  m.def(
      "recompute_market_summary",
      [](std::vector<EnrichedCommerceMatch> items, CommerceSummary base) {
        return released([&] { return relevance::recompute_market_summary(items, base); });
      },
      py::arg("items"), py::arg("base"),
      "The summary of the items; total_matches and currency are taken from base.");
}

}  // namespace

void bind_services(py::module_& m) {
  bind_unwrapper(m);
  bind_normalizer(m);
  bind_classifier(m);
  bind_metadata(m);
  bind_aggregator(m);
  bind_relevance(m);
  bind_cli(m);
}

}  // namespace tarvik::python
