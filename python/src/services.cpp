#include "bindings.hpp"

namespace tarvik::python {

void bind_services(py::module_& m) { (void)m; }

}  // namespace tarvik::python
