#include "platform/win32/win_clock.hpp"

#include "platform/win32/win32_api.hpp"

namespace nocturo::win32 {

DateTime WinClock::Now() const {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return DateTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace nocturo::win32
