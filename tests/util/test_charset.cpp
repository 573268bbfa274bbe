#include "tarvik/util/charset.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tarvik/util/text.hpp"

namespace {

using tarvik::charset::decode_page;
using tarvik::charset::to_utf8;
using tarvik::text::is_valid_utf8;

using namespace std::string_literals;

struct PageCase {
  const char* name;
  std::string bytes;
  std::string expected;
};

void PrintTo(const PageCase& c, std::ostream* os) { *os << c.name; }

class DecodePage : public ::testing::TestWithParam<PageCase> {};

TEST_P(DecodePage, DecodesAsBrowsersDo) {
  const auto& c = GetParam();
  const std::string out = decode_page(c.bytes);
  EXPECT_EQ(out, c.expected);
  EXPECT_TRUE(is_valid_utf8(out));
}

const std::string META_1251 = "<meta charset=\"windows-1251\">";

INSTANTIATE_TEST_SUITE_P(
    Sources, DecodePage,
    ::testing::Values(
        // Valid UTF-8 is kept whatever the page declares.
        PageCase{"valid_utf8_as_is", "<p>caf\xC3\xA9 \xE2\x82\xAC</p>", "<p>caf\xC3\xA9 \xE2\x82\xAC</p>"},
        PageCase{"valid_utf8_beats_declaration", META_1251 + "\xD0\x9F", META_1251 + "\xD0\x9F"},
        PageCase{"nul_bytes_kept", "a\0b"s, "a\0b"s},
        PageCase{"empty", "", ""},
        // Byte-order marks.
        PageCase{"utf8_bom_removed", "\xEF\xBB\xBF<p>x</p>", "<p>x</p>"},
        PageCase{"utf8_bom_invalid_rest_repaired", "\xEF\xBB\xBF" "a\xFF" "b", "a\xEF\xBF\xBD" "b"},
        PageCase{"utf16le_bom", "\xFF\xFE<\0p\0>\0\xE9\0"s, "<p>\xC3\xA9"},
        PageCase{"utf16be_bom", "\xFE\xFF\0<\0p\0>\0\xE9"s, "<p>\xC3\xA9"},
        PageCase{"utf16le_surrogate_pair", "\xFF\xFE\x3D\xD8\x00\xDE"s, "\xF0\x9F\x98\x80"},
        PageCase{"utf16le_lone_surrogate", "\xFF\xFE\x3D\xD8" "a\0"s, "\xEF\xBF\xBD" "a"},
        PageCase{"utf16le_odd_byte", "\xFF\xFE" "a\0b"s, "a\xEF\xBF\xBD"},
        PageCase{"bom_beats_meta", "\xFF\xFE" "\xE9\0"s, "\xC3\xA9"},
        // <meta charset>.
        PageCase{"meta_charset_1251", META_1251 + "\xCF\xF0\xE8", META_1251 + "\xD0\x9F\xD1\x80\xD0\xB8"},
        PageCase{"meta_charset_unquoted_upper", "<META CHARSET=WINDOWS-1251>\xCF",
                 "<META CHARSET=WINDOWS-1251>\xD0\x9F"},
        PageCase{"meta_charset_spaces_around_label", "<meta charset=' koi8-r '>\xC1", "<meta charset=' koi8-r '>\xD0\xB0"},
        PageCase{"meta_self_closing_slash", "<meta/charset=windows-1251 />\xCF", "<meta/charset=windows-1251 />\xD0\x9F"},
        // An unquoted value runs to whitespace or ">", so the slash is part of it.
        PageCase{"unquoted_value_takes_slash", "<meta charset=windows-1251/>\xCF", "<meta charset=windows-1251/>\xC3\x8F"},
        PageCase{"latin1_label_is_windows_1252", "<meta charset=iso-8859-1>\x80 caf\xE9",
                 "<meta charset=iso-8859-1>\xE2\x82\xAC caf\xC3\xA9"},
        PageCase{"us_ascii_label_is_windows_1252", "<meta charset=us-ascii>\x93q\x94",
                 "<meta charset=us-ascii>\xE2\x80\x9Cq\xE2\x80\x9D"},
        PageCase{"latin1_alias", "<meta charset=latin1>\x9C", "<meta charset=latin1>\xC5\x93"},
        // gb2312 is read as GBK: 0x81 0x40 is outside GB2312 but inside GBK.
        PageCase{"gb2312_read_as_gbk", "<meta charset=gb2312>\xD6\xD0\xCE\xC4\x81\x40",
                 "<meta charset=gb2312>\xE4\xB8\xAD\xE6\x96\x87\xE4\xB8\x82"},
        // Shift_JIS is the Windows variant: 0x87 0x40 is a circled one.
        PageCase{"shift_jis_windows_variant", "<meta charset=shift_jis>\x93\xFA\x96\x7B\x87\x40",
                 "<meta charset=shift_jis>\xE6\x97\xA5\xE6\x9C\xAC\xE2\x91\xA0"},
        PageCase{"shift_jis_truncated_lead_byte", "<meta charset=sjis>a\x93", "<meta charset=sjis>a\xEF\xBF\xBD"},
        PageCase{"euc_kr", "<meta charset=euc-kr>\xC7\xD1", "<meta charset=euc-kr>\xED\x95\x9C"},
        PageCase{"greek_unassigned_byte", "<meta charset=windows-1253>\xC1\xD2",
                 "<meta charset=windows-1253>\xCE\x91\xEF\xBF\xBD"},
        // http-equiv Content-Type.
        PageCase{"http_equiv_content_type",
                 "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">\xCF",
                 "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">\xD0\x9F"},
        PageCase{"http_equiv_after_content", "<meta content='text/html;charset = \"KOI8-R\"' http-equiv=content-type>\xC1",
                 "<meta content='text/html;charset = \"KOI8-R\"' http-equiv=content-type>\xD0\xB0"},
        PageCase{"content_without_pragma_ignored", "<meta content=\"text/html; charset=windows-1251\">\xCF",
                 "<meta content=\"text/html; charset=windows-1251\">\xC3\x8F"},
        PageCase{"content_unclosed_quote_ignored",
                 "<meta http-equiv=content-type content='text/html; charset=\"windows-1251'>\xCF",
                 "<meta http-equiv=content-type content='text/html; charset=\"windows-1251'>\xC3\x8F"},
        PageCase{"charset_attribute_beats_content",
                 "<meta http-equiv=content-type content='charset=koi8-r' charset=windows-1251>\xCF",
                 "<meta http-equiv=content-type content='charset=koi8-r' charset=windows-1251>\xD0\x9F"},
        // What the prescan does not count.
        PageCase{"no_declaration_windows_1252", "<p>\x93quoted\x94 \xE9</p>",
                 "<p>\xE2\x80\x9Cquoted\xE2\x80\x9D \xC3\xA9</p>"},
        PageCase{"unknown_label_windows_1252", "<meta charset=x-klingon>\xE9", "<meta charset=x-klingon>\xC3\xA9"},
        PageCase{"unknown_label_then_known", "<meta charset=x-klingon><meta charset=windows-1251>\xCF",
                 "<meta charset=x-klingon><meta charset=windows-1251>\xD0\x9F"},
        PageCase{"first_declaration_wins", "<meta charset=windows-1251><meta charset=koi8-r>\xCF",
                 "<meta charset=windows-1251><meta charset=koi8-r>\xD0\x9F"},
        PageCase{"meta_in_comment_ignored", "<!-- <meta charset=windows-1251> -->\xCF",
                 "<!-- <meta charset=windows-1251> -->\xC3\x8F"},
        PageCase{"short_comment_then_meta", "<!--><meta charset=windows-1251>\xCF",
                 "<!--><meta charset=windows-1251>\xD0\x9F"},
        PageCase{"meta_in_attribute_value_ignored", "<div title='<meta charset=windows-1251>'>\xCF",
                 "<div title='<meta charset=windows-1251>'>\xC3\x8F"},
        PageCase{"charset_on_other_tag_ignored", "<script charset=windows-1251></script>\xCF",
                 "<script charset=windows-1251></script>\xC3\x8F"},
        PageCase{"metadata_tag_is_not_meta", "<metadata charset=windows-1251>\xCF",
                 "<metadata charset=windows-1251>\xC3\x8F"},
        PageCase{"unterminated_meta", "<meta charset=windows-1251\xCF", "<meta charset=windows-1251\xC3\x8F"},
        // Declarations the web overrides.
        PageCase{"utf16_declaration_means_utf8", "<meta charset=utf-16>caf\xC3\xA9\xFF",
                 "<meta charset=utf-16>caf\xC3\xA9\xEF\xBF\xBD"},
        PageCase{"utf8_declaration_invalid_bytes_repaired", "<meta charset=utf-8>a\xE9z",
                 "<meta charset=utf-8>a\xEF\xBF\xBDz"},
        PageCase{"x_user_defined_declaration_means_1252", "<meta charset=x-user-defined>\xE9",
                 "<meta charset=x-user-defined>\xC3\xA9"},
        PageCase{"replacement_label_blanks_page", "<meta charset=iso-2022-kr>\x0E\xFF", "\xEF\xBF\xBD"}));

TEST(DecodePageWindow, DeclarationFarDownIsNotSeen) {
  const std::string filler(9000, ' ');
  const std::string page = filler + META_1251 + "\xCF";
  EXPECT_EQ(decode_page(page), filler + META_1251 + "\xC3\x8F");
  const std::string near = std::string(2000, ' ') + META_1251 + "\xCF";
  EXPECT_EQ(decode_page(near), std::string(2000, ' ') + META_1251 + "\xD0\x9F");
}

TEST(DecodePageWindow, LongUnterminatedCommentFallsBack) {
  const std::string page = "<!--" + std::string(20000, '-') + META_1251 + "\xCF";
  const std::string out = decode_page(page);
  EXPECT_TRUE(out.ends_with("\xC3\x8F"));
}

struct LabelCase {
  const char* label;
  std::string bytes;
  std::string expected;
};

void PrintTo(const LabelCase& c, std::ostream* os) { *os << '"' << c.label << '"'; }

class ToUtf8 : public ::testing::TestWithParam<LabelCase> {};

TEST_P(ToUtf8, ConvertsByWebLabel) {
  const auto& c = GetParam();
  EXPECT_EQ(to_utf8(c.bytes, c.label), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Labels, ToUtf8,
    ::testing::Values(LabelCase{"latin1", "\xE9", "\xC3\xA9"},                        //
                      LabelCase{"ISO-8859-1", "\x80", "\xE2\x82\xAC"},                //
                      LabelCase{"ascii", "\x85", "\xE2\x80\xA6"},                     //
                      LabelCase{"cp1252", "\x81", "\xC2\x81"},                        //
                      LabelCase{"  Windows-1251\t", "\xC0", "\xD0\x90"},              //
                      LabelCase{"koi8-r", "\xC1", "\xD0\xB0"},                        //
                      LabelCase{"iso-8859-9", "\xD0", "\xC4\x9E"},                    // read as windows-1254
                      LabelCase{"tis-620", "\xA1", "\xE0\xB8\x81"},                   // read as windows-874
                      LabelCase{"iso-8859-15", "\xA4", "\xE2\x82\xAC"},               //
                      LabelCase{"GB2312", "\xD6\xD0", "\xE4\xB8\xAD"},                //
                      LabelCase{"big5", "\xA4\xA4", "\xE4\xB8\xAD"},                  //
                      LabelCase{"euc-jp", "\xC6\xFC", "\xE6\x97\xA5"},                //
                      LabelCase{"utf-16le", "a\0"s, "a"},                             //
                      LabelCase{"utf-16be", "\0a"s, "a"},                             //
                      LabelCase{"utf8", "\xFF" "a", "\xEF\xBF\xBD" "a"},             //
                      LabelCase{"x-user-defined", "a\x80", "a\xEF\x9E\x80"},          //
                      LabelCase{"hz-gb-2312", "abc", "\xEF\xBF\xBD"},                 // the replacement encoding
                      LabelCase{"replacement", "", ""},                               //
                      LabelCase{"utf-7", "+AGEAYg-\xE9", "+AGEAYg-\xC3\xA9"},         // unknown to the web
                      LabelCase{"", "\xE9", "\xC3\xA9"},                              //
                      LabelCase{"no-such-charset", "\x9F", "\xC5\xB8"}));

// Whatever the bytes and the declared charset, the output is valid UTF-8.
TEST(DecodeAlwaysValid, RandomBytesUnderEveryKindOfDecoder) {
  const std::vector<std::string> labels = {"windows-1252", "utf-8",      "utf-16le", "utf-16be", "shift_jis",
                                           "gb18030",      "gbk",        "big5",     "euc-jp",   "iso-2022-jp",
                                           "euc-kr",       "iso-8859-8", "koi8-u",   "iso-8859-16", "x-user-defined"};
  std::uint64_t state = 0x9E3779B97F4A7C15ULL;
  auto next = [&] {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
  };
  for (int round = 0; round < 200; ++round) {
    std::string bytes(next() % 300, '\0');
    for (char& c : bytes) c = static_cast<char>(next() & 0xFF);
    for (const auto& label : labels) {
      const std::string out = to_utf8(bytes, label);
      ASSERT_TRUE(is_valid_utf8(out)) << label << " round " << round;
      const std::string page = "<meta charset=" + label + ">" + bytes;
      ASSERT_TRUE(is_valid_utf8(decode_page(page))) << label << " round " << round;
    }
    ASSERT_TRUE(is_valid_utf8(decode_page(bytes))) << "round " << round;
  }
}

// Real saved pages in legacy charsets.
std::string read_corpus_page(const std::string& name) {
  const auto path = std::filesystem::path(TARVIK_SHARED_DIR) / "corpus" / "pages" / name;
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

struct CorpusCase {
  const char* file;
  const char* expected_text;
};

void PrintTo(const CorpusCase& c, std::ostream* os) { *os << c.file; }

class CorpusCharset : public ::testing::TestWithParam<CorpusCase> {};

TEST_P(CorpusCharset, DecodesDeclaredCharset) {
  const auto& c = GetParam();
  const std::string bytes = read_corpus_page(c.file);
  if (bytes.empty()) GTEST_SKIP() << "corpus page " << c.file << " not present";
  const std::string out = decode_page(bytes);
  EXPECT_TRUE(is_valid_utf8(out));
  EXPECT_NE(out.find(c.expected_text), std::string::npos) << c.expected_text;
}

INSTANTIATE_TEST_SUITE_P(
    Pages, CorpusCharset,
    ::testing::Values(
        // GB2312 declared in http-equiv.
        CorpusCase{"jsoup__baidu-cn-home.html", "<title>\xE7\x99\xBE\xE5\xBA\xA6\xE4\xB8\x80\xE4\xB8\x8B"},
        // windows-1250 declared after the first KB.
        CorpusCase{"trafilatura__Unijne_fundusze_coraz_blizej._Sejm_zagosowa__za__-_Polityka_-_rp.pl.html",
                   "zag\xC5\x82osowa\xC5\x82"},
        // iso-8859-1 declared.
        CorpusCase{"trafilatura__winfuture.de-NASA.html", "Geb\xC3\xBChren"},
        // Declares windows-1251 but is valid UTF-8: kept as it is.
        CorpusCase{"metascraper__pikabu.html", "<html"}));

TEST(CorpusCharsetWhole, ValidUtf8PageUnchanged) {
  const std::string bytes = read_corpus_page("metascraper__pikabu.html");
  if (bytes.empty()) GTEST_SKIP() << "corpus not present";
  EXPECT_EQ(decode_page(bytes), bytes);
}

}  // namespace

namespace {

struct HttpBodyCase {
  const char* name;
  std::string bytes;
  std::string content_type;
  std::string expected;
};

class DecodeHttpBody : public ::testing::TestWithParam<HttpBodyCase> {};

TEST_P(DecodeHttpBody, TakesCharsetInHttpOrder) {
  const auto& c = GetParam();
  EXPECT_EQ(tarvik::charset::decode_http_body(c.bytes, c.content_type), c.expected);
  // The overload that may keep the buffer decodes the same.
  EXPECT_EQ(tarvik::charset::decode_http_body(std::string(c.bytes), c.content_type), c.expected);
}

const std::string CAFE_1252 = "caf\xE9";
const std::string CAFE_UTF8 = "caf\xC3\xA9";

INSTANTIATE_TEST_SUITE_P(
    Bodies, DecodeHttpBody,
    ::testing::Values(
        HttpBodyCase{"BomBeatsHeader", "\xEF\xBB\xBF" + CAFE_UTF8, "text/html; charset=windows-1251", CAFE_UTF8},
        HttpBodyCase{"HeaderBeatsMeta", "<meta charset=utf-8>" + CAFE_1252, "text/html; Charset=\"ISO-8859-1\"",
                     "<meta charset=utf-8>" + CAFE_UTF8},
        // A meta declaration wins over bytes that happen to be valid UTF-8.
        HttpBodyCase{"MetaBeatsValidUtf8", "<meta charset=windows-1252>" + CAFE_UTF8, "text/html",
                     "<meta charset=windows-1252>caf\xC3\x83\xC2\xA9"},
        HttpBodyCase{"MetaAfterFirstKilobyteIgnored",
                     std::string(1100, ' ') + "<meta charset=windows-1251>" + CAFE_UTF8, "",
                     std::string(1100, ' ') + "<meta charset=windows-1251>" + CAFE_UTF8},
        HttpBodyCase{"ValidUtf8WithoutDeclaration", CAFE_UTF8, "text/html", CAFE_UTF8},
        HttpBodyCase{"InvalidUtf8FallsBackTo1252", CAFE_1252, "", CAFE_UTF8},
        HttpBodyCase{"UnknownHeaderLabelSkipped", CAFE_1252, "text/html; charset=x-no-such", CAFE_UTF8},
        HttpBodyCase{"Latin1LabelMeans1252", "\x80", "text/html; charset=latin1", "\xE2\x82\xAC"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
