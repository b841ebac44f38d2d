#pragma once

#include <string>
#include <string_view>

namespace nocturo::win32 {

// The program keeps UTF-8; the wide Windows calls take UTF-16.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace nocturo::win32
