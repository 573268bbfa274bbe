// Conversions between the library's enumerations and the Python enum.Enum
// classes of tarvik_commerce._enums, for every enumeration of the API. A
// function bound with pybind11 takes and returns the C++ enumeration; Python
// callers pass a member of the Python class or its value text ("in_stock")
// and get members back. An unknown value text is a ValueError naming the
// class and the values it accepts. Include this header (before binding) in
// every source file that binds a function taking or returning one of them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include "tarvik/commerce.hpp"

namespace tarvik::python {

namespace py = pybind11;

// The Python class `name` of tarvik_commerce._enums.
py::object enum_class(const char* name);

// How each enumeration is named in Python and reads and writes its value text.
template <class Enum>
struct EnumText;

template <class Enum>
struct ModelEnumText {
  static std::string_view to_text(Enum v) { return models::value(v); }
  static std::optional<Enum> from_text(std::string_view t) { return models::from_value<Enum>(t); }
};
template <>
struct EnumText<models::MerchantCategory> : ModelEnumText<models::MerchantCategory> {
  static constexpr char name[] = "MerchantCategory";
};
template <>
struct EnumText<models::PageType> : ModelEnumText<models::PageType> {
  static constexpr char name[] = "PageType";
};
template <>
struct EnumText<models::StockStatus> : ModelEnumText<models::StockStatus> {
  static constexpr char name[] = "StockStatus";
};
template <>
struct EnumText<models::ItemCondition> : ModelEnumText<models::ItemCondition> {
  static constexpr char name[] = "ItemCondition";
};
template <>
struct EnumText<models::Relevance> : ModelEnumText<models::Relevance> {
  static constexpr char name[] = "Relevance";
};
// The extraction mode as the command line names it: no --extended ("off"),
// --extended ("fallbacks"), --extended=overrides ("overrides").
template <>
struct EnumText<commerce::ExtractionMode> {
  static constexpr char name[] = "ExtractionMode";
  static std::string_view to_text(commerce::ExtractionMode v);
  static std::optional<commerce::ExtractionMode> from_text(std::string_view t);
};

// Loads a member of the Python class `name`, or its value text. Returns none
// for any other type; throws py::value_error for an unknown value text.
std::optional<std::string> enum_value_text(py::handle src, const char* name);
[[noreturn]] void throw_unknown_enum_value(const char* name, const std::string& text);

// Records from plain Python data: a dict (or keyword arguments) for one
// record, a list or tuple of them for a list, holding str, int, float, bool,
// None, lists, dicts, enumeration members and records. They are read by the
// library's own JSON readers, so the rules and the messages are the same:
// "link: missing required field", "visual_matches[3].title: expected a
// string, got number" (models::InputError, raised as ValueError or
// TypeError). Defined for VisualMatch, ShoppingOffer, NormalizedPrice,
// EnrichedCommerceMatch, BestOffer, CommerceSummary, CommerceIntelligence.
template <class Record>
Record record_from_python(py::handle src);
// Defined for VisualMatch, ShoppingOffer, EnrichedCommerceMatch.
template <class Record>
std::vector<Record> records_from_python(py::handle src);

}  // namespace tarvik::python

namespace pybind11::detail {

template <class Enum>
struct tarvik_enum_caster {
  using Text = tarvik::python::EnumText<Enum>;
  PYBIND11_TYPE_CASTER(Enum, const_name("tarvik_commerce.") + const_name(Text::name));

  bool load(handle src, bool /*convert*/) {
    const std::optional<std::string> text = tarvik::python::enum_value_text(src, Text::name);
    if (!text) return false;
    const std::optional<Enum> member = Text::from_text(*text);
    if (!member) tarvik::python::throw_unknown_enum_value(Text::name, *text);
    value = *member;
    return true;
  }
  static handle cast(Enum v, return_value_policy, handle) {
    const std::string_view text = Text::to_text(v);
    return tarvik::python::enum_class(Text::name)(str(text.data(), text.size())).release();
  }
};

// A record argument also takes a dict, and a list of records a list or tuple
// of dicts and records, read as record_from_python reads them; their errors
// propagate with the field named (pybind11's implicit conversions would hide
// them behind "incompatible function arguments").
template <class Record>
struct tarvik_record_caster : type_caster_base<Record> {
  std::optional<Record> read;

  bool load(handle src, bool convert) {
    if (type_caster_base<Record>::load(src, convert)) return true;
    if (!convert || !PyDict_Check(src.ptr())) return false;
    read.emplace(tarvik::python::record_from_python<Record>(src));
    this->value = &*read;
    return true;
  }
};

template <class Record>
struct tarvik_record_list_caster : list_caster<std::vector<Record>, Record> {
  bool load(handle src, bool convert) {
    if (list_caster<std::vector<Record>, Record>::load(src, false)) return true;
    if (!convert || !(PyList_Check(src.ptr()) || PyTuple_Check(src.ptr()))) return false;
    this->value = tarvik::python::records_from_python<Record>(src);
    return true;
  }
};

#define TARVIK_RECORD_CASTER(Record) \
  template <>                        \
  struct type_caster<Record> : tarvik_record_caster<Record> {}
TARVIK_RECORD_CASTER(tarvik::models::VisualMatch);
TARVIK_RECORD_CASTER(tarvik::models::ShoppingOffer);
TARVIK_RECORD_CASTER(tarvik::models::NormalizedPrice);
TARVIK_RECORD_CASTER(tarvik::models::EnrichedCommerceMatch);
TARVIK_RECORD_CASTER(tarvik::models::BestOffer);
TARVIK_RECORD_CASTER(tarvik::models::CommerceSummary);
TARVIK_RECORD_CASTER(tarvik::models::CommerceIntelligence);
#undef TARVIK_RECORD_CASTER

template <>
struct type_caster<std::vector<tarvik::models::VisualMatch>>
    : tarvik_record_list_caster<tarvik::models::VisualMatch> {};
template <>
struct type_caster<std::vector<tarvik::models::ShoppingOffer>>
    : tarvik_record_list_caster<tarvik::models::ShoppingOffer> {};
template <>
struct type_caster<std::vector<tarvik::models::EnrichedCommerceMatch>>
    : tarvik_record_list_caster<tarvik::models::EnrichedCommerceMatch> {};

template <>
struct type_caster<tarvik::models::MerchantCategory> : tarvik_enum_caster<tarvik::models::MerchantCategory> {};
template <>
struct type_caster<tarvik::models::PageType> : tarvik_enum_caster<tarvik::models::PageType> {};
template <>
struct type_caster<tarvik::models::StockStatus> : tarvik_enum_caster<tarvik::models::StockStatus> {};
template <>
struct type_caster<tarvik::models::ItemCondition> : tarvik_enum_caster<tarvik::models::ItemCondition> {};
template <>
struct type_caster<tarvik::models::Relevance> : tarvik_enum_caster<tarvik::models::Relevance> {};
template <>
struct type_caster<tarvik::commerce::ExtractionMode> : tarvik_enum_caster<tarvik::commerce::ExtractionMode> {};

}  // namespace pybind11::detail
