#include "bindings.hpp"

namespace tarvik::python {

void bind_errors(py::module_& m) { (void)m; }

}  // namespace tarvik::python
