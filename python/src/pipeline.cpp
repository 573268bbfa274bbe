#include "bindings.hpp"

namespace tarvik::python {

void bind_pipeline(py::module_& m) { (void)m; }

}  // namespace tarvik::python
