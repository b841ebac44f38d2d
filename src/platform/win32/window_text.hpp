#pragma once

#include <string>

#include "platform/win32/win32_api.hpp"

namespace nocturo::win32 {

// A window's whole text, as the wide calls hand it over.
std::wstring ReadWindowText(HWND window);

}  // namespace nocturo::win32
