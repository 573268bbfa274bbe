// A read-only HTML5 tree of one page for the extended page-facts mode: the
// only place that knows the HTML parser. The tree is flattened into document
// order, so a subtree is a range of node indices and callers walk it with
// plain loops.
//
// Promises: a page is parsed in time linear in its size, and the parse gives
// up (the result is none, never a partial tree) when the page is larger than
// `max_input_bytes`, when the open elements nest deeper than `max_depth`,
// when a tag carries more than `max_attributes` attributes, when the parser's
// list of active formatting elements grows past `max_formatting`, when the
// parser's memory passes `memory_per_input_byte` times the page size plus
// `memory_base_bytes` (and at most `max_memory_bytes`), or when the tree holds
// more than `max_nodes` nodes. The depth, attribute and formatting bounds are what keep
// the parser's own per-token work constant. Pure and thread-safe: every call
// builds its own tree, freed with the Document.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tarvik::commerce::dom {

struct Limits {
  std::size_t max_input_bytes = std::size_t{6} << 20;
  std::size_t max_nodes = 250'000;
  std::size_t max_depth = 256;
  std::size_t max_attributes = 128;
  std::size_t max_formatting = 256;
  // Real pages stay under four bytes of parser memory per page byte; dense
  // markup (a table of one-character cells) takes thirty.
  std::size_t memory_per_input_byte = 40;
  std::size_t memory_base_bytes = std::size_t{4} << 20;
  std::size_t max_memory_bytes = std::size_t{48} << 20;
};

// The elements the extended mode tells apart; every other element is OTHER,
// and so is any element outside the HTML namespace.
enum class Tag : std::uint8_t {
  TEXT,  // a text node
  OTHER,
  A,
  BUTTON,
  DEL,
  DIV,
  H1,
  HTML,
  INPUT,
  LINK,
  META,
  NOSCRIPT,
  OPTION,
  S,
  SCRIPT,
  SELECT,
  SPAN,
  STRIKE,
  STYLE,
  TEMPLATE,
  TEXTAREA,
};

struct Attr {
  std::string_view name;  // lower case
  std::string_view value;
};

inline constexpr std::uint32_t NONE = 0xFFFFFFFFu;

struct Node {
  std::uint32_t parent = NONE;  // index of the parent element, NONE at the top
  std::uint32_t end = 0;        // one past the last node of the subtree
  std::uint32_t attr_begin = 0;
  std::uint32_t attr_count = 0;
  Tag tag = Tag::OTHER;
  std::string_view text;  // the data of a text node
};

class Document {
 public:
  Document(Document&&) noexcept;
  Document& operator=(Document&&) noexcept;
  ~Document();

  // The tree of `html` (UTF-8), or none past the limits.
  static std::optional<Document> parse(std::string_view html, const Limits& limits = {});

  // Elements and text nodes in document order (comments and the document
  // type are left out; so is the content of template elements).
  const std::vector<Node>& nodes() const { return nodes_; }
  std::span<const Attr> attrs(std::uint32_t node) const {
    const Node& n = nodes_[node];
    return {attrs_.data() + n.attr_begin, n.attr_count};
  }
  // The first attribute of that name (lower case), or none.
  std::optional<std::string_view> attr(std::uint32_t node, std::string_view name) const;

 private:
  struct Parsed;
  explicit Document(std::unique_ptr<Parsed> parsed);

  std::unique_ptr<Parsed> parsed_;  // owns the memory the views point into
  std::vector<Node> nodes_;
  std::vector<Attr> attrs_;
};

}  // namespace tarvik::commerce::dom
