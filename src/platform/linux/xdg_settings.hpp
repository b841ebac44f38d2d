#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/settings.hpp"

namespace nocturo::linux_desktop {

// The settings store in the user's configuration directory: one INI file per
// application, $XDG_CONFIG_HOME/<application>/<application>.conf (the
// directory defaults to ~/.config), a [section] per section. Each write reaches
// the file at once, replacing it whole, so an end of the process never leaves
// half a file behind. A file that cannot be written loses the write; a write
// never waits long, as the exit and the power request come after it.
class XdgSettings final : public SettingsStore {
 public:
  XdgSettings() = default;

  std::optional<std::string> Read(std::string_view application, std::string_view section,
                                  std::string_view key) const override;
  void Write(std::string_view application, std::string_view section, std::string_view key,
             std::string_view value) override;

  static std::string FilePath(std::string_view application);

 private:
  static constexpr int kLockWaitMilliseconds = 1000;
  bool lockStuck_ = false;
};

}  // namespace nocturo::linux_desktop
