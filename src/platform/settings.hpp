#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace nocturo {

// The per-user settings store: text values addressed by application, section
// and key.
class SettingsStore {
 public:
  SettingsStore() = default;
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;
  virtual ~SettingsStore() = default;

  // The stored text; nothing when the value is missing or is not text.
  virtual std::optional<std::string> Read(std::string_view application, std::string_view section,
                                          std::string_view key) const = 0;
  // Creates the section and key as needed. Failures are not reported.
  virtual void Write(std::string_view application, std::string_view section, std::string_view key,
                     std::string_view value) = 0;
};

}  // namespace nocturo
