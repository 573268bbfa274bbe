#include "commands.hpp"

namespace tarvik::cli {

void register_inspect(CLI::App& app, int& exit_code) {
  (void)app;
  (void)exit_code;
}

}  // namespace tarvik::cli
