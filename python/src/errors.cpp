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
PyObject* invalid_url_error = nullptr;

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
  invalid_url_error = PyErr_NewExceptionWithDoc("tarvik_commerce.InvalidURLError",
                                                "A URL that cannot be split (a ValueError).", PyExc_ValueError, nullptr);
  if (!invalid_url_error) throw py::error_already_set();
  m.add_object("InvalidURLError", py::handle(invalid_url_error));

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
    } catch (const commerce::InvalidURLError& e) {
      PyErr_SetString(invalid_url_error, e.what());
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

  // For the package's tests: throws the C++ exception `kind` names, so each
  // translation above can be checked without provoking the failure itself.
  m.def("_throw_for_test", [](const std::string& kind, const std::string& message) {
    if (kind == "invalid_argument") throw std::invalid_argument(message);
    if (kind == "input_error") throw models::InputError(message);
    if (kind == "filesystem")
      throw std::filesystem::filesystem_error(message, "/no/such/file", std::make_error_code(std::errc::no_such_file_or_directory));
    if (kind == "system") throw std::system_error(std::make_error_code(std::errc::permission_denied), message);
    if (kind == "ios") throw std::ios_base::failure(message);
    if (kind == "bad_alloc") throw std::bad_alloc();
    throw std::runtime_error(message);
  });
}

}  // namespace tarvik::python
