// The command line inside the module: `python3 -m tarvik_commerce ...` runs
// the same tarvik::cli::run as the tarvik-commerce executable.
#include <array>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "bindings.hpp"
#include "casters.hpp"
#include "commands.hpp"

namespace tarvik::python {

namespace {

// The enrich command installs its own SIGINT/SIGTERM handlers for the run and
// leaves the default ones behind; the caller's handlers (Python's among them)
// are put back afterwards.
class SavedSignals {
 public:
  SavedSignals() {
    for (std::size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], nullptr, &saved_[i]);
  }
  ~SavedSignals() {
    for (std::size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &saved_[i], nullptr);
  }
  SavedSignals(const SavedSignals&) = delete;
  SavedSignals& operator=(const SavedSignals&) = delete;

 private:
  static constexpr std::array<int, 2> kSignals = {SIGINT, SIGTERM};
  std::array<struct sigaction, 2> saved_{};
};

int run_cli(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  py::gil_scoped_release release;
  int status = 0;
  {
    SavedSignals keep;
    status = cli::run(static_cast<int>(args.size()), argv.data());
  }
  std::cout.flush();
  std::cerr.flush();
  std::fflush(stdout);
  return status;
}

}  // namespace

void bind_cli(py::module_& m) {
  m.def("run_cli", &run_cli, py::arg("argv"),
        "Runs the tarvik-commerce command line (argv[0] is the program name) and returns its exit status. "
        "Standard input and output are the process's own.");
}

}  // namespace tarvik::python
