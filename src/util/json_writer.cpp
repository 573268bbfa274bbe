// The one JSON writer every output goes through, so member order and number forms match everywhere.
#include "tarvik/util/json_writer.hpp"

#include <cmath>

#include "tarvik/util/text.hpp"

namespace tarvik::json {

void append_quoted(std::string& out, std::string_view s) {
  static constexpr char hex[] = "0123456789abcdef";
  out.push_back('"');
  for (char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"': out.append("\\\""); break;
      case '\\': out.append("\\\\"); break;
      case '\n': out.append("\\n"); break;
      case '\r': out.append("\\r"); break;
      case '\t': out.append("\\t"); break;
      case '\b': out.append("\\b"); break;
      case '\f': out.append("\\f"); break;
      default:
        if (c < 0x20) {
          out.append("\\u00");
          out.push_back(hex[c >> 4]);
          out.push_back(hex[c & 15]);
        } else {
          out.push_back(ch);
        }
    }
  }
  out.push_back('"');
}

void JsonWriter::newline() {
  if (indent_ < 0) return;
  out_.push_back('\n');
  out_.append(stack_.size() * static_cast<std::size_t>(indent_), ' ');
}

void JsonWriter::before_value() {
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (!stack_.empty()) {
    Frame& f = stack_.back();
    if (!f.empty) out_.push_back(',');
    f.empty = false;
    newline();
  }
}

JsonWriter& JsonWriter::begin_object() {
  before_value();
  out_.push_back('{');
  stack_.push_back({true});
  return *this;
}

JsonWriter& JsonWriter::end_object() {
  const bool empty = stack_.back().empty;
  stack_.pop_back();
  if (!empty) newline();
  out_.push_back('}');
  return *this;
}

JsonWriter& JsonWriter::begin_array() {
  before_value();
  out_.push_back('[');
  stack_.push_back({false});
  return *this;
}

JsonWriter& JsonWriter::end_array() {
  const bool empty = stack_.back().empty;
  stack_.pop_back();
  if (!empty) newline();
  out_.push_back(']');
  return *this;
}

JsonWriter& JsonWriter::key(std::string_view k) {
  before_value();
  append_quoted(out_, k);
  out_.append(indent_ < 0 ? ":" : ": ");
  after_key_ = true;
  return *this;
}

JsonWriter& JsonWriter::value(std::string_view s) {
  before_value();
  append_quoted(out_, s);
  return *this;
}

JsonWriter& JsonWriter::value(double d) {
  if (!std::isfinite(d)) return null();
  before_value();
  out_.append(text::format_double(d));
  return *this;
}

JsonWriter& JsonWriter::value(std::int64_t i) {
  before_value();
  out_.append(std::to_string(i));
  return *this;
}

JsonWriter& JsonWriter::value(bool b) {
  before_value();
  out_.append(b ? "true" : "false");
  return *this;
}

JsonWriter& JsonWriter::null() {
  before_value();
  out_.append("null");
  return *this;
}

JsonWriter& JsonWriter::raw(std::string_view json_text) {
  before_value();
  out_.append(json_text);
  return *this;
}

}  // namespace tarvik::json
