// The parts of the extension module tarvik_commerce._native, one function per
// source file, called in this order when the module is imported.
#pragma once

#include <pybind11/pybind11.h>

#include <optional>
#include <string_view>

namespace tarvik::python {

namespace py = pybind11;

// Python data (dicts, lists, str, numbers, None) from a JSON text.
inline py::object json_loads(std::string_view text) {
  return py::module_::import("json").attr("loads")(py::str(text.data(), text.size()));
}

// The UTF-8 form of a str, which lives as long as the str; none, with
// Python's error cleared, for a str holding a lone surrogate (it has none).
inline std::optional<std::string_view> utf8_view(py::handle str) {
  Py_ssize_t size = 0;
  const char* data = PyUnicode_AsUTF8AndSize(str.ptr(), &size);
  if (!data) {
    PyErr_Clear();
    return std::nullopt;
  }
  return std::string_view(data, static_cast<std::size_t>(size));
}

// The package exception and the translation of C++ exceptions.
void bind_errors(py::module_& m);
// Enumerations and records.
void bind_records(py::module_& m);
// The pure stages: unwrapper, normalizer, classifier, page facts, fusion,
// export, constant tables; the command line.
void bind_services(py::module_& m);
// The pipeline options, the fetcher, the resolver and the enricher's entry points.
void bind_pipeline(py::module_& m);

}  // namespace tarvik::python
