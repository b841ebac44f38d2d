#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.hpp"
#include "power/position_keeper.hpp"

namespace nocturo {

inline constexpr std::string_view kSettingsApplication = "Nocturo";
inline constexpr std::string_view kSettingsSection = "Config";
inline constexpr std::string_view kPosXKey = "PosX";
inline constexpr std::string_view kPosYKey = "PosY";

// A stored coordinate as the restore reads it: the stored text when it is a
// number that rounds (half to even) into a signed 32-bit whole number,
// otherwise the default, rounded the same way.
std::int32_t StoredCoordinate(const std::optional<std::string>& stored, float fallback,
                              std::string_view decimalSeparator);

// The main window's place on the screen, kept in the settings store between
// runs as its outer left and top edges in twips.
class WindowPosition final : public PositionKeeper {
 public:
  explicit WindowPosition(Platform& platform) : platform_(platform) {}

  // Moves the hidden main window to the stored place; a coordinate that is
  // missing or unreadable is centred on the screen on its own.
  void Restore();
  // GuardarPosicion: writes both edges, each on its own; nothing where the
  // window system cannot say where the window stands.
  void GuardarPosicion() override;

 private:
  Platform& platform_;
};

}  // namespace nocturo
