// The package exception TarvikError and the translation of C++ exceptions:
// bad input becomes ValueError (TypeError when a value has the wrong type),
// file and system errors OSError with their errno, anything else TarvikError;
// the message is always the C++ one.
#include <filesystem>
#include <ios>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

#include "bindings.hpp"
#include "casters.hpp"

namespace tarvik::python {

namespace {

PyObject* tarvik_error = nullptr;

// The readers say "<place>: expected <kind>, got <kind>" for a value of the
// wrong type; every other complaint is about the value itself.
bool is_type_complaint(std::string_view msg) {
  const auto expected = msg.find(": expected ");
  return expected != std::string_view::npos && msg.find(", got ", expected) != std::string_view::npos;
}

void set_os_error(const std::error_code& code, const char* what, const std::filesystem::path* path) {
  const int err = code.category() == std::generic_category() || code.category() == std::system_category()
                      ? code.value()
                      : 0;
  // OSError(errno, message[, filename]) picks the subclass for errno
  // (FileNotFoundError, IsADirectoryError, ...).
  py::tuple args = path && !path->empty() ? py::make_tuple(err, what, path->string()) : py::make_tuple(err, what);
  PyErr_SetObject(PyExc_OSError, args.ptr());
}

}  // namespace

void bind_errors(py::module_& m) {
  tarvik_error = PyErr_NewExceptionWithDoc("tarvik_commerce.TarvikError",
                                           "A failure of the library that is not bad input or a system error.",
                                           PyExc_Exception, nullptr);
  if (!tarvik_error) throw py::error_already_set();
  m.add_object("TarvikError", py::handle(tarvik_error));

  py::register_exception_translator([](std::exception_ptr p) {
    if (!p) return;
    try {
      std::rethrow_exception(p);
    } catch (const py::error_already_set&) {
      throw;
    } catch (const py::builtin_exception&) {
      throw;
    } catch (const std::bad_alloc&) {
      throw;
    } catch (const models::InputError& e) {
      PyErr_SetString(is_type_complaint(e.what()) ? PyExc_TypeError : PyExc_ValueError, e.what());
    } catch (const std::invalid_argument& e) {
      PyErr_SetString(PyExc_ValueError, e.what());
    } catch (const std::filesystem::filesystem_error& e) {
      set_os_error(e.code(), e.what(), &e.path1());
    } catch (const std::system_error& e) {  // std::ios_base::failure included
      set_os_error(e.code(), e.what(), nullptr);
    } catch (const std::exception& e) {
      PyErr_SetString(tarvik_error, e.what());
    }
  });
}

}  // namespace tarvik::python
