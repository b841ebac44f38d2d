#include "platform/win32/win_regional.hpp"

#include <array>

#include "platform/win32/wide_text.hpp"
#include "platform/win32/win32_api.hpp"

namespace nocturo::win32 {

std::string WinRegional::DecimalSeparator() const {
  // The system allows at most three characters and the terminator.
  std::array<wchar_t, 4> separator{};
  const int length = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator.data(),
                                      static_cast<int>(separator.size()));
  if (length <= 1) {
    return ".";
  }
  return Narrow(std::wstring_view(separator.data(), static_cast<std::size_t>(length - 1)));
}

}  // namespace nocturo::win32
