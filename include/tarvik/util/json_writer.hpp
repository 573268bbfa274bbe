// A small streaming JSON writer: members in the order written, non-ASCII text
// as UTF-8, doubles in their shortest round-trip form (130.0, 1e-05), and
// non-finite doubles as null so the output is always valid JSON.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik::json {

class JsonWriter {
 public:
  // indent < 0: compact output on one line; otherwise pretty-printed with that
  // many spaces per level, ": " after keys and one member per line.
  explicit JsonWriter(int indent = -1) : indent_(indent) {}

  JsonWriter& begin_object();
  JsonWriter& end_object();
  JsonWriter& begin_array();
  JsonWriter& end_array();
  JsonWriter& key(std::string_view k);

  JsonWriter& value(std::string_view s);
  JsonWriter& value(const char* s) { return value(std::string_view(s)); }
  JsonWriter& value(const std::string& s) { return value(std::string_view(s)); }
  JsonWriter& value(double d);
  JsonWriter& value(std::int64_t i);
  JsonWriter& value(int i) { return value(static_cast<std::int64_t>(i)); }
  JsonWriter& value(bool b);
  JsonWriter& null();
  // Writes pre-formatted JSON text as one value.
  JsonWriter& raw(std::string_view json_text);
  template <class T>
  JsonWriter& value(const std::optional<T>& v) {
    return v ? value(*v) : null();
  }

  const std::string& str() const { return out_; }
  std::string take() { return std::move(out_); }

 private:
  void before_value();
  void newline();

  struct Frame {
    bool object;
    bool empty = true;
  };
  int indent_;
  bool after_key_ = false;
  std::vector<Frame> stack_;
  std::string out_;
};

// Appends s as a JSON string literal (with quotes).
void append_quoted(std::string& out, std::string_view s);

}  // namespace tarvik::json
