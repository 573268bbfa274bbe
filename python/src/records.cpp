// The records as Python classes over the C++ types, and the conversions of
// plain Python data into them through the library's JSON readers.
#include <boost/json.hpp>

#include <cmath>
#include <string>
#include <utility>

#include <pybind11/operators.h>

#include "bindings.hpp"
#include "casters.hpp"
#include "tarvik/util/json_writer.hpp"

namespace tarvik::python {

namespace bj = boost::json;
using namespace tarvik::models;

py::object enum_class(const char* name) {
  // Looked up on each call (a dict lookup in sys.modules and one attribute):
  // a cached reference would outlive the interpreter in embedding programs.
  return py::module_::import("tarvik_commerce._enums").attr(name);
}

std::string_view EnumText<commerce::ExtractionMode>::to_text(commerce::ExtractionMode v) {
  switch (v) {
    case commerce::ExtractionMode::OFF: return "off";
    case commerce::ExtractionMode::FALLBACKS: return "fallbacks";
    case commerce::ExtractionMode::OVERRIDES: return "overrides";
  }
  return "off";
}

std::optional<commerce::ExtractionMode> EnumText<commerce::ExtractionMode>::from_text(std::string_view t) {
  if (t == "off") return commerce::ExtractionMode::OFF;
  if (t == "fallbacks") return commerce::ExtractionMode::FALLBACKS;
  if (t == "overrides") return commerce::ExtractionMode::OVERRIDES;
  return std::nullopt;
}

std::optional<std::string> enum_value_text(py::handle src, const char* name) {
  // Members of the package's classes are str subclasses holding their value.
  if (!PyUnicode_Check(src.ptr())) return std::nullopt;
  const auto text = utf8_view(src);
  if (!text) throw py::value_error(std::string(name) + ": text is not valid UTF-8");
  return std::string(*text);
}

void throw_unknown_enum_value(const char* name, const std::string& text) {
  py::object cls = enum_class(name);
  std::string accepted;
  for (py::handle member : cls) {
    accepted += accepted.empty() ? "" : ", ";
    accepted += "\"" + py::str(member.attr("value")).cast<std::string>() + "\"";
  }
  throw py::value_error(std::string(name) + ": unknown value \"" + text + "\" (expected one of " + accepted + ")");
}

namespace {

// Deeper data than any record has is refused before it can exhaust the stack.
constexpr int kMaxDepth = 64;

std::string utf8_of(py::handle text, const std::string& path) {
  const auto data = utf8_view(text);
  if (!data) throw py::value_error(path + ": text is not valid UTF-8 (lone surrogate)");
  return std::string(*data);
}

template <class Record>
bj::value record_json(const Record& r) {
  return bj::parse(r.model_dump_json(-1, true));
}

// Plain Python data (and records) as a JSON value; `path` names the place
// for errors the readers never get to see.
bj::value to_json(py::handle obj, const std::string& path, int depth) {
  if (depth > kMaxDepth) throw py::value_error(path + ": nested too deeply");
  PyObject* p = obj.ptr();
  if (p == Py_None) return nullptr;
  if (PyBool_Check(p)) return p == Py_True;
  if (PyLong_Check(p)) {
    int overflow = 0;
    const long long v = PyLong_AsLongLongAndOverflow(p, &overflow);
    if (!overflow) return static_cast<std::int64_t>(v);
    const double d = PyLong_AsDouble(p);
    if (d == -1.0 && PyErr_Occurred()) {
      PyErr_Clear();
      throw py::value_error(path + ": integer too large");
    }
    return d;
  }
  if (PyFloat_Check(p)) {
    const double d = PyFloat_AS_DOUBLE(p);
    if (!std::isfinite(d)) throw py::value_error(path + ": expected a finite number, got " + py::repr(obj).cast<std::string>());
    return d;
  }
  if (PyUnicode_Check(p)) return bj::string(utf8_of(obj, path));
  if (PyDict_Check(p)) {
    bj::object out;
    for (auto [key, value] : py::reinterpret_borrow<py::dict>(obj)) {
      if (!PyUnicode_Check(key.ptr()))
        throw py::type_error(path + ": keys must be text, got " + py::repr(key).cast<std::string>());
      std::string k = utf8_of(key, path);
      const std::string where = path.empty() ? k : path + "." + k;
      out[k] = to_json(value, where, depth + 1);
    }
    return out;
  }
  if (PyList_Check(p) || PyTuple_Check(p)) {
    bj::array out;
    std::size_t i = 0;
    for (py::handle item : py::reinterpret_borrow<py::sequence>(obj)) {
      out.push_back(to_json(item, path + "[" + std::to_string(i) + "]", depth + 1));
      ++i;
    }
    return out;
  }
  if (py::isinstance<NormalizedPrice>(obj)) {
    const auto& price = obj.cast<const NormalizedPrice&>();
    return bj::object{{"raw", price.raw()}, {"amount", price.amount()}, {"currency", price.currency()}};
  }
  if (py::isinstance<VisualMatch>(obj)) return record_json(obj.cast<const VisualMatch&>());
  if (py::isinstance<ShoppingOffer>(obj)) return record_json(obj.cast<const ShoppingOffer&>());
  if (py::isinstance<EnrichedCommerceMatch>(obj)) return record_json(obj.cast<const EnrichedCommerceMatch&>());
  if (py::isinstance<BestOffer>(obj)) return record_json(obj.cast<const BestOffer&>());
  if (py::isinstance<CommerceSummary>(obj)) return record_json(obj.cast<const CommerceSummary&>());
  if (py::isinstance<CommerceIntelligence>(obj)) return record_json(obj.cast<const CommerceIntelligence&>());
  throw py::type_error((path.empty() ? std::string("value") : path) + ": expected JSON-like data, got " +
                       std::string(Py_TYPE(p)->tp_name));
}

void require_dict(py::handle src, const char* record) {
  if (!PyDict_Check(src.ptr()))
    throw py::type_error(std::string(record) + ": expected a dict or a " + record + ", got " +
                         std::string(Py_TYPE(src.ptr())->tp_name));
}

template <class Record>
constexpr const char* kRecordName = nullptr;
template <>
constexpr const char* kRecordName<VisualMatch> = "VisualMatch";
template <>
constexpr const char* kRecordName<ShoppingOffer> = "ShoppingOffer";
template <>
constexpr const char* kRecordName<EnrichedCommerceMatch> = "EnrichedCommerceMatch";
template <>
constexpr const char* kRecordName<NormalizedPrice> = "NormalizedPrice";
template <>
constexpr const char* kRecordName<CommerceSummary> = "CommerceSummary";
template <>
constexpr const char* kRecordName<BestOffer> = "BestOffer";
template <>
constexpr const char* kRecordName<CommerceIntelligence> = "CommerceIntelligence";

}  // namespace

// A dict read by the record's own reader; errors name the field (a price's
// with "price." before it, as in the records that hold one).
template <class Record>
Record record_from_python(py::handle src) {
  require_dict(src, kRecordName<Record>);
  const std::string_view where = std::is_same_v<Record, NormalizedPrice> ? "price" : "";
  return read_record<Record>(to_json(src, std::string(where), 0), where);
}

template VisualMatch record_from_python<VisualMatch>(py::handle);
template ShoppingOffer record_from_python<ShoppingOffer>(py::handle);
template EnrichedCommerceMatch record_from_python<EnrichedCommerceMatch>(py::handle);
template NormalizedPrice record_from_python<NormalizedPrice>(py::handle);
template CommerceSummary record_from_python<CommerceSummary>(py::handle);
template BestOffer record_from_python<BestOffer>(py::handle);
template CommerceIntelligence record_from_python<CommerceIntelligence>(py::handle);

template <>
std::vector<VisualMatch> records_from_python<VisualMatch>(py::handle src) {
  return read_record_list<VisualMatch>(to_json(src, "visual_matches", 0));
}

template <>
std::vector<ShoppingOffer> records_from_python<ShoppingOffer>(py::handle src) {
  return read_record_list<ShoppingOffer>(to_json(src, "shopping_results", 0));
}

template <>
std::vector<EnrichedCommerceMatch> records_from_python<EnrichedCommerceMatch>(py::handle src) {
  return read_record_list<EnrichedCommerceMatch>(to_json(src, "items", 0));
}

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

py::object pairs_to_dict(const std::optional<Pairs>& pairs) {
  if (!pairs) return py::none();
  py::dict d;
  for (const auto& [k, v] : *pairs) d[py::str(k)] = py::str(v);
  return d;
}

std::optional<Pairs> pairs_from(const py::object& obj) {
  if (obj.is_none()) return std::nullopt;
  if (!PyDict_Check(obj.ptr())) throw py::type_error("sources: expected a dict of text or None");
  Pairs out;
  for (auto [k, v] : py::reinterpret_borrow<py::dict>(obj)) {
    if (!PyUnicode_Check(k.ptr()) || !PyUnicode_Check(v.ptr()))
      throw py::type_error("sources: expected a dict of text or None");
    out.emplace_back(utf8_of(k, "sources"), utf8_of(v, "sources"));
  }
  return out;
}

// What every record class has: construction from a dict or keywords (the
// readers' rules), model_validate, model_dump_json with the C++ text,
// model_dump (the JSON form as Python data), equality, a readable repr and
// copies.
template <class Record, class Class>
void record_protocol(Class& cls, const char* name) {
  cls.def(py::init([](py::kwargs kw) { return record_from_python<Record>(kw); }))
      .def(py::init([](py::dict d) { return record_from_python<Record>(d); }), py::arg("data"))
      .def_static("model_validate", [](py::handle obj) {
        if (py::isinstance<Record>(obj)) return obj.cast<Record>();
        return record_from_python<Record>(obj);
      }, py::arg("obj"), "The record read from a dict (the JSON form), or a copy of a record.")
      .def_static("model_validate_json", [](const std::string& text) {
        return record_from_python<Record>(json_loads(text));
      }, py::arg("json_data"));
  cls.def(
         "model_dump_json",
         [](const Record& r, std::optional<int> indent, bool exclude_none) {
           std::string out;
           {
             py::gil_scoped_release release;
             out = r.model_dump_json(indent ? *indent : -1, exclude_none);
           }
           return out;
         },
         py::kw_only(), py::arg("indent") = 2, py::arg("exclude_none") = true,
         "The record as JSON text, exactly as the library writes it (indent=None: one line).")
      .def(
          "model_dump",
          [](const Record& r, bool exclude_none) {
            return json_loads(r.model_dump_json(-1, exclude_none));
          },
          py::kw_only(), py::arg("exclude_none") = false, "The record's JSON form as dicts, lists and values.")
      .def(py::self == py::self)
      .def("__copy__", [](const Record& r) { return r; })
      .def("__deepcopy__", [](const Record& r, py::handle) { return r; }, py::arg("memo"))
      .def("__repr__", [name](const Record& r) {
        py::dict fields = json_loads(r.model_dump_json(-1, true));
        std::string out = std::string(name) + "(";
        bool first = true;
        for (auto [k, v] : fields) {
          out += first ? "" : ", ";
          out += static_cast<std::string>(py::str(k)) + "=" + static_cast<std::string>(py::repr(v));
          first = false;
        }
        return out + ")";
      });
}

// The record's described fields as attributes; "sources" reads and writes as a dict.
template <class Record, class Class>
void record_fields(Class& cls) {
  boost::mp11::mp_for_each<boost::describe::describe_members<Record, boost::describe::mod_public>>([&](auto d) {
    using T = std::remove_cvref_t<decltype(std::declval<Record&>().*d.pointer)>;
    if constexpr (std::is_same_v<T, std::optional<Pairs>>) {
      cls.def_property(
          d.name, [p = d.pointer](const Record& r) { return pairs_to_dict(r.*p); },
          [p = d.pointer](Record& r, const py::object& v) { r.*p = pairs_from(v); });
    } else {
      cls.def_readwrite(d.name, d.pointer);
    }
  });
}

// A record class: the protocol and the described fields.
template <class Record>
py::class_<Record> bind_record(py::module_& m, const char* name, const char* doc) {
  py::class_<Record> cls(m, name, doc);
  record_protocol<Record>(cls, name);
  record_fields<Record>(cls);
  return cls;
}

}  // namespace

void bind_records(py::module_& m) {
  py::class_<NormalizedPrice> price(m, "NormalizedPrice", "A parsed price: the text as shown, the amount, the code.");
  price.def(py::init<std::string, double, std::string>(), py::arg("raw"), py::arg("amount"), py::arg("currency"))
      .def(py::init([](py::dict d) { return record_from_python<NormalizedPrice>(d); }), py::arg("data"))
      .def_static("model_validate", [](py::handle obj) {
        if (py::isinstance<NormalizedPrice>(obj)) return obj.cast<NormalizedPrice>();
        return record_from_python<NormalizedPrice>(obj);
      }, py::arg("obj"))
      .def_property_readonly("raw", &NormalizedPrice::raw)
      .def_property_readonly("amount", &NormalizedPrice::amount)
      .def_property_readonly("currency", &NormalizedPrice::currency)
      .def("model_dump_json", [](const NormalizedPrice& p, std::optional<int> indent, bool) {
        json::JsonWriter w(indent ? *indent : -1);
        write_json(w, p);
        return w.take();
      }, py::kw_only(), py::arg("indent") = 2, py::arg("exclude_none") = true)
      .def("model_dump", [](const NormalizedPrice& p, bool) {
        py::dict d;
        d["raw"] = p.raw();
        d["amount"] = p.amount();
        d["currency"] = p.currency();
        return d;
      }, py::kw_only(), py::arg("exclude_none") = false)
      .def(py::self == py::self)
      .def("__hash__", [](const NormalizedPrice& p) {
        return py::hash(py::make_tuple(p.raw(), p.amount(), p.currency()));
      })
      .def("__repr__", [](const NormalizedPrice& p) {
        return "NormalizedPrice(raw=" + py::repr(py::str(p.raw())).cast<std::string>() +
               ", amount=" + py::repr(py::float_(p.amount())).cast<std::string>() +
               ", currency=" + py::repr(py::str(p.currency())).cast<std::string>() + ")";
      });

  bind_record<VisualMatch>(m, "VisualMatch", "One visual match of a reverse-image search.");
  bind_record<ShoppingOffer>(m, "ShoppingOffer", "One offer of a shopping search.");
  auto item = bind_record<EnrichedCommerceMatch>(m, "EnrichedCommerceMatch", "One enriched commerce item.");
  item.def_static("from_shopping_offer", &EnrichedCommerceMatch::from_shopping_offer, py::arg("offer"),
                  "An item built from a shopping offer (source engine \"shopping\").");

  bind_record<BestOffer>(m, "BestOffer", "The offer a shopper would pick, as the market summary names it.");
  bind_record<CommerceSummary>(m, "CommerceSummary", "What a run found, at a glance.");
  bind_record<CommerceIntelligence>(m, "CommerceIntelligence", "The result of a run: the summary and the items.");

  using commerce::PageFacts;
  py::class_<PageFacts> facts(m, "PageFacts", "The product facts DestinationMetadataParser.parse_metadata reads from a page.");
  facts
      .def(py::init([](std::string title, std::string merchant_name, std::optional<std::string> brand,
                       std::optional<std::string> sku, std::optional<NormalizedPrice> price,
                       std::optional<StockStatus> stock_status, std::optional<ItemCondition> condition,
                       std::optional<std::string> primary_image_url, std::optional<std::string> shipping_info,
                       PageType page_type, std::int64_t match_score, std::string fetch_source,
                       const py::object& sources) {
             return PageFacts{std::move(title), std::move(merchant_name), std::move(brand), std::move(sku),
                              std::move(price), stock_status, condition, std::move(primary_image_url),
                              std::move(shipping_info), page_type, match_score, std::move(fetch_source),
                              pairs_from(sources)};
           }),
           py::kw_only(), py::arg("title") = "", py::arg("merchant_name") = "", py::arg("brand") = py::none(),
           py::arg("sku") = py::none(), py::arg("price") = py::none(), py::arg("stock_status") = py::none(),
           py::arg("condition") = py::none(), py::arg("primary_image_url") = py::none(),
           py::arg("shipping_info") = py::none(), py::arg("page_type") = PageType::UNCATEGORIZED,
           py::arg("match_score") = 0, py::arg("fetch_source") = "serp_fallback", py::arg("sources") = py::none())
      .def_readwrite("title", &PageFacts::title)
      .def_readwrite("merchant_name", &PageFacts::merchant_name)
      .def_readwrite("brand", &PageFacts::brand)
      .def_readwrite("sku", &PageFacts::sku)
      .def_readwrite("price", &PageFacts::price)
      .def_readwrite("stock_status", &PageFacts::stock_status)
      .def_readwrite("condition", &PageFacts::condition)
      .def_readwrite("primary_image_url", &PageFacts::primary_image_url)
      .def_readwrite("shipping_info", &PageFacts::shipping_info)
      .def_readwrite("page_type", &PageFacts::page_type)
      .def_readwrite("match_score", &PageFacts::match_score)
      .def_readwrite("fetch_source", &PageFacts::fetch_source)
      .def_property(
          "sources", [](const PageFacts& f) { return pairs_to_dict(f.sources); },
          [](PageFacts& f, const py::object& v) { f.sources = pairs_from(v); })
      .def("to_json", &PageFacts::to_json, "The facts as one line of JSON, as the inspect command prints them.")
      .def(
          "model_dump_json",
          [](const PageFacts& f, std::optional<int> indent, bool exclude_none) {
            return f.model_dump_json(indent ? *indent : -1, exclude_none);
          },
          py::kw_only(), py::arg("indent") = 2, py::arg("exclude_none") = true)
      .def(
          "model_dump",
          [](const PageFacts& f, bool exclude_none) { return json_loads(f.model_dump_json(-1, exclude_none)); },
          py::kw_only(), py::arg("exclude_none") = false)
      .def(py::self == py::self)
      .def("__repr__", [](const PageFacts& f) {
        py::dict fields = json_loads(f.model_dump_json(-1, true));
        std::string out = "PageFacts(";
        bool first = true;
        for (auto [k, v] : fields) {
          out += first ? "" : ", ";
          out += static_cast<std::string>(py::str(k)) + "=" + static_cast<std::string>(py::repr(v));
          first = false;
        }
        return out + ")";
      });

  m.def("dump_items_json", &dump_items_json, py::arg("items"), py::kw_only(), py::arg("indent") = 2,
        py::arg("exclude_none") = true, "A list of items as JSON, each written as model_dump_json writes it.");
  m.def(
      "read_visual_matches", [](std::string text) {
        py::gil_scoped_release release;
        return read_visual_matches(text);
      },
      py::arg("json_text"), "A top-level array of matches, or an object holding it under \"visual_matches\".");
  m.def(
      "read_shopping_offers", [](std::string text) {
        py::gil_scoped_release release;
        return read_shopping_offers(text);
      },
      py::arg("json_text"), "A top-level array of offers, or an object holding it under \"shopping_results\".");
  m.def(
      "read_commerce_intelligence", [](std::string text) {
        py::gil_scoped_release release;
        return read_commerce_intelligence(text);
      },
      py::arg("json_text"), "A result as model_dump_json writes it, or a top-level array of items.");
  m.def(
      "currency_code", [](std::string_view token) { return currency_code(token); }, py::arg("token"),
      "The currency code a token names (\"eur\" -> \"EUR\", \"€\" -> \"EUR\"), or None.");
}

}  // namespace tarvik::python
