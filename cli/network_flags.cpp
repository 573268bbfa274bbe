// The network flags of enrich and resolve, declared once so both subcommands take them alike.
#include "network_flags.hpp"

#include <cstdio>
#include <exception>
#include <memory>

#include "tarvik/fetcher/warc.hpp"
#include "tarvik/util/text.hpp"

namespace tarvik::cli {

void add_network_flags(CLI::App* cmd, NetworkFlags& flags, bool with_browser) {
  cmd->add_option("--connect-to", flags.connect_to,
                  "HOST1:PORT1:HOST2:PORT2: connect to HOST2:PORT2 for requests to HOST1:PORT1 (curl's form; "
                  "empty HOST1 or PORT1 mean any; repeatable)")
      ->take_all()
      ->allow_extra_args(false);
  cmd->add_flag("--allow-private-network", flags.allow_private_network,
                "Allow connections to loopback, private and other special addresses (refused by default; a "
                "--connect-to mapping to an IP address is exempt for that address and port)");
  cmd->add_flag("--insecure", flags.insecure,
                "DANGEROUS, for loopback test servers only: do not verify TLS certificates or host names (curl's "
                "-k), for the fetcher and the browser alike. Anyone on the path can then read and change every "
                "exchange. Never use it against real stores");
  cmd->add_option("--record", flags.record, "Record every HTTP exchange into this WARC file (.warc or .warc.gz)");
  cmd->add_option("--replay", flags.replay,
                  "Answer every request from this WARC file instead of the network (.warc or .warc.gz)");
  if (with_browser)
    cmd->add_option("--browser", flags.browser,
                    "Browser executable (default: chromium, chromium-browser or google-chrome on the PATH)");
  if (with_browser) {
    // Escalation: pages whose plain fetch met a bot manager's wall.
    cmd->add_option("--max-escalations", flags.max_escalations,
                    "Fetch at most N destination pages that a bot manager blocked (403, 429 or 503 with a "
                    "challenge page) again through the browser, within the fetch time-out (default 8; never "
                    "in --replay)")
        ->check(CLI::NonNegativeNumber);
    cmd->add_flag("--no-escalate", flags.no_escalate, "Never fetch blocked destination pages through the browser");
  }
}

void apply_network_flags(const NetworkFlags& flags, commerce::PipelineOptions& options) {
  for (const std::string& rule : flags.connect_to) {
    try {
      options.fetch.connect_to.push_back(core::parse_connect_to(rule));
    } catch (const std::invalid_argument& e) {
      throw FlagError("--connect-to: " + std::string(e.what()));
    }
  }
  options.fetch.allow_private_network = flags.allow_private_network;
  options.fetch.insecure = flags.insecure;
  if (!flags.replay.empty()) {
    try {
      auto archive = core::WarcArchive::open({flags.replay});
      for (const std::string& line : archive->damage()) std::fprintf(stderr, "warning: --replay: %s\n", line.c_str());
      options.fetch.replay = std::move(archive);
    } catch (const std::exception& e) {
      throw FlagError("--replay: " + text::repair_utf8(e.what()));
    }
  }
  if (!flags.record.empty()) {
    try {
      options.fetch.record = std::make_shared<core::WarcWriter>(flags.record);
    } catch (const std::exception& e) {
      throw FlagError("--record: " + text::repair_utf8(e.what()));
    }
  }
  options.browser_path = flags.browser;
  options.escalate = !flags.no_escalate;
  options.max_escalations = flags.max_escalations;
}

}  // namespace tarvik::cli
