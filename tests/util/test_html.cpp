#include "tarvik/util/html.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tarvik/util/text.hpp"

// Expected outputs in the tables below were produced once with Python 3.11's
// html.unescape, which implements the HTML standard's rules for text; they are
// committed here so the tests need nothing at run time.

namespace {

using tarvik::html::unescape;

struct Case {
  std::string in;
  std::string out;
};

std::string repeat(std::string_view piece, std::size_t n) {
  std::string s;
  for (std::size_t i = 0; i < n; ++i) s += piece;
  return s;
}

void expect_all(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(unescape(c.in), c.out) << "input: " << c.in;
  }
}

// Decimal and hex references: replacement table, surrogates, out-of-range and
// saturating digit runs, dropped controls and noncharacters, malformed forms kept as written.
const std::vector<Case> kNumeric = {
    {"&#65;", "A"},
    {"&#65", "A"},
    {"&#x41;", "A"},
    {"&#X41;", "A"},
    {"&#x41", "A"},
    {"&#065;", "A"},
    {"&#65;;", "A;"},
    {"&#65x", "Ax"},
    {"&#x41g;", "Ag;"},
    {"&#65 z", "A z"},
    {"a&#66;c", "aBc"},
    {"&#0;", "\uFFFD"},
    {"&#0", "\uFFFD"},
    {"&#x0;", "\uFFFD"},
    {"&#x00000;", "\uFFFD"},
    {"&#13;", "\r"},
    {"&#x0D;", "\r"},
    {"&#x0d", "\r"},
    {"&#9;", "\t"},
    {"&#10;", "\n"},
    {"&#12;", "\f"},
    {"&#32;", " "},
    {"&#128;", "€"},
    {"&#x80;", "€"},
    {"&#x81;", "\xC2\x81"},
    {"&#x8D;", "\xC2\x8D"},
    {"&#x8F;", "\xC2\x8F"},
    {"&#x90;", "\xC2\x90"},
    {"&#x9D;", "\xC2\x9D"},
    {"&#x9F;", "Ÿ"},
    {"&#159;", "Ÿ"},
    {"&#160;", "\u00A0"},
    {"&#x7F;", ""},
    {"&#x7E;", "~"},
    {"&#xD800;", "\uFFFD"},
    {"&#xDBFF;", "\uFFFD"},
    {"&#xDC00;", "\uFFFD"},
    {"&#xDFFF;", "\uFFFD"},
    {"&#55296;", "\uFFFD"},
    {"&#xD7FF;", "\uD7FF"},
    {"&#xE000;", "\uE000"},
    {"&#x10FFFD;", "\U0010FFFD"},
    {"&#x10FFFF;", ""},
    {"&#x110000;", "\uFFFD"},
    {"&#1114111;", ""},
    {"&#1114112;", "\uFFFD"},
    {"&#x1F600;", "😀"},
    {"&#128512;", "😀"},
    {"&#" + std::string(100, '9') + ";", "\uFFFD"},
    {"&#x" + std::string(100, 'F'), "\uFFFD"},
    {"&#" + std::string(100, '0') + "65;", "A"},
    {"&#x" + std::string(60, '0') + "41;", "A"},
    {"&#4294967296;", "\uFFFD"},
    {"&#x100000041;", "\uFFFD"},
    {"&#4294967361;", "\uFFFD"},
    {"&#1;", ""},
    {"&#8;", ""},
    {"&#11;", ""},
    {"&#x0B;", ""},
    {"&#14;", ""},
    {"&#31;", ""},
    {"&#x1F;", ""},
    {"&#127;", ""},
    {"&#xFDD0;", ""},
    {"&#xFDEF;", ""},
    {"&#xFDCF;", "﷏"},
    {"&#xFDF0;", "ﷰ"},
    {"&#xFFFE;", ""},
    {"&#xFFFF;", ""},
    {"&#xFFFD;", "\uFFFD"},
    {"&#x1FFFE;", ""},
    {"&#x1FFFF;", ""},
    {"&#x2FFFE;", ""},
    {"&#xEFFFF;", ""},
    {"&#x10FFFE;", ""},
    {"&#x", "&#x"},
    {"&#x;", "&#x;"},
    {"&#X;", "&#X;"},
    {"&#xg;", "&#xg;"},
    {"&#;", "&#;"},
    {"&#", "&#"},
    {"&#a;", "&#a;"},
    {"&# 65;", "&# 65;"},
    {"&#-1;", "&#-1;"},
    {"&#+65;", "&#+65;"},
    {"&#x-41;", "&#x-41;"},
    {"&#xx41;", "&#xx41;"},
};

// Named references with and without ";", two-code-point values, the longest name.
const std::vector<Case> kNamed = {
    {"&amp;", "&"},
    {"&amp", "&"},
    {"&AMP;", "&"},
    {"&AMP", "&"},
    {"&Amp;", "&Amp;"},
    {"&lt;&gt;", "<>"},
    {"&lt;br&gt;", "<br>"},
    {"&quot;", "\""},
    {"&apos;", "'"},
    {"&apos", "&apos"},
    {"&nbsp;", "\u00A0"},
    {"&nbsp", "\u00A0"},
    {"&copy2024", "©2024"},
    {"&eacute;", "é"},
    {"&hellip;", "…"},
    {"&hellip", "&hellip"},
    {"&Aacute", "Á"},
    {"&aacute;", "á"},
    {"&amp;amp;", "&amp;"},
    {"&ampamp;", "&amp;"},
    {"&CounterClockwiseContourIntegral;", "∳"},
    {"&CounterClockwiseContourIntegral", "&CounterClockwiseContourIntegral"},
    {"&nGt;", "≫\u20D2"},
    {"&nLt;", "≪\u20D2"},
    {"&NotEqualTilde;", "≂\u0338"},
    {"&fjlig;", "fj"},
    {"&bne;", "=\u20E5"},
    {"&ThickSpace;", "\u205F\u200A"},
    {"&nvlt;", "<\u20D2"},
    {"&zwnj;", "\u200C"},
    {"&AElig;", "Æ"},
    {"&zwj", "&zwj"},
    {"&Afr;", "𝔄"},
    {"&bopf;", "𝕓"},
};

// Unknown names that start with a legacy name (one usable without ";"): the
// longest such prefix is decoded, the rest kept; long runs around the 32-character cap.
const std::vector<Case> kLegacyPrefix = {
    {"&notit;", "¬it;"},
    {"&notin;", "∉"},
    {"&notin", "¬in"},
    {"&noti", "¬i"},
    {"&not", "¬"},
    {"&nota", "¬a"},
    {"&ampx", "&x"},
    {"&ampx;", "&x;"},
    {"&amp;x", "&x"},
    {"&ltx;", "<x;"},
    {"&gtgt;", ">gt;"},
    {"&lt>", "<>"},
    {"&sup23", "²3"},
    {"&sup2;", "²"},
    {"&supe", "&supe"},
    {"&supe;", "⊇"},
    {"&sup;", "⊃"},
    {"&frac14", "¼"},
    {"&frac1", "&frac1"},
    {"&frac34x", "¾x"},
    {"&copyé", "©é"},
    {"&notéx;", "¬éx;"},
    {"&amp\r", "&\r"},
    {"&amp\v", "&\v"},
    {"&amp\"", "&\""},
    {"&amp'", "&'"},
    {"&ampé", "&é"},
    {"&reg.", "®."},
    {"&yumlx", "ÿx"},
    {"&Eacutex", "Éx"},
    {"&eacutes;", "és;"},
    {"&amp" + std::string(28, 'x') + ";", "&" + std::string(28, 'x') + ";"},
    {"&amp" + std::string(29, 'x') + ";", "&" + std::string(29, 'x') + ";"},
    {"&amp" + std::string(40, 'x'), "&" + std::string(40, 'x')},
    {"&amp" + repeat("é", 40), "&" + repeat("é", 40)},
    {"&not" + std::string(28, 'b'), "¬" + std::string(28, 'b')},
};

// Text that is not a reference, "&" at the end, unknown names, mixed text.
const std::vector<Case> kNotReferences = {
    {"&", "&"},
    {"x&", "x&"},
    {"&&", "&&"},
    {"&&amp;", "&&"},
    {"&#&amp;", "&#&"},
    {"& amp;", "& amp;"},
    {"&;", "&;"},
    {"&;amp;", "&;amp;"},
    {"&<", "&<"},
    {"&\t", "&\t"},
    {"&\n", "&\n"},
    {"&\f", "&\f"},
    {"&é;", "&é;"},
    {"&é", "&é"},
    {"&foo;", "&foo;"},
    {"&foo", "&foo"},
    {"&zzzz;", "&zzzz;"},
    {"&l", "&l"},
    {"&A", "&A"},
    {"&" + std::string(31, 'a') + ";", "&" + std::string(31, 'a') + ";"},
    {"&" + std::string(32, 'a') + ";", "&" + std::string(32, 'a') + ";"},
    {"&" + std::string(33, 'a') + ";", "&" + std::string(33, 'a') + ";"},
    {"&" + std::string(100, 'a'), "&" + std::string(100, 'a')},
    {"&" + repeat("é", 40) + "&lt;", "&" + repeat("é", 40) + "<"},
    {"AT&T", "AT&T"},
    {"a & b", "a & b"},
    {"R&D;", "R&D;"},
    {"&#x&lt;", "&#x<"},
    {"&ab&lt;", "&ab<"},
    {"&lt&gt&amp", "<>&"},
    {"&lt;&#60;&#x3C;&#x3c", "<<<<"},
    {"100% &quot;true&quot; &mdash; &euro;5", "100% \"true\" — €5"},
    {"café &eacute; ü中😀 &#x4E2D;", "café é ü中😀 中"},
};

// Random mixes of references and text, checked against html.unescape.
const std::vector<Case> kDifferential = {
    {"&#X3De7D;&#9651083;&eacute;", "\U0003DE7D\uFFFDé"},
    {"&eacute;&amp;", "é&"},
    {"&supx&copy&notin;", "&supx©∉"},
    {"&sup2;&not&#X25d;&AMPx&sup2é", "²¬ɝ&x²é"},
    {"&ampamp#&#X0AFC&#x203;&sup2é", "&amp#\u0AFCȃ²é"},
    {"<&frac12é", "<½é"},
    {"é&supé", "é&supé"},
    {"&#2359182;&AMP&&notin#&gtx&#8x", "\uFFFD&&¬in#>xx"},
    {"&nbsp; &Aacute&", "\u00A0 Á&"},
    {"&frac1é&#X65aeff", "&frac1é\uFFFD"},
    {"&ampampx&#48", "&ampx0"},
    {"&x&&x&&copy4&copy;&#22328", "&x&&x&©4©圸"},
    {"&zzé&x;&copy4", "&zzé&x;©4"},
    {";&sup;&#xe1CB0C&#5094", ";⊃\uFFFDᏦ"},
    {"&lt4\t&Ampx&sup&", "<4\t&Ampx&sup&"},
    {"a&not", "a¬"},
    {"&nGt&Amp;&#x5432B6g&sup24&#161656", "&nGt&Amp;\uFFFDg²4𧝸"},
    {"&copy&#969a中", "©ωa中"},
    {"中&#x&zz4&#xbF", "中&#x&zz4¿"},
    {"&#2290 ", "\u08F2 "},
    {"&notin&a&#8885346&#781830&gt4", "¬in&a\uFFFD\U000BEE06>4"},
    {"&ampamp &nGtx é中", "&amp &nGtx é中"},
    {"&#0&#X3;&not&Ampé", "\uFFFD¬&Ampé"},
    {"&Amp&#x8EFgE5D&#844x", "&Amp\u08EFgE5D\u034Cx"},
};

TEST(HtmlUnescape, NumericReferences) { expect_all(kNumeric); }
TEST(HtmlUnescape, NamedReferences) { expect_all(kNamed); }
TEST(HtmlUnescape, LegacyPrefixRule) { expect_all(kLegacyPrefix); }
TEST(HtmlUnescape, TextThatIsNotAReference) { expect_all(kNotReferences); }
TEST(HtmlUnescape, DifferentialAgainstReferenceDecoder) { expect_all(kDifferential); }

TEST(HtmlUnescape, Windows1252RangeInFull) {
  // 0x80-0x9F through windows-1252; its five undefined positions keep their C1 code point.
  std::string in;
  for (int v = 0x80; v <= 0x9F; ++v) in += "&#" + std::to_string(v) + ";";
  EXPECT_EQ(unescape(in),
            "€\xC2\x81‚ƒ„…†‡ˆ‰Š‹Œ\xC2\x8DŽ\xC2\x8F"    // 80-8F
            "\xC2\x90‘’“”•–—˜™š›œ\xC2\x9DžŸ");  // 90-9F
}

TEST(HtmlUnescape, TextWithoutAmpersandIsUnchanged) {
  const std::vector<std::string> texts = {"", "plain", "caf\xC3\xA9 \xF0\x9F\x98\x80", "a;b#c<d",
                                         std::string(100000, 'x')};
  for (const std::string& s : texts) {
    EXPECT_EQ(unescape(s), s);
  }
}

// Every row of the generated table, read back from its source: each name decodes, with
// ";" and (for legacy names) without, to the code points listed beside it.
struct TableRow {
  std::string name;
  std::u32string value;
  bool legacy;
};

std::vector<TableRow> read_table() {
  std::ifstream f(TARVIK_SOURCE_DIR "/src/util/html_entities_table.inc");
  std::vector<TableRow> rows;
  // A row: {offsets and lengths},  // NAME; U+XXXX [U+YYYY]  [(also without ;)]
  std::string line;
  while (std::getline(f, line)) {
    const auto open = line.find_first_not_of(" \t");
    const auto close = line.find("},");
    const auto comment = line.find("// ");
    if (open == std::string::npos || line[open] != '{' || close == std::string::npos ||
        comment == std::string::npos || comment < close)
      continue;
    std::istringstream rest(line.substr(comment + 3));
    std::string name;
    rest >> name;
    if (name.size() < 2 || name.back() != ';') continue;
    TableRow row{name.substr(0, name.size() - 1), {}, false};
    for (std::string word; rest >> word;) {
      if (word.rfind("U+", 0) == 0) {
        row.value.push_back(static_cast<char32_t>(std::stoul(word.substr(2), nullptr, 16)));
      } else if (word == "(also") {
        row.legacy = true;
        break;
      }
    }
    if (!row.value.empty()) rows.push_back(std::move(row));
  }
  return rows;
}

std::string utf8(const std::u32string& cps) {
  std::string s;
  for (char32_t cp : cps) tarvik::text::append_utf8(s, cp);
  return s;
}

std::uint64_t fnv1a(std::string_view s) {
  std::uint64_t h = 0xcbf29ce484222325ULL;
  for (unsigned char c : s) {
    h ^= c;
    h *= 0x100000001b3ULL;
  }
  return h;
}

TEST(HtmlUnescape, EveryNamedReferenceOfTheTable) {
  const std::vector<TableRow> rows = read_table();
  ASSERT_EQ(rows.size(), 2125u);
  std::size_t legacy = 0;
  std::string all;
  for (const TableRow& r : rows) {
    const std::string value = utf8(r.value);
    EXPECT_EQ(unescape("&" + r.name + ";"), value) << r.name;
    all += "&" + r.name + ";|";
    if (r.legacy) {
      ++legacy;
      EXPECT_EQ(unescape("&" + r.name), value) << r.name;
      all += "&" + r.name + "|";
    }
  }
  EXPECT_EQ(legacy, 106u);
  // The same text decoded by html.unescape: 8,651 bytes with this FNV-1a digest.
  const std::string decoded = unescape(all);
  EXPECT_EQ(decoded.size(), 8651u);
  EXPECT_EQ(fnv1a(decoded), 0xb716f2716af49297ULL);
}

TEST(HtmlUnescape, OutputIsValidUtf8ForEveryNumericValue) {
  std::string in;
  char buf[16];
  for (std::uint32_t v = 0; v <= 0x110010; ++v) {
    std::snprintf(buf, sizeof buf, "&#x%X;", static_cast<unsigned>(v));
    in += buf;
  }
  const std::string out = unescape(in);
  EXPECT_TRUE(tarvik::text::is_valid_utf8(out));
  EXPECT_EQ(out.find("&#"), std::string::npos);  // every reference was decoded
}

TEST(HtmlUnescape, LongRunsAndRepeatedReferences) {
  const std::size_t n = 1 << 20;
  EXPECT_EQ(unescape(std::string(n, '&')), std::string(n, '&'));
  EXPECT_EQ(unescape("&#" + std::string(n, '9')), "\uFFFD");
  EXPECT_EQ(unescape("&#x" + std::string(n, 'f') + ";z"), "\uFFFDz");
  const std::string long_name = "&" + std::string(n, 'a');
  EXPECT_EQ(unescape(long_name), long_name);
  EXPECT_EQ(unescape(repeat("&not", n / 4)), repeat("\xC2\xAC", n / 4));
  EXPECT_EQ(unescape(repeat("&ampx", n / 5)), repeat("&x", n / 5));
  EXPECT_EQ(unescape(repeat("&#", n / 2)), repeat("&#", n / 2));
  // The largest growth: five input bytes give six output bytes.
  EXPECT_EQ(unescape(repeat("&nGt;", 1000)).size(), 6000u);
}

TEST(HtmlUnescape, InvalidUtf8PassesThroughUntouched) {
  // Outside the contract (text inside the system is valid UTF-8), but it must stay safe:
  // stray bytes are neither decoded nor dropped.
  expect_all({
      {"&\x80\x80;", "&\x80\x80;"},
      {"&\xC3", "&\xC3"},
      {"&amp\xFF", "&\xFF"},
      {"&not\xE2\x82", "\xC2\xAC\xE2\x82"},
      {"\xFF&lt;\xFE", "\xFF<\xFE"},
      {"&#x41\x80", "A\x80"},
  });
}

}  // namespace
