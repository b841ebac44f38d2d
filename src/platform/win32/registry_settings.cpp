#include "platform/win32/registry_settings.hpp"

#include <array>

#include "platform/win32/handles.hpp"
#include "platform/win32/wide_text.hpp"

namespace nocturo::win32 {
namespace {

// Longer values are not the program's: hand-edited, they are ignored.
constexpr std::size_t kMaxValueChars = 256;

std::wstring KeyPath(std::string_view application, std::string_view section) {
  return L"Software\\" + Widen(application) + L"\\" + Widen(section);
}

}  // namespace

std::optional<std::string> RegistrySettings::Read(std::string_view application,
                                                  std::string_view section,
                                                  std::string_view key) const {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(application, section).c_str(), 0, KEY_QUERY_VALUE,
                      &opened) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  const UniqueKey owner(opened);
  // One spare character, so a value without its terminator still fits.
  std::array<wchar_t, kMaxValueChars + 2> buffer{};
  DWORD type = 0;
  DWORD bytes = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
  if (::RegQueryValueExW(opened, Widen(key).c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &bytes) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return std::nullopt;
  }
  std::wstring_view text(buffer.data(), bytes / sizeof(wchar_t));
  while (!text.empty() && text.back() == L'\0') {
    text.remove_suffix(1);
  }
  if (text.size() > kMaxValueChars) {
    return std::nullopt;
  }
  return Narrow(text);
}

void RegistrySettings::Write(std::string_view application, std::string_view section,
                             std::string_view key, std::string_view value) {
  HKEY created = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(application, section).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &created,
                        nullptr) != ERROR_SUCCESS) {
    return;
  }
  const UniqueKey owner(created);
  const std::wstring text = Widen(value);
  ::RegSetValueExW(created, Widen(key).c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

}  // namespace nocturo::win32
