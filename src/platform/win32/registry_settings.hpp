#pragma once

#include "platform/settings.hpp"

namespace nocturo::win32 {

// Settings in the current user's registry, under the key
// HKEY_CURRENT_USER\Software\<application>\<section>, one string value per key.
class RegistrySettings final : public SettingsStore {
 public:
  std::optional<std::string> Read(std::string_view application, std::string_view section,
                                  std::string_view key) const override;
  void Write(std::string_view application, std::string_view section, std::string_view key,
             std::string_view value) override;
};

}  // namespace nocturo::win32
