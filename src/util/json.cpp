// Page-data JSON: exactly rounded numbers, lone-surrogate repair, and the text forms rules compare.
#include "tarvik/util/json.hpp"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include <boost/json/basic_parser_impl.hpp>
#include <unicode/uchar.h>

#include "tarvik/util/text.hpp"

namespace tarvik::json {

namespace bj = boost::json;

namespace {

// Decimal exponent of the leading significant digit of a JSON number's text
// (saturating), used only to tell overflow from underflow when the exact
// conversion reports a result out of range.
long long leading_exponent(std::string_view t) {
  std::size_t i = 0;
  if (i < t.size() && t[i] == '-') ++i;
  long long int_digits = 0;      // significant integer digits
  long long frac_zeros = 0;      // zeros after the point before a significant digit
  bool seen_significant = false;
  for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
    if (t[i] != '0') seen_significant = true;
    if (seen_significant) int_digits = std::min<long long>(int_digits + 1, 1'000'000'000);
  }
  if (i < t.size() && t[i] == '.') {
    ++i;
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
      if (!seen_significant) {
        if (t[i] != '0')
          seen_significant = true;
        else
          frac_zeros = std::min<long long>(frac_zeros + 1, 1'000'000'000);
      }
    }
  }
  long long exp = 0;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    bool neg = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) neg = t[i++] == '-';
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i)
      exp = std::min<long long>(exp * 10 + (t[i] - '0'), 1'000'000'000'000LL);
    if (neg) exp = -exp;
  }
  const long long lead = int_digits > 0 ? int_digits - 1 : -(frac_zeros + 1);
  return lead + exp;
}

// The correctly rounded double of a JSON number's source text. Out of range
// gives an infinity (overflow) or a signed zero (underflow), as strtod does.
double number_from_text(std::string_view t) {
  double d = 0;
  const auto res = std::from_chars(t.data(), t.data() + t.size(), d);
  if (res.ec == std::errc()) return d;
  const bool neg = !t.empty() && t.front() == '-';
  if (leading_exponent(t) > 0) {
    const double inf = std::numeric_limits<double>::infinity();
    return neg ? -inf : inf;
  }
  return neg ? -0.0 : 0.0;
}

// Builds the document from the parser's events. Numbers that are not
// integers are converted from their source text rather than taken from the
// parser.
//
// Objects are built here rather than by boost::json::value_stack: an object
// with many members is indexed by a hash whose low bits depend only on the
// low (predictable) bits of the table's address, and the table's bucket is
// the hash modulo the capacity. With the capacity equal to the member count
// a document can choose a power of two and names that all share one bucket,
// making construction quadratic. An odd capacity makes every bit of the hash
// count, and those bits are not predictable.
class Builder {
 public:
  static constexpr std::size_t max_array_size = static_cast<std::size_t>(-1);
  static constexpr std::size_t max_object_size = static_cast<std::size_t>(-1);
  static constexpr std::size_t max_string_size = static_cast<std::size_t>(-1);
  static constexpr std::size_t max_key_size = static_cast<std::size_t>(-1);

  bj::value release() { return std::move(values_.back()); }

  bool on_document_begin(bj::error_code&) { return true; }
  bool on_document_end(bj::error_code&) { return true; }
  bool on_array_begin(bj::error_code&) { return true; }
  bool on_array_end(std::size_t n, bj::error_code&) {
    bj::array arr(sp_);
    arr.reserve(n);
    const std::size_t first = values_.size() - n;
    for (std::size_t i = first; i < values_.size(); ++i) arr.push_back(std::move(values_[i]));
    values_.resize(first);
    values_.emplace_back(std::move(arr));
    return true;
  }
  bool on_object_begin(bj::error_code&) { return true; }
  bool on_object_end(std::size_t n, bj::error_code&) {
    bj::object obj(sp_);
    const std::size_t first = values_.size() - n;
    const std::size_t first_key = key_starts_.size() - n;
    if (n > 0) {
      obj.reserve(n | 1);
      for (std::size_t i = 0; i < n; ++i) {
        const std::size_t begin = key_starts_[first_key + i];
        const std::size_t end = i + 1 < n ? key_starts_[first_key + i + 1] : keys_.size();
        // A repeated name keeps its first position and takes the new value.
        obj.insert_or_assign(bj::string_view(keys_.data() + begin, end - begin), std::move(values_[first + i]));
      }
      keys_.resize(key_starts_[first_key]);
    }
    key_starts_.resize(first_key);
    values_.resize(first);
    values_.emplace_back(std::move(obj));
    return true;
  }
  bool on_string_part(bj::string_view s, std::size_t, bj::error_code&) {
    chars_.append(s.data(), s.size());
    return true;
  }
  bool on_string(bj::string_view s, std::size_t, bj::error_code&) {
    if (chars_.empty()) {
      values_.emplace_back(bj::string(s, sp_));
    } else {
      chars_.append(s.data(), s.size());
      values_.emplace_back(bj::string(bj::string_view(chars_.data(), chars_.size()), sp_));
      chars_.clear();
    }
    return true;
  }
  bool on_key_part(bj::string_view s, std::size_t, bj::error_code&) {
    open_key();
    keys_.append(s.data(), s.size());
    return true;
  }
  bool on_key(bj::string_view s, std::size_t, bj::error_code&) {
    open_key();
    keys_.append(s.data(), s.size());
    key_open_ = false;
    return true;
  }
  bool on_number_part(bj::string_view s, bj::error_code&) {
    number_.append(s.data(), s.size());
    return true;
  }
  bool on_int64(std::int64_t i, bj::string_view, bj::error_code&) {
    number_.clear();
    values_.emplace_back(i, sp_);
    return true;
  }
  bool on_uint64(std::uint64_t u, bj::string_view, bj::error_code&) {
    number_.clear();
    values_.emplace_back(u, sp_);
    return true;
  }
  bool on_double(double, bj::string_view s, bj::error_code&) {
    std::string_view text(s.data(), s.size());
    if (!number_.empty()) {
      number_.append(s.data(), s.size());
      text = number_;
    }
    values_.emplace_back(number_from_text(text), sp_);
    number_.clear();
    return true;
  }
  bool on_bool(bool b, bj::error_code&) {
    values_.emplace_back(b, sp_);
    return true;
  }
  bool on_null(bj::error_code&) {
    values_.emplace_back(nullptr, sp_);
    return true;
  }
  bool on_comment_part(bj::string_view, bj::error_code&) { return true; }
  bool on_comment(bj::string_view, bj::error_code&) { return true; }

 private:
  void open_key() {
    if (!key_open_) {
      key_starts_.push_back(keys_.size());
      key_open_ = true;
    }
  }

  bj::storage_ptr sp_;
  std::vector<bj::value> values_;      // finished values not yet in a container
  std::string keys_;                   // names of the open objects' members, back to back
  std::vector<std::size_t> key_starts_;  // where each of those names starts
  bool key_open_ = false;
  std::string chars_;                  // a string value arriving in parts
  std::string number_;                 // a number arriving in parts
};

std::optional<bj::value> parse_once(std::string_view text, std::size_t max_depth) {
  bj::parse_options opts;
  opts.max_depth = std::min(max_depth, DEPTH_CEILING);
  bj::basic_parser<Builder> p(opts);
  bj::error_code ec;
  const std::size_t n = p.write_some(false, text.data(), text.size(), ec);
  if (ec || !p.done() || n != text.size()) return std::nullopt;
  return p.handler().release();
}

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The code unit of a "\uXXXX" escape starting at s[i], or -1.
int escape_unit(std::string_view s, std::size_t i) {
  if (i + 6 > s.size() || s[i] != '\\' || s[i + 1] != 'u') return -1;
  int u = 0;
  for (std::size_t k = i + 2; k < i + 6; ++k) {
    const int h = hex_value(s[k]);
    if (h < 0) return -1;
    u = u * 16 + h;
  }
  return u;
}

void append_repr_string(std::string& out, std::string_view s);
void append_repr(std::string& out, const bj::value& v, std::size_t depth);

}  // namespace

bool replace_lone_surrogates(std::string& s) {
  bool changed = false;
  std::size_t i = 0;
  while (i < s.size()) {
    if (s[i] != '\\') {
      ++i;
      continue;
    }
    const int u = escape_unit(s, i);
    if (u < 0) {
      i += 2;  // any other escape (or a malformed one) is two characters
      continue;
    }
    if (u >= 0xD800 && u <= 0xDBFF) {
      const int low = escape_unit(s, i + 6);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        i += 12;
        continue;
      }
    } else if (u < 0xDC00 || u > 0xDFFF) {
      i += 6;
      continue;
    }
    s.replace(i + 2, 4, "fffd");
    changed = true;
    i += 6;
  }
  return changed;
}

std::optional<bj::value> parse(std::string_view text, std::size_t max_depth) {
  try {
    if (auto v = parse_once(text, max_depth)) return v;
    // Browsers and dynamic-language readers accept unpaired surrogate
    // escapes; the strict parser does not. Retry once with those escapes
    // replaced so that one odd character does not lose a whole block.
    if (text.find("\\u") == std::string_view::npos) return std::nullopt;
    std::string copy(text);
    if (!replace_lone_surrogates(copy)) return std::nullopt;
    return parse_once(copy, max_depth);
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception&) {
    // Size limits of the value types (a string or container too large).
    return std::nullopt;
  }
}

namespace {

// Printable in the sense of a dynamic-language repr: everything except
// control, format, surrogate, private-use, unassigned and separator
// characters (the plain space excepted).
bool printable(char32_t cp) {
  if (cp == ' ') return true;
  if (cp < 0x7F) return cp > 0x20;
  switch (u_charType(static_cast<UChar32>(cp))) {
    case U_CONTROL_CHAR:
    case U_FORMAT_CHAR:
    case U_SURROGATE:
    case U_PRIVATE_USE_CHAR:
    case U_UNASSIGNED:
    case U_SPACE_SEPARATOR:
    case U_LINE_SEPARATOR:
    case U_PARAGRAPH_SEPARATOR:
      return false;
    default:
      return true;
  }
}

void append_hex(std::string& out, char32_t cp, int digits) {
  static constexpr char hex[] = "0123456789abcdef";
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out.push_back(hex[(cp >> shift) & 0xF]);
}

void append_repr_string(std::string& out, std::string_view s) {
  const bool has_single = s.find('\'') != std::string_view::npos;
  const bool has_double = s.find('"') != std::string_view::npos;
  const char quote = (has_single && !has_double) ? '"' : '\'';
  out.push_back(quote);
  std::size_t i = 0;
  while (i < s.size()) {
    const std::size_t start = i;
    const char32_t cp = text::next_code_point(s, i);
    if (cp == static_cast<char32_t>(quote) || cp == '\\') {
      out.push_back('\\');
      out.push_back(static_cast<char>(cp));
    } else if (cp == '\n') {
      out.append("\\n");
    } else if (cp == '\r') {
      out.append("\\r");
    } else if (cp == '\t') {
      out.append("\\t");
    } else if (printable(cp)) {
      out.append(s.substr(start, i - start));
    } else if (cp <= 0xFF) {
      out.append("\\x");
      append_hex(out, cp, 2);
    } else if (cp <= 0xFFFF) {
      out.append("\\u");
      append_hex(out, cp, 4);
    } else {
      out.append("\\U");
      append_hex(out, cp, 8);
    }
  }
  out.push_back(quote);
}

void append_scalar(std::string& out, const bj::value& v) {
  switch (v.kind()) {
    case bj::kind::null: out.append("None"); break;
    case bj::kind::bool_: out.append(v.get_bool() ? "True" : "False"); break;
    case bj::kind::int64: out.append(std::to_string(v.get_int64())); break;
    case bj::kind::uint64: out.append(std::to_string(v.get_uint64())); break;
    case bj::kind::double_: out.append(text::format_double(v.get_double())); break;
    case bj::kind::string: out.append(v.get_string().data(), v.get_string().size()); break;
    default: break;
  }
}

// Nested containers render like a dynamic-language literal: ['a', 1],
// {'k': 'v'}; past the depth bound a container is shown as [...] or {...}.
void append_repr(std::string& out, const bj::value& v, std::size_t depth) {
  switch (v.kind()) {
    case bj::kind::string: {
      const auto& s = v.get_string();
      append_repr_string(out, std::string_view(s.data(), s.size()));
      return;
    }
    case bj::kind::array: {
      if (depth >= MAX_DEPTH) {
        out.append("[...]");
        return;
      }
      out.push_back('[');
      bool first = true;
      for (const auto& e : v.get_array()) {
        if (!first) out.append(", ");
        first = false;
        append_repr(out, e, depth + 1);
      }
      out.push_back(']');
      return;
    }
    case bj::kind::object: {
      if (depth >= MAX_DEPTH) {
        out.append("{...}");
        return;
      }
      out.push_back('{');
      bool first = true;
      for (const auto& kv : v.get_object()) {
        if (!first) out.append(", ");
        first = false;
        append_repr_string(out, std::string_view(kv.key().data(), kv.key().size()));
        out.append(": ");
        append_repr(out, kv.value(), depth + 1);
      }
      out.push_back('}');
      return;
    }
    default: append_scalar(out, v); return;
  }
}

}  // namespace

std::string text_form(const bj::value& v) {
  std::string out;
  if (v.is_array() || v.is_object())
    append_repr(out, v, 0);
  else
    append_scalar(out, v);
  return out;
}

bool truthy(const bj::value* v) {
  if (v == nullptr) return false;
  switch (v->kind()) {
    case bj::kind::null: return false;
    case bj::kind::bool_: return v->get_bool();
    case bj::kind::int64: return v->get_int64() != 0;
    case bj::kind::uint64: return v->get_uint64() != 0;
    case bj::kind::double_: return v->get_double() != 0.0;  // NaN is true
    case bj::kind::string: return !v->get_string().empty();
    case bj::kind::array: return !v->get_array().empty();
    case bj::kind::object: return !v->get_object().empty();
  }
  return false;
}

const bj::value* member(const bj::value& v, std::string_view key) {
  const auto* obj = v.if_object();
  if (obj == nullptr) return nullptr;
  return obj->if_contains(bj::string_view(key.data(), key.size()));
}

std::optional<double> as_number(const bj::value* v) {
  if (v == nullptr) return std::nullopt;
  switch (v->kind()) {
    case bj::kind::int64: return static_cast<double>(v->get_int64());
    case bj::kind::uint64: return static_cast<double>(v->get_uint64());
    case bj::kind::double_: return v->get_double();
    case bj::kind::bool_: return v->get_bool() ? 1.0 : 0.0;
    default: return std::nullopt;
  }
}

}  // namespace tarvik::json
