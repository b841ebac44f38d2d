#include "common/text_encoding.hpp"

#include <gtest/gtest.h>

#include <string>

namespace nocturo {
namespace {

// UTF-8 and UTF-16

TEST(Utf8ToUtf16, ConvertsAsciiAndAccentedLetters) {
  EXPECT_EQ(Utf8ToUtf16("Nocturo"), u"Nocturo");
  EXPECT_EQ(Utf8ToUtf16("ATENCIÓN!"), u"ATENCIÓN!");
  EXPECT_EQ(Utf8ToUtf16("¿Versión?"), u"¿Versión?");
  EXPECT_EQ(Utf8ToUtf16(""), u"");
}

TEST(Utf8ToUtf16, ConvertsThreeByteAndSupplementaryCharacters) {
  EXPECT_EQ(Utf8ToUtf16("€"), u"\u20AC");
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80"), u"\U0001F600");
  EXPECT_EQ(Utf8ToUtf16("\xF4\x8F\xBF\xBF"), u"\U0010FFFF");
}

TEST(Utf8ToUtf16, KeepsEmbeddedNulls) {
  EXPECT_EQ(Utf8ToUtf16(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(Utf8ToUtf16, ReplacesStrayAndInvalidBytes) {
  EXPECT_EQ(Utf8ToUtf16("a\x80z"), u"a\uFFFDz");
  EXPECT_EQ(Utf8ToUtf16("\xFF\xFE"), u"\uFFFD\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong "/"
  EXPECT_EQ(Utf8ToUtf16("\xE0\x80\xAF"), u"\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("\xF5\x80\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");
}

TEST(Utf8ToUtf16, ReplacesEncodedSurrogatesAndValuesBeyondUnicode) {
  EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");
}

TEST(Utf8ToUtf16, ReplacesATruncatedSequenceButKeepsWhatFollows) {
  EXPECT_EQ(Utf8ToUtf16("\xC3"), u"\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("\xE2\x82"), u"\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("\xE2\x82z"), u"\uFFFDz");
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98ó"), u"\uFFFDó");
}

TEST(Utf16ToUtf8, ConvertsBmpAndSurrogatePairs) {
  EXPECT_EQ(Utf16ToUtf8(u"desconexión"), "desconexión");
  EXPECT_EQ(Utf16ToUtf8(u"\u20AC"), "\xE2\x82\xAC");
  EXPECT_EQ(Utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
}

TEST(Utf16ToUtf8, ReplacesLoneSurrogates) {
  EXPECT_EQ(Utf16ToUtf8(std::u16string{u'a', char16_t{0xD800}, u'b'}),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{char16_t{0xDC00}}), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{char16_t{0xD83D}}), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{char16_t{0xDC00}, char16_t{0xD800}}),
            "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Utf16ToUtf8, RoundTripsEveryValidCodePoint) {
  for (char32_t c = 0; c <= 0x10FFFF; c += (c < 0x3000 ? 1 : 97)) {
    if (c >= 0xD800 && c <= 0xDFFF) {
      continue;
    }
    std::u16string units;
    if (c < 0x10000) {
      units += static_cast<char16_t>(c);
    } else {
      units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      units += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
    ASSERT_EQ(Utf8ToUtf16(Utf16ToUtf8(units)), units) << static_cast<unsigned>(c);
  }
}

// Code page 1252

TEST(Utf8ToCp1252, KeepsAsciiAndLatin1Letters) {
  EXPECT_EQ(Utf8ToCp1252("Versión ñ ¿?"), "Versi\xF3n \xF1 \xBF?");
  EXPECT_EQ(Utf8ToCp1252("\u00A0\u00FF"), "\xA0\xFF");
}

TEST(Utf8ToCp1252, MapsTheCodePagesOwnCharactersFrom80To9F) {
  EXPECT_EQ(Utf8ToCp1252("€"), "\x80");
  EXPECT_EQ(Utf8ToCp1252("“forzado”"),
            "\x93"
            "forzado\x94");
  EXPECT_EQ(Utf8ToCp1252("‘’…–—™"), "\x91\x92\x85\x96\x97\x99");
  EXPECT_EQ(Utf8ToCp1252("ŠšŽžŸŒœƒ"), "\x8A\x9A\x8E\x9E\x9F\x8C\x9C\x83");
}

TEST(Utf8ToCp1252, TurnsWhatItLacksIntoQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1252("a→b"), "a?b");
  EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x98\x80"), "?");
  EXPECT_EQ(Utf8ToCp1252("\xC2\x81"), "?");  // U+0081, a C1 control
  EXPECT_EQ(Utf8ToCp1252("x\xFFy"), "x?y");
}

TEST(Cp1252ToUtf8, ConvertsEveryDefinedByte) {
  EXPECT_EQ(Cp1252ToUtf8("Versi\xF3n"), "Versión");
  EXPECT_EQ(Cp1252ToUtf8("\x80\x93\x94"), "€“”");
  EXPECT_EQ(Cp1252ToUtf8("\x9F"), "Ÿ");
}

TEST(Cp1252ToUtf8, ReplacesTheFiveUndefinedBytes) {
  EXPECT_EQ(Cp1252ToUtf8("\x81\x8D\x8F\x90\x9D"),
            "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Cp1252ToUtf8, RoundTripsEveryDefinedByteThroughUtf8ToCp1252) {
  for (int value = 0; value < 256; ++value) {
    if (value == 0x81 || value == 0x8D || value == 0x8F || value == 0x90 || value == 0x9D) {
      continue;
    }
    const std::string byte(1, static_cast<char>(value));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(byte)), byte) << value;
  }
}

}  // namespace
}  // namespace nocturo
