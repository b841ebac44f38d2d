#include "platform/win32/wide_text.hpp"

#include "common/text_encoding.hpp"

namespace nocturo::win32 {

// wchar_t is UTF-16 on Windows, so the two string types hold the same units.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring Widen(std::string_view utf8) {
  const std::u16string wide = Utf8ToUtf16(utf8);
  return std::wstring(wide.begin(), wide.end());
}

std::string Narrow(std::wstring_view utf16) {
  const std::u16string wide(utf16.begin(), utf16.end());
  return Utf16ToUtf8(wide);
}

}  // namespace nocturo::win32
