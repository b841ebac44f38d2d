#include "common/text_encoding.hpp"

#include <array>
#include <cstdint>

namespace nocturo {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point from the front of text and removes it. A malformed
// sequence gives U+FFFD and consumes its longest valid prefix (at least one
// byte), the usual "maximal subpart" practice, so that one bad byte never
// swallows the good characters after it.
char32_t DecodeUtf8(std::string_view& text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) {
    text.remove_prefix(1);
    return lead;
  }
  std::size_t length = 0;
  char32_t value = 0;
  // The allowed range of the second byte excludes overlong forms, surrogates
  // and values beyond U+10FFFF.
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1FU;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0FU;
    if (lead == 0xE0) {
      low = 0xA0;
    } else if (lead == 0xED) {
      high = 0x9F;
    }
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07U;
    if (lead == 0xF0) {
      low = 0x90;
    } else if (lead == 0xF4) {
      high = 0x8F;
    }
  } else {
    text.remove_prefix(1);
    return kReplacement;
  }
  for (std::size_t i = 1; i < length; ++i) {
    if (i >= text.size()) {
      text.remove_prefix(i);
      return kReplacement;
    }
    const unsigned char next = byte(i);
    if (next < low || next > high) {
      text.remove_prefix(i);
      return kReplacement;
    }
    low = 0x80;
    high = 0xBF;
    value = (value << 6U) | (next & 0x3FU);
  }
  text.remove_prefix(length);
  return value;
}

void AppendUtf8(std::string& out, char32_t c) {
  const auto put = [&](char32_t bits) {
    out += static_cast<char>(static_cast<unsigned char>(bits));
  };
  if (c < 0x80) {
    put(c);
  } else if (c < 0x800) {
    put(0xC0U | (c >> 6U));
    put(0x80U | (c & 0x3FU));
  } else if (c < 0x10000) {
    put(0xE0U | (c >> 12U));
    put(0x80U | ((c >> 6U) & 0x3FU));
    put(0x80U | (c & 0x3FU));
  } else {
    put(0xF0U | (c >> 18U));
    put(0x80U | ((c >> 12U) & 0x3FU));
    put(0x80U | ((c >> 6U) & 0x3FU));
    put(0x80U | (c & 0x3FU));
  }
}

// Bytes 0x80 to 0x9F of code page 1252; 0 where the code page has no
// character. The other bytes are the Latin-1 code points of the same value.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 88-8F
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 98-9F
};

char ToCp1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
    return static_cast<char>(static_cast<unsigned char>(c));
  }
  for (std::size_t i = 0; i < kCp1252High.size(); ++i) {
    if (kCp1252High[i] != 0 && kCp1252High[i] == c) {
      return static_cast<char>(static_cast<unsigned char>(0x80 + i));
    }
  }
  return '?';
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const char32_t c = DecodeUtf8(text);
    if (c < 0x10000) {
      out += static_cast<char16_t>(c);
    } else {
      const char32_t offset = c - 0x10000;
      out += static_cast<char16_t>(0xD800U + (offset >> 10U));
      out += static_cast<char16_t>(0xDC00U + (offset & 0x3FFU));
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      const char32_t c = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800U) << 10U) +
                         (static_cast<char32_t>(text[i + 1]) - 0xDC00U);
      AppendUtf8(out, c);
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      AppendUtf8(out, kReplacement);  // a lone surrogate
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    out += ToCp1252(DecodeUtf8(text));
  }
  return out;
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char byte : text) {
    const auto value = static_cast<unsigned char>(byte);
    if (value >= 0x80 && value <= 0x9F) {
      const char16_t c = kCp1252High[value - 0x80U];
      AppendUtf8(out, c != 0 ? c : kReplacement);
    } else {
      AppendUtf8(out, value);
    }
  }
  return out;
}

}  // namespace nocturo
