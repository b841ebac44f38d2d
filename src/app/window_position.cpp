#include "app/window_position.hpp"

#include "common/number_text.hpp"
#include "common/single_text.hpp"

namespace nocturo {
namespace {

// Longer than any coordinate written by the program; a hand-edited value this
// long is not a position.
constexpr std::size_t kLongestCoordinateText = 64;

}  // namespace

std::int32_t StoredCoordinate(const std::optional<std::string>& stored, float fallback,
                              std::string_view decimalSeparator) {
  if (stored && stored->size() <= kLongestCoordinateText) {
    if (const auto number = ParseNumber(*stored, decimalSeparator)) {
      if (const auto rounded = ToInt32HalfEven(*number)) {
        return *rounded;
      }
    }
  }
  // The centred default always fits: it is half a difference of two screen
  // sizes.
  return ToInt32HalfEven(static_cast<double>(fallback)).value_or(0);
}

void WindowPosition::Restore() {
  Ui& ui = platform_.ui;
  const ScreenMetrics screen = ui.Screen();
  const TwipsRect window = ui.Bounds(WindowId::Principal);
  const float centredLeft = (screen.width - window.width) / 2.0F;
  const float centredTop = (screen.height - window.height) / 2.0F;
  const std::string separator = platform_.regional.DecimalSeparator();
  const auto read = [&](std::string_view key) {
    return platform_.settings.Read(kSettingsApplication, kSettingsSection, key);
  };
  const std::int32_t left = StoredCoordinate(read(kPosXKey), centredLeft, separator);
  const std::int32_t top = StoredCoordinate(read(kPosYKey), centredTop, separator);
  ui.Move(WindowId::Principal, static_cast<float>(left), static_cast<float>(top));
}

void WindowPosition::GuardarPosicion() {
  // A window system that keeps windows' places to itself has no position to
  // give: the stored one is kept for a session that can use it.
  if (!platform_.ui.PlacesWindows()) {
    return;
  }
  const TwipsRect window = platform_.ui.Bounds(WindowId::Principal);
  const std::string separator = platform_.regional.DecimalSeparator();
  platform_.settings.Write(kSettingsApplication, kSettingsSection, kPosXKey,
                           FormatSingle(window.left, separator));
  platform_.settings.Write(kSettingsApplication, kSettingsSection, kPosYKey,
                           FormatSingle(window.top, separator));
}

}  // namespace nocturo
