#include "platform/win32/command_line_tail.hpp"

namespace nocturo::win32 {
namespace {

bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t';
}

}  // namespace

std::wstring_view CommandLineTail(std::wstring_view commandLine) {
  std::size_t position = 0;
  if (!commandLine.empty() && commandLine.front() == L'"') {
    const std::size_t closing = commandLine.find(L'"', 1);
    position = closing == std::wstring_view::npos ? commandLine.size() : closing + 1;
  } else {
    while (position < commandLine.size() && !IsBlank(commandLine[position])) {
      ++position;
    }
  }
  while (position < commandLine.size() && IsBlank(commandLine[position])) {
    ++position;
  }
  return commandLine.substr(position);
}

}  // namespace nocturo::win32
