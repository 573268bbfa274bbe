// tarvik-commerce classify: the merchant category of a domain, from the command
// line or from JSON lines on standard input.
#include <memory>
#include <optional>
#include <string>

#include <boost/json.hpp>

#include "commands.hpp"
#include "tarvik/merchants/classifier.hpp"
#include "tarvik/util/json.hpp"
#include "tarvik/util/json_writer.hpp"
#include "tarvik/util/text.hpp"

namespace tarvik::cli {

namespace {

struct ClassifyOptions {
  std::string domain, title, brand, merchant;
  CLI::Option* domain_opt = nullptr;
  CLI::Option* brand_opt = nullptr;
  CLI::Option* merchant_opt = nullptr;
  bool json = false;
};

std::string error_line(std::string_view message) {
  json::JsonWriter w;
  w.begin_object().key("error").value(message).end_object();
  return w.take();
}

// One JSON request {"domain", "title", "brand", "merchant_name"} to one output
// line; false when the request is unusable (the line then holds the error).
bool classify_json_line(const std::string& line, std::string& out) {
  const auto doc = json::parse(line);
  if (!doc) {
    out = error_line("invalid JSON");
    return false;
  }
  if (!doc->is_object()) {
    out = error_line("expected a JSON object");
    return false;
  }
  const auto* domain = json::member(*doc, "domain");
  if (domain == nullptr || !domain->is_string()) {
    out = error_line("\"domain\" must be a string");
    return false;
  }
  std::string_view title;
  if (const auto* t = json::member(*doc, "title")) {
    if (!t->is_string()) {
      out = error_line("\"title\" must be a string");
      return false;
    }
    title = t->get_string();
  }
  std::optional<std::string_view> optional_text[2];
  const char* names[2] = {"brand", "merchant_name"};
  for (int i = 0; i < 2; ++i) {
    const auto* v = json::member(*doc, names[i]);
    if (v == nullptr || v->is_null()) continue;
    if (!v->is_string()) {
      out = error_line(std::string("\"") + names[i] + "\" must be a string or null");
      return false;
    }
    optional_text[i] = v->get_string();
  }
  const auto category =
      commerce::MerchantClassifier::classify(domain->get_string(), title, optional_text[0], optional_text[1]);
  json::JsonWriter w;
  w.begin_object().key("category").value(models::value(category)).end_object();
  out = w.take();
  return true;
}

}  // namespace

void register_classify(CLI::App& app, int& exit_code) {
  auto* cmd = app.add_subcommand("classify", "Classify a merchant from its domain, brand, name and title");
  cmd->footer(
      "Prints the category: major_marketplace, reseller_specialist, official_brand or unverified.\n"
      "With --json and no DOMAIN, reads JSON lines {\"domain\", \"title\", \"brand\", \"merchant_name\"} "
      "from standard input (domain and title strings, brand and merchant_name strings or null) and writes "
      "{\"category\": ...} per line, or {\"error\": ...} for an unusable line (the exit status is then "
      "1).\n");
  auto o = std::make_shared<ClassifyOptions>();
  o->domain_opt = cmd->add_option("DOMAIN", o->domain, "Merchant domain, e.g. www.nike.com");
  auto* title_opt = cmd->add_option("--title", o->title, "Item title");
  o->brand_opt = cmd->add_option("--brand", o->brand, "Item brand");
  o->merchant_opt = cmd->add_option("--merchant", o->merchant, "Merchant name");
  auto* json_flag = cmd->add_flag("--json", o->json, "Read JSON lines from standard input");
  json_flag->excludes(o->domain_opt)->excludes(title_opt)->excludes(o->brand_opt)->excludes(o->merchant_opt);

  cmd->callback([o, &exit_code] {
    if (o->json) {
      bool all_good = true;
      for_each_stdin_line([&](const std::string& line) {
        std::string out;
        all_good = classify_json_line(line, out) && all_good;
        emit_line(out);
      });
      exit_code = all_good ? EXIT_OK : EXIT_BAD_INPUT;
      return;
    }
    if (o->domain_opt->count() == 0) throw CLI::RequiredError("DOMAIN (or --json)");
    const std::string domain = text::repair_utf8(o->domain);
    const std::string title = text::repair_utf8(o->title);
    std::optional<std::string> brand, merchant;
    if (o->brand_opt->count() > 0) brand = text::repair_utf8(o->brand);
    if (o->merchant_opt->count() > 0) merchant = text::repair_utf8(o->merchant);
    const auto view = [](const std::optional<std::string>& s) {
      return s ? std::optional<std::string_view>(*s) : std::nullopt;
    };
    const auto category = commerce::MerchantClassifier::classify(domain, title, view(brand), view(merchant));
    emit_line(std::string(models::value(category)));
    exit_code = EXIT_OK;
  });
}

}  // namespace tarvik::cli
