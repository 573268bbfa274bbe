// The HTML5 tree of the extended page-facts mode, built with lexbor. The
// parse is fed the whole page at once; a hook on the tokenizer's token
// callback checks the bounds after every token and stops the parse the
// moment one is passed.

#include "facts/metadata_dom.hpp"

#include <lexbor/core/array.h>
#include <lexbor/core/array_obj.h>
#include <lexbor/core/mem.h>
#include <lexbor/core/mraw.h>
#include <lexbor/dom/interfaces/attr.h>
#include <lexbor/dom/interfaces/element.h>
#include <lexbor/dom/interfaces/text.h>
#include <lexbor/html/interfaces/document.h>
#include <lexbor/html/parser.h>
#include <lexbor/html/tokenizer.h>
#include <lexbor/html/tree.h>
#include <lexbor/ns/const.h>
#include <lexbor/tag/const.h>

#include <algorithm>
#include <utility>

namespace tarvik::commerce::dom {
namespace {

// Bytes held by one of the document's arenas, counted as chunks are added
// (an arena only ever appends chunks while a page is parsed).
class ArenaMeter {
 public:
  explicit ArenaMeter(const lexbor_mraw_t* arena) : mem_(arena != nullptr ? arena->mem : nullptr) {}

  std::size_t bytes() {
    if (mem_ == nullptr) return 0;
    const lexbor_mem_chunk_t* c = seen_ != nullptr ? seen_->next : mem_->chunk_first;
    for (; c != nullptr; c = c->next) {
      bytes_ += c->size;
      seen_ = c;
    }
    return bytes_;
  }

 private:
  const lexbor_mem_t* mem_;
  const lexbor_mem_chunk_t* seen_ = nullptr;
  std::size_t bytes_ = 0;
};

// Sits between the tokenizer and the tree builder.
struct Guard {
  const Limits* limits;
  std::size_t memory_budget;
  lxb_html_tokenizer_token_f tree_callback;
  void* tree_ctx;
  lxb_html_tree_t* tree;
  lxb_html_tokenizer_t* tkz;
  ArenaMeter nodes_arena;
  ArenaMeter text_arena;
  bool stopped = false;

  bool within_limits(const lxb_html_token_t* token) {
    std::size_t attributes = 0;
    for (const lxb_html_token_attr_t* a = token->attr_first; a != nullptr; a = a->next)
      if (++attributes > limits->max_attributes) return false;
    if (tree->open_elements->length > limits->max_depth) return false;
    if (tree->active_formatting->length > limits->max_formatting) return false;
    return nodes_arena.bytes() + text_arena.bytes() <= memory_budget;
  }
};

lxb_html_token_t* guarded_callback(lxb_html_tokenizer_t* tkz, lxb_html_token_t* token, void* ctx) {
  auto* g = static_cast<Guard*>(ctx);
  // Parse errors are not wanted; dropping them keeps their lists from
  // growing with the page.
  if (g->tkz->parse_errors != nullptr) lexbor_array_obj_clean(g->tkz->parse_errors);
  if (g->tree->parse_errors != nullptr) lexbor_array_obj_clean(g->tree->parse_errors);
  if (!g->within_limits(token)) {
    g->stopped = true;
    tkz->status = LXB_STATUS_STOPPED;
    return nullptr;
  }
  lxb_html_token_t* next = g->tree_callback(tkz, token, g->tree_ctx);
  if (next != nullptr && !g->within_limits(next)) {
    g->stopped = true;
    tkz->status = LXB_STATUS_STOPPED;
    return nullptr;
  }
  return next;
}

constexpr std::pair<uintptr_t, Tag> HTML_TAGS[] = {
    {LXB_TAG_A, Tag::A},
    {LXB_TAG_BUTTON, Tag::BUTTON},
    {LXB_TAG_DEL, Tag::DEL},
    {LXB_TAG_DIV, Tag::DIV},
    {LXB_TAG_H1, Tag::H1},
    {LXB_TAG_HTML, Tag::HTML},
    {LXB_TAG_INPUT, Tag::INPUT},
    {LXB_TAG_LINK, Tag::LINK},
    {LXB_TAG_META, Tag::META},
    {LXB_TAG_NOSCRIPT, Tag::NOSCRIPT},
    {LXB_TAG_OPTION, Tag::OPTION},
    {LXB_TAG_S, Tag::S},
    {LXB_TAG_SCRIPT, Tag::SCRIPT},
    {LXB_TAG_SELECT, Tag::SELECT},
    {LXB_TAG_SPAN, Tag::SPAN},
    {LXB_TAG_STRIKE, Tag::STRIKE},
    {LXB_TAG_STYLE, Tag::STYLE},
    {LXB_TAG_TEMPLATE, Tag::TEMPLATE},
    {LXB_TAG_TEXTAREA, Tag::TEXTAREA},
};

Tag tag_of(const lxb_dom_node_t* node) {
  if (node->type == LXB_DOM_NODE_TYPE_TEXT) return Tag::TEXT;
  if (node->ns != LXB_NS_HTML) return Tag::OTHER;
  for (const auto& [id, tag] : HTML_TAGS)
    if (node->local_name == id) return tag;
  return Tag::OTHER;
}

std::string_view view(const lxb_char_t* data, std::size_t len) {
  return data == nullptr ? std::string_view() : std::string_view(reinterpret_cast<const char*>(data), len);
}

}  // namespace

struct Document::Parsed {
  lxb_html_document_t* doc = nullptr;
  ~Parsed() {
    if (doc != nullptr) lxb_html_document_destroy(doc);
  }
};

Document::Document(std::unique_ptr<Parsed> parsed) : parsed_(std::move(parsed)) {}
Document::Document(Document&&) noexcept = default;
Document& Document::operator=(Document&&) noexcept = default;
Document::~Document() = default;

std::optional<std::string_view> Document::attr(std::uint32_t node, std::string_view name) const {
  for (const Attr& a : attrs(node))
    if (a.name == name) return a.value;
  return std::nullopt;
}

std::optional<Document> Document::parse(std::string_view html, const Limits& limits) {
  if (html.size() > limits.max_input_bytes) return std::nullopt;
  auto parsed = std::make_unique<Parsed>();
  parsed->doc = lxb_html_document_create();
  if (parsed->doc == nullptr) return std::nullopt;
  lxb_html_document_t* doc = parsed->doc;
  if (lxb_html_document_parse_chunk_begin(doc) != LXB_STATUS_OK) return std::nullopt;

  auto* parser = static_cast<lxb_html_parser_t*>(doc->dom_document.parser);
  lxb_html_tokenizer_t* tkz = parser->tkz;
  // Later duplicates of an attribute are dropped by the tree builder as it
  // is; the tokenizer's own check would cost time quadratic in a tag's
  // attributes.
  lxb_html_tokenizer_keep_duplicate_set(tkz, true);
  const std::size_t budget = limits.memory_base_bytes + limits.memory_per_input_byte * html.size();
  Guard guard{.limits = &limits,
              .memory_budget = std::min(budget, limits.max_memory_bytes),
              .tree_callback = tkz->callback_token_done,
              .tree_ctx = tkz->callback_token_ctx,
              .tree = parser->tree,
              .tkz = tkz,
              .nodes_arena = ArenaMeter(doc->dom_document.mraw),
              .text_arena = ArenaMeter(doc->dom_document.text)};
  tkz->callback_token_done = guarded_callback;
  tkz->callback_token_ctx = &guard;

  const auto* data = reinterpret_cast<const lxb_char_t*>(html.data());
  lxb_status_t status = lxb_html_document_parse_chunk(doc, data, html.size());
  if (status == LXB_STATUS_OK && !guard.stopped) status = lxb_html_document_parse_chunk_end(doc);
  // The guard lives on this frame only.
  tkz->callback_token_done = guard.tree_callback;
  tkz->callback_token_ctx = guard.tree_ctx;
  if (status != LXB_STATUS_OK || guard.stopped) return std::nullopt;

  Document out(std::move(parsed));
  // Iterative pre-order walk; `open` holds the indices of the elements whose
  // subtree is still being walked.
  std::vector<std::uint32_t> open;
  lxb_dom_node_t* root = lxb_dom_interface_node(doc);
  lxb_dom_node_t* node = root->first_child;
  while (node != nullptr) {
    const bool keep = node->type == LXB_DOM_NODE_TYPE_ELEMENT || node->type == LXB_DOM_NODE_TYPE_TEXT;
    bool descend = false;
    if (keep) {
      if (out.nodes_.size() >= limits.max_nodes) return std::nullopt;
      Node n;
      n.parent = open.empty() ? NONE : open.back();
      n.tag = tag_of(node);
      const auto index = static_cast<std::uint32_t>(out.nodes_.size());
      n.end = index + 1;
      if (n.tag == Tag::TEXT) {
        const lexbor_str_t& s = lxb_dom_interface_text(node)->char_data.data;
        n.text = view(s.data, s.length);
      } else {
        n.attr_begin = static_cast<std::uint32_t>(out.attrs_.size());
        for (lxb_dom_attr_t* a = lxb_dom_element_first_attribute(lxb_dom_interface_element(node));
             a != nullptr; a = lxb_dom_element_next_attribute(a)) {
          std::size_t name_len = 0, value_len = 0;
          const lxb_char_t* name = lxb_dom_attr_local_name(a, &name_len);
          const lxb_char_t* value = lxb_dom_attr_value(a, &value_len);
          out.attrs_.push_back({view(name, name_len), view(value, value_len)});
        }
        n.attr_count = static_cast<std::uint32_t>(out.attrs_.size()) - n.attr_begin;
        descend = node->first_child != nullptr;
      }
      out.nodes_.push_back(n);
      if (descend) open.push_back(index);
    }
    if (descend) {
      node = node->first_child;
      continue;
    }
    // Up until a next sibling is found, closing the subtrees left behind.
    while (node != nullptr && node->next == nullptr) {
      node = node->parent;
      if (node == root || node == nullptr) {
        node = nullptr;
        break;
      }
      if (!open.empty()) {
        out.nodes_[open.back()].end = static_cast<std::uint32_t>(out.nodes_.size());
        open.pop_back();
      }
    }
    if (node != nullptr) node = node->next;
  }
  while (!open.empty()) {
    out.nodes_[open.back()].end = static_cast<std::uint32_t>(out.nodes_.size());
    open.pop_back();
  }
  return out;
}

}  // namespace tarvik::commerce::dom
