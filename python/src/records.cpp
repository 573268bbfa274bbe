#include "bindings.hpp"

namespace tarvik::python {

void bind_records(py::module_& m) { (void)m; }

}  // namespace tarvik::python
