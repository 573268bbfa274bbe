// tarvik-commerce price: free-text prices to amount and currency code, one JSON
// object per input.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "commands.hpp"
#include "tarvik/prices/normalizer.hpp"
#include "tarvik/util/json_writer.hpp"
#include "tarvik/util/text.hpp"

namespace tarvik::cli {

namespace {

std::string price_line(const std::string& input, const std::optional<std::string>& hint) {
  const auto price =
      commerce::PriceNormalizer::parse(input, hint ? std::optional<std::string_view>(*hint) : std::nullopt);
  json::JsonWriter w;
  w.begin_object().key("input").value(input).key("price");
  models::write_json(w, price);
  w.end_object();
  return w.take();
}

}  // namespace

void register_price(CLI::App& app, int& exit_code) {
  auto* cmd = app.add_subcommand("price", "Parse free-text prices into an amount and a currency code");
  cmd->footer(
      "Prints one JSON object per text: {\"input\": ..., \"price\": {\"raw\", \"amount\", \"currency\"} or "
      "null}.\nWithout TEXT arguments, reads one text per line from standard input.\n");
  auto texts = std::make_shared<std::vector<std::string>>();
  auto hint = std::make_shared<std::string>();
  cmd->add_option("TEXT", *texts, "Price texts such as \"$1,299.99\" or \"1.299,99 €\"");
  auto* hint_opt =
      cmd->add_option("--currency", *hint, "Currency code assumed when the text names none (default USD)");
  cmd->callback([texts, hint, hint_opt, &exit_code] {
    std::optional<std::string> currency;
    if (hint_opt->count() > 0) currency = text::repair_utf8(*hint);
    for_each_input(*texts, [&](const std::string& input) { emit_line(price_line(input, currency)); });
    exit_code = EXIT_OK;
  });
}

}  // namespace tarvik::cli
