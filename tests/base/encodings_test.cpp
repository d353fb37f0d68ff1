#include "base/strings.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/testsupport.h"

namespace {

std::string Str(const STRING& s) { return s.Buffer ? std::string(s.Buffer, size_t(s.StrLen)) : "<nobuf>"; }
STRING Bytes(const std::string& s) { return STRING(s.data(), STRING_SIZE_T(s.size()), 0); }

TEST(Hex, BothWays)
{
    EXPECT_EQ(Str(Bytes(std::string("\x00\xab", 2)).ToHex()), "00ab");
    EXPECT_EQ(Str(STRING("").ToHex()), "<nobuf>");
    struct CASE {
        const char* hex;
        std::string bytes;
    } cases[] = {
        {"00AB", std::string("\x00\xab", 2)},
        {"abc", "\xab"},  // the odd last character is ignored
        {"", ""},
        {"7f80ff", "\x7f\x80\xff"},
        {"zz41", std::string("\x00" "A", 2)},  // an unreadable pair gives 0, nothing is read beyond
        {"4g", "\x04"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hex);
        STRING out = STRING(c.hex).FromHex();
        ASSERT_TRUE(out.HasBuffer());
        EXPECT_EQ(Str(out), c.bytes);
    }
    EXPECT_TRUE(STRING().FromHex().HasBuffer());
}

// RFC 4648, section 10.
TEST(Base64, TestVectorsBothWays)
{
    struct CASE {
        const char* plain;
        const char* encoded;
    } cases[] = {
        {"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"},
        {"abc", "YWJj"}, {"ab", "YWI="}, {"a", "YQ=="},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.plain);
        EXPECT_EQ(Str(STRING(c.plain).ToBase64(false)), c.encoded);
        STRING decoded = STRING(c.encoded).FromBase64();
        EXPECT_EQ(Str(decoded), c.plain);
        EXPECT_EQ(decoded.CodePage, 1252);
    }
}

TEST(Base64, LinesOf76Characters)
{
    std::string bytes57(57, '\xA5');
    EXPECT_EQ(Str(Bytes(bytes57).ToBase64(true)).size(), 78u);
    EXPECT_EQ(Str(Bytes(bytes57).ToBase64(true)).substr(76), "\r\n");

    std::string bytes58(58, 'x');
    std::string encoded = Str(Bytes(bytes58).ToBase64(true));
    ASSERT_EQ(encoded.size(), 76u + 2 + 4 + 2);
    EXPECT_EQ(encoded.substr(76, 2), "\r\n");
    EXPECT_EQ(encoded.substr(82), "\r\n");

    std::string longer(1000, 'q');
    std::string flat = Str(Bytes(longer).ToBase64(false));
    EXPECT_EQ(flat.find('\n'), std::string::npos);
    EXPECT_EQ(flat.size(), 1336u);
    EXPECT_EQ(Str(STRING(Str(Bytes(longer).ToBase64(true)).c_str()).FromBase64()), longer);
}

TEST(Base64, DecodingSkipsForeignBytesAndStopsAtPadding)
{
    struct CASE {
        const char* encoded;
        std::string plain;
    } cases[] = {
        {"YQ==YWJj", "a"},
        {"YW\r\nJj", "abc"},
        {" Y W J j ", "abc"},
        {"YWJjY", "abc"},  // an incomplete last group is dropped
        {"YWJj=", "abc"},  // "=" alone in a group makes no byte
        {"Y=", ""},
        {"=", ""},
        {"//8=", "\xff\xff"},
        {"AA==", std::string(1, '\0')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.encoded);
        STRING out = STRING(c.encoded).FromBase64();
        ASSERT_TRUE(out.HasBuffer());
        EXPECT_EQ(Str(out), c.plain);
    }
    EXPECT_TRUE(STRING().FromBase64().HasBuffer());
}

TEST(Base64, RoundTripOfEveryByteValue)
{
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += char(i);
    EXPECT_EQ(Str(Bytes(all).ToBase64(true).FromBase64()), all);
    EXPECT_EQ(Str(Bytes(all + "x").ToBase64(false).FromBase64()), all + "x");
}

TEST(Unescape, Escapes)
{
    struct CASE {
        const char* input;
        bool lenient;
        std::string expected;
        const char* assertion;
    } cases[] = {
        {"one\\ntwo", false, "one\ntwo", nullptr},
        {"a\\\\b", false, "a\\b", nullptr},
        {"\\r\\t\\z\\0", false, std::string("\r\t\x1a\0", 4), nullptr},
        {"\\x41\\x7e", false, "A~", nullptr},
        {"\\q", true, "\\q", nullptr},
        {"\\q", false, "q", "FALSE"},
        {"\\xg1", false, std::string(1, '\0'), "isxdigit(xdigit[0])"},
        {"\\x4g", false, "\x04", "isxdigit(xdigit[1])"},
        {"\\x4", false, "\x04", "isxdigit(xdigit[1])"},
        {"end\\", true, "end\\", nullptr},
        {"end\\", false, "end", "FALSE"},
        {"plain", false, "plain", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        ASSERTCATCHER catcher;
        EXPECT_EQ(Str(STRING(c.input).Unescape(c.lenient)), c.expected);
        if (c.assertion) {
            ASSERT_EQ(catcher.Count(), 1u);
            EXPECT_EQ(catcher.Reports()[0].condition, c.assertion);
            EXPECT_EQ(catcher.Reports()[0].info, c.input);
        } else {
            EXPECT_EQ(catcher.Count(), 0u);
        }
    }
    EXPECT_FALSE(STRING().Unescape().HasBuffer());
}

TEST(Unescape, LongInputPassesTheStagingPieces)
{
    std::string input, expected;
    for (int i = 0; i < 500; ++i) {
        input += "ab\\n";
        expected += "ab\n";
    }
    EXPECT_EQ(Str(STRING(input.c_str()).Unescape()), expected);
}

}  // namespace
