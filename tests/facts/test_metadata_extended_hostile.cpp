// The extended mode's HTML5 tree: how a page is flattened, and hostile pages,
// where the tree gives up past its bounds instead of growing or slowing
// without end and the mode then leaves the rules' facts as they are. Every
// hostile case has a deadline of its own.

#include <chrono>
#include <string>

#include "facts/metadata_dom.hpp"
#include "facts/test_metadata_parse.hpp"

namespace tarvik::commerce::testing {
namespace {

using Clock = std::chrono::steady_clock;
// Generous for sanitizer builds; a quadratic path would take minutes.
constexpr auto DEADLINE = std::chrono::seconds(10);

std::string repeat(std::string_view s, std::size_t n) {
  std::string out;
  out.reserve(s.size() * n);
  for (std::size_t i = 0; i < n; ++i) out += s;
  return out;
}

// Re-opened formatting elements: every "</p><p>x" clones the open <b> with
// its large attribute, so the tree grows far faster than the page.
std::string formatting_clones() {
  return "<p><b title=\"" + std::string(200'000, 'a') + "\">" + repeat("</p><p>x", 20'000);
}

// Distinct attribute names: checking each against the tag's others would be
// quadratic.
std::string many_attributes() {
  std::string s = "<p";
  for (int i = 0; i < 5'000; ++i) s += " x" + std::to_string(i);
  return s + ">";
}

// Formatting elements closed by their container stay listed and are opened
// again (all of them) before every later one.
std::string many_formatting_entries() {
  std::string s;
  for (int i = 0; i < 400; ++i) s += "<div><b class=\"c" + std::to_string(i) + "\"></div>";
  return s;
}

// Each node as tag letter (T text, E element, H h1, B button, S script, X
// template), the indices of its subtree's end and parent, and its text or
// first "id" attribute.
std::string outline(const dom::Document& d) {
  std::string out;
  for (std::uint32_t i = 0; i < d.nodes().size(); ++i) {
    const dom::Node& n = d.nodes()[i];
    const char kind = n.tag == dom::Tag::TEXT       ? 'T'
                      : n.tag == dom::Tag::H1       ? 'H'
                      : n.tag == dom::Tag::BUTTON   ? 'B'
                      : n.tag == dom::Tag::SCRIPT   ? 'S'
                      : n.tag == dom::Tag::TEMPLATE ? 'X'
                                                    : 'E';
    out += kind + std::to_string(n.end) + "^" + (n.parent == dom::NONE ? "-" : std::to_string(n.parent));
    if (n.tag == dom::Tag::TEXT) out += "'" + std::string(n.text) + "'";
    if (const auto id = d.attr(i, "id")) out += "#" + std::string(*id);
    out += ' ';
  }
  return out;
}

TEST(ExtendedTree, FlattensThePageInDocumentOrder) {
  const struct {
    const char* name;
    const char* html;
    const char* outline;
  } cases[] = {
      // html, head, body are implied; a subtree is [index, end).
      {"ImpliedElements", "<h1>A</h1>x", "E6^- E2^0 E6^0 H5^2 T5^3'A' T6^2'x' "},
      {"FirstOfDuplicateAttributesWins", "<b id=one id=two>", "E4^- E2^0 E4^0 E4^2#one "},
      {"CommentsAndTemplateContentLeftOut", "<!--c--><template><b>t</b></template><button>b</button>",
       "E6^- E3^0 X3^1 E6^0 B6^3 T6^4'b' "},
      {"ScriptTextKept", "<script>var a=1;</script>", "E5^- E4^0 S4^1 T4^2'var a=1;' E5^0 "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto doc = dom::Document::parse(c.html);
    ASSERT_TRUE(doc.has_value());
    EXPECT_EQ(outline(*doc), c.outline);
  }
}

struct TreeCase {
  const char* name;
  std::string html;
  dom::Limits limits;
  bool built;
};

TEST(ExtendedTree, GivesUpPastItsBounds) {
  const TreeCase cases[] = {
      {"DeepNesting", repeat("<div>", 200'000), {}, false},
      {"ManyAttributesOnOneTag", many_attributes(), {}, false},
      {"ManyAttributesWithoutThatBound", many_attributes(), {.max_attributes = 10'000}, true},
      {"FormattingClonesOutgrowMemory", formatting_clones(), {}, false},
      {"DeepNestingFromReopenedFormatting", many_formatting_entries(), {}, false},
      // Depth and memory are let loose here to show the list's own bound.
      {"LongFormattingList", many_formatting_entries(), {.max_depth = 100'000, .memory_per_input_byte = 100'000}, false},
      {"LongFormattingListWithoutThatBound", many_formatting_entries(),
       {.max_depth = 100'000, .max_formatting = 100'000, .memory_per_input_byte = 100'000}, true},
      {"DenseMarkupWithinMemory", repeat("<td>1</td>", 100'000), {}, true},
      {"LargerThanTheInputBound", repeat("<p>x</p>", 200), {.max_input_bytes = 1000}, false},
      {"MoreNodesThanTheBound", repeat("<p>x</p>", 200), {.max_nodes = 100}, false},
      {"NestingUpToTheBoundIsRead", repeat("<div>", 200) + repeat("<p>x</p>", 50'000), {}, true},
      {"LongTextIsRead", "<p>" + std::string(4'000'000, 'x') + "</p>", {}, true},
  };
  for (const TreeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const auto start = Clock::now();
    const auto doc = dom::Document::parse(c.html, c.limits);
    EXPECT_EQ(doc.has_value(), c.built);
    EXPECT_LT(Clock::now() - start, DEADLINE);
  }
}

// A page that needs the tree (a product without a price) but is hostile:
// the mode gives up and the facts are the rules' own.
TEST(ExtendedTree, HostilePagesKeepTheRulesFacts) {
  const std::string head = meta("og:type", "product");
  const std::string pages[] = {
      page(head, repeat("<div>", 200'000) + "<h1>Lamp</h1><span class=\"price\">$5.00</span>"),
      page(head, formatting_clones()),
      page(head, "<h1>Lamp</h1>" + repeat("<button>", 300'000)),
      page(head, "<h1>Lamp</h1>" + repeat("<span class=\"price\">", 250) + std::string(2'000'000, '1')),
      page(head + ld(repeat("[", 100'000)) + ld("/*" + std::string(1'000'000, ',')), ""),
      page(head + ld(repeat("{\"offers\":", 50'000)), ""),
  };
  for (const std::string& html : pages) {
    const auto start = Clock::now();
    const PageFacts rules = Call{.html = html}.run();
    PageFacts extended = Call{.html = html, .mode = ExtractionMode::OVERRIDES}.run();
    EXPECT_LT(Clock::now() - start, DEADLINE);
    ASSERT_TRUE(extended.sources.has_value());
    EXPECT_TRUE(extended.sources->empty()) << extended.to_json();
    extended.sources.reset();
    EXPECT_EQ(extended, rules);
  }
}

// Pages without product evidence whose source is searched for controls and
// URL identifiers before any tree: the searches stay bounded and refuse.
TEST(ExtendedTree, HostileSourcesWithoutEvidenceAreRefusedInTime) {
  std::string distinct_runs;
  for (int i = 0; i < 100'000; ++i) distinct_runs += "a" + std::to_string(100'000 + i);
  const struct {
    const char* name;
    std::string url, html;
  } cases[] = {
      {"OnclickMarksWithoutTags", "https://plain.example/x", page("", repeat("onclick=", 600'000))},
      {"ManyClickableSpans", "https://plain.example/x", page("", repeat("<span role=button>Buy now</span>", 100'000))},
      {"OneTagOfButtonRoles", "https://plain.example/x", page("", "<p " + repeat("role=button ", 400'000) + ">")},
      {"PathOfDistinctDigitRuns", "https://plain.example/" + distinct_runs, page("", distinct_runs)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto start = Clock::now();
    const PageFacts f = Call{.html = c.html, .url = c.url, .mode = ExtractionMode::OVERRIDES}.run();
    EXPECT_LT(Clock::now() - start, DEADLINE);
    ASSERT_TRUE(f.sources.has_value());
    EXPECT_TRUE(f.sources->empty()) << f.to_json();
  }
}

// Within the bounds a large page is read in time linear in its size: many
// product-like elements below the heading, each with a price and a label.
TEST(ExtendedTree, LargePageWithinBoundsIsReadInTime) {
  const std::string body = "<h1>Lamp</h1><button>Add to cart</button>" +
                           repeat("<div class=\"facts\"><span class=\"label\">Colour</span> blue</div>", 20'000) +
                           repeat("<p>SKU " + std::string(20, 'x') + "</p>", 10'000);
  const auto start = Clock::now();
  const PageFacts f = Call{.html = page(meta("og:type", "product"), body), .mode = ExtractionMode::FALLBACKS}.run();
  EXPECT_LT(Clock::now() - start, DEADLINE);
  EXPECT_EQ(f.stock_status, models::StockStatus::IN_STOCK);
}

}  // namespace
}  // namespace tarvik::commerce::testing
