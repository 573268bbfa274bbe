// The command line's entry: parses, runs one subcommand, and turns output
// failures into an exit status.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <iostream>
#include <string>
#include <string_view>

#include <CLI/CLI.hpp>

#include "commands.hpp"

namespace tarvik::cli {

namespace {

int output_failure(const std::string& message) {
  std::fprintf(stderr, "tarvik-commerce: %s\n", message.c_str());
  return EXIT_BAD_INPUT;
}

// What a command wrote through stdio or iostreams but did not check: a failed
// write or flush is an error of the run, not a success.
bool standard_output_intact(std::string& message) {
  std::cout.flush();
  errno = 0;
  const bool flushed = std::fflush(stdout) == 0;
  if (flushed && std::ferror(stdout) == 0 && std::cout.good()) return true;
  message = std::string("cannot write standard output: ") + (errno != 0 ? std::strerror(errno) : "write error");
  return false;
}

}  // namespace

int run(int argc, char** argv) {
  CLI::App app{"tarvik-commerce: commerce intelligence for visual product matches"};
  app.require_subcommand(1);
  app.set_version_flag("--version", "tarvik-commerce 0.1.0");
  int exit_code = EXIT_OK;
  register_unwrap(app, exit_code);
  register_price(app, exit_code);
  register_classify(app, exit_code);
  register_inspect(app, exit_code);
  register_enrich(app, exit_code);
  register_resolve(app, exit_code);
  // The first word names the subcommand; CLI11 would only call an unknown one
  // an unexpected argument.
  if (argc > 1 && argv[1][0] != '-') {
    const CLI::App& all = app;
    std::string known;
    bool found = false;
    for (const CLI::App* sub : all.get_subcommands(std::function<bool(const CLI::App*)>())) {
      found = found || sub->check_name(argv[1]);
      known += (known.empty() ? "" : ", ") + sub->get_name();
    }
    if (!found) {
      std::fprintf(stderr, "tarvik-commerce: unknown subcommand '%s' (one of: %s; --help lists them)\n", argv[1],
                   known.c_str());
      return EXIT_USAGE;
    }
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return EXIT_USAGE;
  } catch (const OutputError& e) {
    return output_failure(e.what());
  }
  std::string message;
  if (!standard_output_intact(message)) return output_failure(message);
  return exit_code;
}

}  // namespace tarvik::cli
