#pragma once

#include <string>
#include <string_view>

namespace nocturo {

// UTF-8 to UTF-16 and back. Malformed input becomes U+FFFD; never throws.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// UTF-8 to the 8-bit code page 1252; characters it lacks become "?".
std::string Utf8ToCp1252(std::string_view text);
// Code page 1252 to UTF-8 (the five undefined bytes become U+FFFD).
std::string Cp1252ToUtf8(std::string_view text);

}  // namespace nocturo
