// Command-line flags shared by the subcommands that reach the network (enrich,
// resolve): host mappings, the address guard, WARC recording and replay, and
// the browser executable.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "tarvik/commerce/options.hpp"

namespace tarvik::cli {

struct NetworkFlags {
  std::vector<std::string> connect_to;
  bool allow_private_network = false;
  bool insecure = false;
  std::string record;
  std::string replay;
  std::string browser;
  // Escalation of pages behind a bot manager's wall to the browser.
  bool no_escalate = false;
  std::size_t max_escalations = 8;
};

// Adds --connect-to (repeatable), --allow-private-network, --insecure,
// --record, --replay and, with `with_browser`, --browser, --max-escalations and
// --no-escalate to `cmd`.
void add_network_flags(CLI::App* cmd, NetworkFlags& flags, bool with_browser);

// A flag value that cannot be used: a malformed host mapping, an archive that
// cannot be opened or created. The message names the flag and the file.
class FlagError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Fills the fetch and browser parts of `options`: parses the mappings, opens
// the replay archive (reporting damage on stderr) and creates the record
// archive. Throws FlagError.
void apply_network_flags(const NetworkFlags& flags, commerce::PipelineOptions& options);

}  // namespace tarvik::cli
