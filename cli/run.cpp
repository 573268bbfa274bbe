// The command line: every subcommand on one parser, and the exit code of the one that ran.
#include <CLI/CLI.hpp>

#include "commands.hpp"

namespace tarvik::cli {

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
  }
  return exit_code;
}

}  // namespace tarvik::cli
