// tarvik-commerce: command-line access to the commerce-intelligence stages.
#include <iostream>

#include <CLI/CLI.hpp>

#include "commands.hpp"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  CLI::App app{"tarvik-commerce: commerce intelligence for visual product matches"};
  app.require_subcommand(1);
  app.set_version_flag("--version", "tarvik-commerce 0.1.0");
  int exit_code = tarvik::cli::EXIT_OK;
  tarvik::cli::register_unwrap(app, exit_code);
  tarvik::cli::register_price(app, exit_code);
  tarvik::cli::register_classify(app, exit_code);
  tarvik::cli::register_inspect(app, exit_code);
  tarvik::cli::register_enrich(app, exit_code);
  tarvik::cli::register_resolve(app, exit_code);
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
    return tarvik::cli::EXIT_USAGE;
  }
  return exit_code;
}
