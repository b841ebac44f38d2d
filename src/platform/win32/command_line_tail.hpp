#pragma once

#include <string_view>

namespace nocturo::win32 {

// What follows the program's name on a command line, the name taken as Windows
// takes it: up to the closing quote when it starts with one, else up to the
// first blank; the blanks after it are skipped too.
std::wstring_view CommandLineTail(std::wstring_view commandLine);

}  // namespace nocturo::win32
