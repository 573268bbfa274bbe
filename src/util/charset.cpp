// Page decoding the way browsers do it: BOM, then a <meta> declaration found by
// the HTML prescan, then windows-1252; labels resolve as the web's encoding
// labels do (iso-8859-1 and us-ascii mean windows-1252, gb2312 means GBK, ...),
// and the bytes are converted through ICU.
#include "tarvik/util/charset.hpp"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "tarvik/util/text.hpp"

namespace tarvik::charset {
namespace {

// How the bytes of an encoding become UTF-8.
enum class Decoder {
  UTF8,          // repaired in place (invalid sequences become U+FFFD)
  ICU,           // an ICU converter
  REPLACEMENT,   // the web's "replacement" encoding: any input is one U+FFFD
  USER_DEFINED,  // x-user-defined: 0x80-0xFF map to U+F780-U+F7FF
};

struct Encoding {
  std::string_view name;  // the web's name of the encoding
  Decoder decoder;
  const char* icu_name;   // ICU converter for Decoder::ICU
};

// Every encoding the web knows, with the ICU converter that decodes it. GBK
// decodes with the gb18030 decoder (as browsers do), Shift_JIS is the Windows
// variant, EUC-KR is Windows code page 949, ISO-8859-8-I decodes as ISO-8859-8.
// ISO-8859-16 has no converter in ICU's default data and falls back to
// windows-1252 like an unknown label.
constexpr Encoding UTF_8{"UTF-8", Decoder::UTF8, nullptr};
constexpr Encoding WINDOWS_1252{"windows-1252", Decoder::ICU, "windows-1252"};
constexpr Encoding UTF_16LE{"UTF-16LE", Decoder::ICU, "UTF-16LE"};
constexpr Encoding UTF_16BE{"UTF-16BE", Decoder::ICU, "UTF-16BE"};
constexpr Encoding X_USER_DEFINED{"x-user-defined", Decoder::USER_DEFINED, nullptr};
constexpr Encoding REPLACEMENT{"replacement", Decoder::REPLACEMENT, nullptr};

constexpr std::array<Encoding, 34> OTHER_ENCODINGS{{
    {"IBM866", Decoder::ICU, "IBM866"},
    {"ISO-8859-2", Decoder::ICU, "ISO-8859-2"},
    {"ISO-8859-3", Decoder::ICU, "ISO-8859-3"},
    {"ISO-8859-4", Decoder::ICU, "ISO-8859-4"},
    {"ISO-8859-5", Decoder::ICU, "ISO-8859-5"},
    {"ISO-8859-6", Decoder::ICU, "ISO-8859-6"},
    {"ISO-8859-7", Decoder::ICU, "ISO-8859-7"},
    {"ISO-8859-8", Decoder::ICU, "ISO-8859-8"},
    {"ISO-8859-8-I", Decoder::ICU, "ISO-8859-8"},
    {"ISO-8859-10", Decoder::ICU, "ISO-8859-10"},
    {"ISO-8859-13", Decoder::ICU, "ISO-8859-13"},
    {"ISO-8859-14", Decoder::ICU, "ISO-8859-14"},
    {"ISO-8859-15", Decoder::ICU, "ISO-8859-15"},
    {"ISO-8859-16", Decoder::ICU, "windows-1252"},
    {"KOI8-R", Decoder::ICU, "KOI8-R"},
    {"KOI8-U", Decoder::ICU, "KOI8-U"},
    {"macintosh", Decoder::ICU, "macintosh"},
    {"windows-874", Decoder::ICU, "windows-874"},
    {"windows-1250", Decoder::ICU, "windows-1250"},
    {"windows-1251", Decoder::ICU, "windows-1251"},
    {"windows-1253", Decoder::ICU, "windows-1253"},
    {"windows-1254", Decoder::ICU, "windows-1254"},
    {"windows-1255", Decoder::ICU, "windows-1255"},
    {"windows-1256", Decoder::ICU, "windows-1256"},
    {"windows-1257", Decoder::ICU, "windows-1257"},
    {"windows-1258", Decoder::ICU, "windows-1258"},
    {"x-mac-cyrillic", Decoder::ICU, "x-mac-cyrillic"},
    {"GBK", Decoder::ICU, "gb18030"},
    {"gb18030", Decoder::ICU, "gb18030"},
    {"Big5", Decoder::ICU, "Big5-HKSCS"},
    {"EUC-JP", Decoder::ICU, "EUC-JP"},
    {"ISO-2022-JP", Decoder::ICU, "ISO-2022-JP"},
    {"Shift_JIS", Decoder::ICU, "windows-31j"},
    {"EUC-KR", Decoder::ICU, "windows-949"},
}};

struct LabelGroup {
  std::string_view encoding;
  std::vector<std::string_view> labels;
};

// The web's encoding labels (lower case), grouped by the encoding they name.
const std::unordered_map<std::string_view, const Encoding*>& label_table() {
  static const auto table = [] {
    const LabelGroup groups[] = {
        {"UTF-8", {"unicode-1-1-utf-8", "unicode11utf8", "unicode20utf8", "utf-8", "utf8", "x-unicode20utf8"}},
        {"IBM866", {"866", "cp866", "csibm866", "ibm866"}},
        {"ISO-8859-2",
         {"csisolatin2", "iso-8859-2", "iso-ir-101", "iso8859-2", "iso88592", "iso_8859-2", "iso_8859-2:1987", "l2",
          "latin2"}},
        {"ISO-8859-3",
         {"csisolatin3", "iso-8859-3", "iso-ir-109", "iso8859-3", "iso88593", "iso_8859-3", "iso_8859-3:1988", "l3",
          "latin3"}},
        {"ISO-8859-4",
         {"csisolatin4", "iso-8859-4", "iso-ir-110", "iso8859-4", "iso88594", "iso_8859-4", "iso_8859-4:1988", "l4",
          "latin4"}},
        {"ISO-8859-5",
         {"csisolatincyrillic", "cyrillic", "iso-8859-5", "iso-ir-144", "iso8859-5", "iso88595", "iso_8859-5",
          "iso_8859-5:1988"}},
        {"ISO-8859-6",
         {"arabic", "asmo-708", "csiso88596e", "csiso88596i", "csisolatinarabic", "ecma-114", "iso-8859-6",
          "iso-8859-6-e", "iso-8859-6-i", "iso-ir-127", "iso8859-6", "iso88596", "iso_8859-6", "iso_8859-6:1987"}},
        {"ISO-8859-7",
         {"csisolatingreek", "ecma-118", "elot_928", "greek", "greek8", "iso-8859-7", "iso-ir-126", "iso8859-7",
          "iso88597", "iso_8859-7", "iso_8859-7:1987", "sun_eu_greek"}},
        {"ISO-8859-8",
         {"csiso88598e", "csisolatinhebrew", "hebrew", "iso-8859-8", "iso-8859-8-e", "iso-ir-138", "iso8859-8",
          "iso88598", "iso_8859-8", "iso_8859-8:1988", "visual"}},
        {"ISO-8859-8-I", {"csiso88598i", "iso-8859-8-i", "logical"}},
        {"ISO-8859-10",
         {"csisolatin6", "iso-8859-10", "iso-ir-157", "iso8859-10", "iso885910", "l6", "latin6"}},
        {"ISO-8859-13", {"iso-8859-13", "iso8859-13", "iso885913"}},
        {"ISO-8859-14", {"iso-8859-14", "iso8859-14", "iso885914"}},
        {"ISO-8859-15", {"csisolatin9", "iso-8859-15", "iso8859-15", "iso885915", "iso_8859-15", "l9"}},
        {"ISO-8859-16", {"iso-8859-16"}},
        {"KOI8-R", {"cskoi8r", "koi", "koi8", "koi8-r", "koi8_r"}},
        {"KOI8-U", {"koi8-ru", "koi8-u"}},
        {"macintosh", {"csmacintosh", "mac", "macintosh", "x-mac-roman"}},
        {"windows-874", {"dos-874", "iso-8859-11", "iso8859-11", "iso885911", "tis-620", "windows-874"}},
        {"windows-1250", {"cp1250", "windows-1250", "x-cp1250"}},
        {"windows-1251", {"cp1251", "windows-1251", "x-cp1251"}},
        {"windows-1252",
         {"ansi_x3.4-1968", "ascii", "cp1252", "cp819", "csisolatin1", "ibm819", "iso-8859-1", "iso-ir-100",
          "iso8859-1", "iso88591", "iso_8859-1", "iso_8859-1:1987", "l1", "latin1", "us-ascii", "windows-1252",
          "x-cp1252"}},
        {"windows-1253", {"cp1253", "windows-1253", "x-cp1253"}},
        {"windows-1254",
         {"cp1254", "csisolatin5", "iso-8859-9", "iso-ir-148", "iso8859-9", "iso88599", "iso_8859-9",
          "iso_8859-9:1989", "l5", "latin5", "windows-1254", "x-cp1254"}},
        {"windows-1255", {"cp1255", "windows-1255", "x-cp1255"}},
        {"windows-1256", {"cp1256", "windows-1256", "x-cp1256"}},
        {"windows-1257", {"cp1257", "windows-1257", "x-cp1257"}},
        {"windows-1258", {"cp1258", "windows-1258", "x-cp1258"}},
        {"x-mac-cyrillic", {"x-mac-cyrillic", "x-mac-ukrainian"}},
        {"GBK",
         {"chinese", "csgb2312", "csiso58gb231280", "gb2312", "gb_2312", "gb_2312-80", "gbk", "iso-ir-58", "x-gbk"}},
        {"gb18030", {"gb18030"}},
        {"Big5", {"big5", "big5-hkscs", "cn-big5", "csbig5", "x-x-big5"}},
        {"EUC-JP", {"cseucpkdfmtjapanese", "euc-jp", "x-euc-jp"}},
        {"ISO-2022-JP", {"csiso2022jp", "iso-2022-jp"}},
        {"Shift_JIS",
         {"csshiftjis", "ms932", "ms_kanji", "shift-jis", "shift_jis", "sjis", "windows-31j", "x-sjis"}},
        {"EUC-KR",
         {"cseuckr", "csksc56011987", "euc-kr", "iso-ir-149", "korean", "ks_c_5601-1987", "ks_c_5601-1989", "ksc5601",
          "ksc_5601", "windows-949"}},
        {"replacement",
         {"csiso2022kr", "hz-gb-2312", "iso-2022-cn", "iso-2022-cn-ext", "iso-2022-kr", "replacement"}},
        {"UTF-16BE", {"unicodefffe", "utf-16be"}},
        {"UTF-16LE",
         {"csunicode", "iso-10646-ucs-2", "ucs-2", "unicode", "unicodefeff", "utf-16", "utf-16le"}},
        {"x-user-defined", {"x-user-defined"}},
    };
    auto by_name = [](std::string_view name) -> const Encoding* {
      for (const Encoding* e : {&UTF_8, &WINDOWS_1252, &UTF_16LE, &UTF_16BE, &X_USER_DEFINED, &REPLACEMENT}) {
        if (e->name == name) return e;
      }
      for (const Encoding& e : OTHER_ENCODINGS) {
        if (e.name == name) return &e;
      }
      return nullptr;
    };
    std::unordered_map<std::string_view, const Encoding*> t;
    for (const auto& g : groups) {
      const Encoding* e = by_name(g.encoding);
      for (auto label : g.labels) t.emplace(label, e);
    }
    return t;
  }();
  return table;
}

bool is_ascii_ws(unsigned char c) { return c == 0x09 || c == 0x0A || c == 0x0C || c == 0x0D || c == 0x20; }
char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }
bool is_ascii_alpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The encoding a label names (surrounding ASCII whitespace ignored, ASCII case
// folded), or nullptr for a label the web does not know.
const Encoding* encoding_for_label(std::string_view label) {
  while (!label.empty() && is_ascii_ws(static_cast<unsigned char>(label.front()))) label.remove_prefix(1);
  while (!label.empty() && is_ascii_ws(static_cast<unsigned char>(label.back()))) label.remove_suffix(1);
  if (label.empty() || label.size() > 32) return nullptr;
  std::string lower(label);
  for (char& c : lower) c = ascii_lower(c);
  const auto& table = label_table();
  const auto it = table.find(lower);
  return it == table.end() ? nullptr : it->second;
}

constexpr std::string_view REPLACEMENT_CHAR = "\xEF\xBF\xBD";

struct ConverterCloser {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

// ICU's own substitution writes U+001A for a single bad byte in some
// converters; pages get U+FFFD for every bad sequence.
void to_unicode_replacement(const void*, UConverterToUnicodeArgs* args, const char*, int32_t,
                            UConverterCallbackReason reason, UErrorCode* status) {
  if (reason > UCNV_IRREGULAR) return;  // reset, close, clone: nothing to write
  static const UChar replacement[] = {0xFFFD};
  *status = U_ZERO_ERROR;
  ucnv_cbToUWriteUChars(args, replacement, 1, 0, status);
}

ConverterPtr open_converter(const char* name) {
  UErrorCode status = U_ZERO_ERROR;
  ConverterPtr cnv(ucnv_open(name, &status));
  if (U_FAILURE(status)) return nullptr;
  return cnv;
}

// Converts through ICU in bounded steps: source converter -> UTF-16 pivot ->
// UTF-8. Malformed or unmapped input becomes U+FFFD.
std::optional<std::string> icu_to_utf8(std::string_view bytes, const char* icu_name) {
  ConverterPtr source = open_converter(icu_name);
  ConverterPtr target = open_converter("UTF-8");
  if (!source || !target) return std::nullopt;
  UErrorCode status = U_ZERO_ERROR;
  ucnv_setToUCallBack(source.get(), to_unicode_replacement, nullptr, nullptr, nullptr, &status);
  ucnv_setFromUCallBack(target.get(), UCNV_FROM_U_CALLBACK_SUBSTITUTE, nullptr, nullptr, nullptr, &status);
  if (U_FAILURE(status)) return std::nullopt;

  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  std::array<UChar, 4096> pivot{};
  UChar* pivot_source = pivot.data();
  UChar* pivot_target = pivot.data();
  std::array<char, 16384> chunk{};
  const char* src = bytes.data();
  const char* const src_end = bytes.data() + bytes.size();
  bool reset = true;
  for (;;) {
    char* dst = chunk.data();
    status = U_ZERO_ERROR;
    ucnv_convertEx(target.get(), source.get(), &dst, chunk.data() + chunk.size(), &src, src_end, pivot.data(),
                   &pivot_source, &pivot_target, pivot.data() + pivot.size(), reset, /*flush=*/true, &status);
    reset = false;
    out.append(chunk.data(), static_cast<std::size_t>(dst - chunk.data()));
    if (status == U_BUFFER_OVERFLOW_ERROR) continue;
    if (U_FAILURE(status)) return std::nullopt;
    break;
  }
  return out;
}

std::string decode_with(std::string_view bytes, const Encoding& enc) {
  switch (enc.decoder) {
    case Decoder::UTF8:
      return text::repair_utf8(bytes);
    case Decoder::REPLACEMENT:
      return bytes.empty() ? std::string() : std::string(REPLACEMENT_CHAR);
    case Decoder::USER_DEFINED: {
      std::string out;
      out.reserve(bytes.size() * 3);
      for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
          out.push_back(c);
        } else {
          text::append_utf8(out, 0xF780 + (b - 0x80));
        }
      }
      return out;
    }
    case Decoder::ICU:
      break;
  }
  auto converted = icu_to_utf8(bytes, enc.icu_name);
  if (!converted && std::string_view(enc.icu_name) != WINDOWS_1252.icu_name) converted = icu_to_utf8(bytes, WINDOWS_1252.icu_name);
  if (!converted) return text::repair_utf8(bytes);
  // ICU's converters substitute U+FFFD for what they cannot map, so this only
  // copies when a converter let something through that is not valid UTF-8.
  if (!text::is_valid_utf8(*converted)) return text::repair_utf8(*converted);
  return std::move(*converted);
}

// The encoding named by "charset=" inside a Content-Type value (ASCII
// letters already lower-cased).
const Encoding* charset_from_content(std::string_view v) {
  std::size_t pos = 0;
  for (;;) {
    const auto at = v.find("charset", pos);
    if (at == std::string_view::npos) return nullptr;
    pos = at + 7;
    while (pos < v.size() && is_ascii_ws(static_cast<unsigned char>(v[pos]))) ++pos;
    if (pos >= v.size() || v[pos] != '=') continue;
    ++pos;
    while (pos < v.size() && is_ascii_ws(static_cast<unsigned char>(v[pos]))) ++pos;
    if (pos >= v.size()) return nullptr;
    if (v[pos] == '"' || v[pos] == '\'') {
      const auto close = v.find(v[pos], pos + 1);
      if (close == std::string_view::npos) return nullptr;
      return encoding_for_label(v.substr(pos + 1, close - pos - 1));
    }
    std::size_t end = pos;
    while (end < v.size() && !is_ascii_ws(static_cast<unsigned char>(v[end])) && v[end] != ';') ++end;
    return encoding_for_label(v.substr(pos, end - pos));
  }
}

// How far into the page the <meta> prescan looks.
constexpr std::size_t PRESCAN_BYTES = 8192;

// The HTML standard's prescan of a byte stream for a character encoding
// declaration, over a bounded window of the page.
class Prescan {
 public:
  explicit Prescan(std::string_view window) : s_(window) {}

  const Encoding* run() {
    while (i_ < s_.size()) {
      if (starts_with("<!--")) {
        // The comment ends at the first "-->" whose ">" comes after "<!--"
        // (so "<!-->" is a whole comment).
        const auto end = s_.find("-->", i_ + 2);
        if (end == std::string_view::npos) return nullptr;
        i_ = end + 2;
      } else if (starts_with_ci("<meta") && i_ + 5 < s_.size() &&
                 (is_ascii_ws(byte(i_ + 5)) || s_[i_ + 5] == '/')) {
        i_ += 5;
        if (const Encoding* e = meta()) return e;
      } else if (s_[i_] == '<' && i_ + 1 < s_.size() &&
                 (is_ascii_alpha(s_[i_ + 1]) ||
                  (s_[i_ + 1] == '/' && i_ + 2 < s_.size() && is_ascii_alpha(s_[i_ + 2])))) {
        while (i_ < s_.size() && !is_ascii_ws(byte(i_)) && s_[i_] != '>') ++i_;
        std::string name, value;
        while (attribute(name, value)) {
        }
      } else if (starts_with("<!") || starts_with("</") || starts_with("<?")) {
        const auto end = s_.find('>', i_ + 2);
        if (end == std::string_view::npos) return nullptr;
        i_ = end;
      }
      ++i_;
    }
    return nullptr;
  }

 private:
  unsigned char byte(std::size_t k) const { return static_cast<unsigned char>(s_[k]); }
  bool starts_with(std::string_view p) const { return s_.substr(i_, p.size()) == p; }
  bool starts_with_ci(std::string_view p) const {
    if (s_.size() - i_ < p.size()) return false;
    for (std::size_t k = 0; k < p.size(); ++k) {
      if (ascii_lower(s_[i_ + k]) != p[k]) return false;
    }
    return true;
  }

  // The attributes of one <meta> tag; the declared encoding when the tag
  // declares a known one.
  const Encoding* meta() {
    std::unordered_set<std::string> seen;
    bool got_pragma = false;
    std::optional<bool> need_pragma;
    const Encoding* charset = nullptr;
    std::string name, value;
    while (attribute(name, value)) {
      if (!seen.insert(name).second) continue;
      if (name == "http-equiv") {
        if (value == "content-type") got_pragma = true;
      } else if (name == "content") {
        if (charset == nullptr) {
          if (const Encoding* e = charset_from_content(value)) {
            charset = e;
            need_pragma = true;
          }
        }
      } else if (name == "charset") {
        charset = encoding_for_label(value);
        need_pragma = false;
      }
    }
    if (!need_pragma || (*need_pragma && !got_pragma) || charset == nullptr) return nullptr;
    // A page that declares UTF-16 in ASCII bytes cannot be UTF-16.
    if (charset == &UTF_16LE || charset == &UTF_16BE) return &UTF_8;
    if (charset == &X_USER_DEFINED) return &WINDOWS_1252;
    return charset;
  }

  // Reads one attribute at the current position; false when the tag ends (or
  // the window does). Names and values come back with ASCII letters lower-cased.
  bool attribute(std::string& name, std::string& value) {
    name.clear();
    value.clear();
    while (i_ < s_.size() && (is_ascii_ws(byte(i_)) || s_[i_] == '/')) ++i_;
    if (i_ >= s_.size() || s_[i_] == '>') return false;
    for (;;) {
      if (i_ >= s_.size()) return false;
      const char c = s_[i_];
      if (c == '=' && !name.empty()) {
        ++i_;
        break;
      }
      if (is_ascii_ws(static_cast<unsigned char>(c))) {
        while (i_ < s_.size() && is_ascii_ws(byte(i_))) ++i_;
        if (i_ >= s_.size()) return false;
        if (s_[i_] != '=') return true;
        ++i_;
        break;
      }
      if (c == '/' || c == '>') return true;
      name.push_back(ascii_lower(c));
      ++i_;
    }
    while (i_ < s_.size() && is_ascii_ws(byte(i_))) ++i_;
    if (i_ >= s_.size()) return false;
    const char first = s_[i_];
    if (first == '"' || first == '\'') {
      for (++i_; i_ < s_.size(); ++i_) {
        if (s_[i_] == first) {
          ++i_;
          return true;
        }
        value.push_back(ascii_lower(s_[i_]));
      }
      return false;
    }
    if (first == '>') return true;
    for (; i_ < s_.size(); ++i_) {
      const char c = s_[i_];
      if (is_ascii_ws(static_cast<unsigned char>(c)) || c == '>') return true;
      value.push_back(ascii_lower(c));
    }
    return false;
  }

  std::string_view s_;
  std::size_t i_ = 0;
};

// How far into an HTTP body the <meta> prescan looks.
constexpr std::size_t HTTP_PRESCAN_BYTES = 1024;

}  // namespace

std::string to_utf8(std::string_view bytes, std::string_view charset) {
  const Encoding* enc = encoding_for_label(charset);
  return decode_with(bytes, enc != nullptr ? *enc : WINDOWS_1252);
}

std::string decode_page(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return text::repair_utf8(bytes.substr(3));
  if (bytes.starts_with("\xFF\xFE")) return decode_with(bytes.substr(2), UTF_16LE);
  if (bytes.starts_with("\xFE\xFF")) return decode_with(bytes.substr(2), UTF_16BE);
  if (text::is_valid_utf8(bytes)) return std::string(bytes);
  const Encoding* declared = Prescan(bytes.substr(0, PRESCAN_BYTES)).run();
  return decode_with(bytes, declared != nullptr ? *declared : WINDOWS_1252);
}

namespace {

bool has_bom(std::string_view bytes) {
  return bytes.starts_with("\xEF\xBB\xBF") || bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

// The encoding an HTTP body declares in its Content-Type or early markup.
const Encoding* declared_http_encoding(std::string_view bytes, std::string_view content_type) {
  std::string header(content_type);
  for (char& c : header) c = ascii_lower(c);
  if (const Encoding* e = charset_from_content(header)) return e;
  return Prescan(bytes.substr(0, HTTP_PRESCAN_BYTES)).run();
}

}  // namespace

std::string decode_http_body(std::string_view bytes, std::string_view content_type) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return text::repair_utf8(bytes.substr(3));
  if (bytes.starts_with("\xFF\xFE")) return decode_with(bytes.substr(2), UTF_16LE);
  if (bytes.starts_with("\xFE\xFF")) return decode_with(bytes.substr(2), UTF_16BE);
  if (const Encoding* e = declared_http_encoding(bytes, content_type)) return decode_with(bytes, *e);
  if (text::is_valid_utf8(bytes)) return std::string(bytes);
  return decode_with(bytes, WINDOWS_1252);
}

std::string decode_http_body(std::string&& bytes, std::string_view content_type) {
  if (has_bom(bytes)) return decode_http_body(std::string_view(bytes), content_type);
  const Encoding* e = declared_http_encoding(bytes, content_type);
  if ((e == nullptr || e->decoder == Decoder::UTF8) && text::is_valid_utf8(bytes)) return std::move(bytes);
  return decode_with(bytes, e != nullptr ? *e : WINDOWS_1252);
}

}  // namespace tarvik::charset
