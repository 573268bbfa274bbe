// The native module tarvik_commerce._native, made of the records, stages and pipeline bindings.
#include "bindings.hpp"

PYBIND11_MODULE(_native, m) {
  m.doc() = "tarvik-commerce: commerce intelligence for visual product matches (native part)";
  tarvik::python::bind_errors(m);
  tarvik::python::bind_records(m);
  tarvik::python::bind_services(m);
  tarvik::python::bind_pipeline(m);
}
