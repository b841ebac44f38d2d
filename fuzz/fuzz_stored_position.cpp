// The stored window position: whatever a hand edit or a corrupt store left in
// PosX and PosY, the restore places the window either where a plain stored
// number says or at the centred default, never elsewhere; and a position the
// program saves comes back unchanged at the next restore.
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/window_position.hpp"
#include "common/number_text.hpp"
#include "fuzz_support.hpp"
#include "platform/sim/sim_platform.hpp"

using nocturo::fuzz::Require;

namespace {

// A stored text in the form the program writes whole numbers ("2880",
// "-120"), read without the program's own conversions (from_chars takes no
// blanks and no plus sign).
std::optional<std::int32_t> PlainWholeNumber(std::string_view text) {
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return value;
}

// The centred default, half to even, computed apart from the program.
std::int32_t Centred(float screen, float window) {
  const float half = (screen - window) / 2.0F;
  return static_cast<std::int32_t>(std::nearbyint(half));  // default rounding: half to even
}

// A stored value: absent (0), not text (1), or text (2 and 3).
enum : std::uint8_t { kAbsent = 0, kNotText = 1 };
struct Stored {
  std::uint8_t kind;
  std::string_view text;
};

void Put(nocturo::sim::SimSettings& settings, std::string_view key, const Stored& stored) {
  switch (stored.kind) {
    case kAbsent:
      settings.Erase(key);
      break;
    case kNotText:
      settings.PutNonText(key);
      break;
    default:
      settings.Put(key, stored.text);
      break;
  }
}

void CheckCoordinate(const Stored& stored, float restored, std::int32_t centred) {
  Require(restored == std::nearbyint(restored), "a restored coordinate is whole");
  if (stored.kind == kAbsent || stored.kind == kNotText) {
    Require(restored == static_cast<float>(centred), "a missing value centres the window");
    return;
  }
  // No position the program writes comes near 64 characters; a longer value
  // is not one, whatever it holds.
  if (stored.text.size() > 64) {
    Require(restored == static_cast<float>(centred), "an absurdly long value centres the window");
    return;
  }
  if (const auto plain = PlainWholeNumber(stored.text)) {
    Require(restored == static_cast<float>(*plain), "a stored whole number is where it goes");
    return;
  }
  // Anything else: a number in another form (" 15 ", "2,5") lands within a
  // half of it, as near as a single can say; the rest centres the window.
  const auto number = nocturo::ParseNumber(stored.text, ",");
  const double slack = 0.5 + std::fabs(static_cast<double>(restored)) * 0x1p-23;
  Require(restored == static_cast<float>(centred) ||
              (number && std::fabs(*number - static_cast<double>(restored)) <= slack),
          "an unreadable value centres the window");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nocturo::fuzz::ByteReader input(data, size);
  nocturo::sim::SimPlatform machine;
  machine.regional.decimalSeparator = ",";
  // A screen from 0 to about 65,000 twips a side: smaller than the window too.
  const float width = static_cast<float>(input.Byte() * 256 + input.Byte());
  const float height = static_cast<float>(input.Byte() * 256 + input.Byte());
  machine.ui.SetScreen({.width = width, .height = height});

  const std::uint8_t kinds = input.Byte();
  const std::size_t firstLength = input.Byte();
  const Stored x{.kind = static_cast<std::uint8_t>(kinds & 3U), .text = input.Text(firstLength)};
  const Stored y{.kind = static_cast<std::uint8_t>((kinds >> 2U) & 3U), .text = input.Rest()};
  Put(machine.settings, nocturo::kPosXKey, x);
  Put(machine.settings, nocturo::kPosYKey, y);

  // The main window exists once anything asks for it, as when the program
  // reads its icon at start-up.
  static_cast<void>(machine.ui.Handle(nocturo::WindowId::Principal));
  nocturo::WindowPosition position(machine.platform());
  const nocturo::TwipsRect designed = machine.ui.Bounds(nocturo::WindowId::Principal);
  position.Restore();
  const nocturo::TwipsRect restored = machine.ui.Bounds(nocturo::WindowId::Principal);
  Require(restored.width == designed.width && restored.height == designed.height,
          "the window is moved, not resized");
  CheckCoordinate(x, restored.left, Centred(width, designed.width));
  CheckCoordinate(y, restored.top, Centred(height, designed.height));

  // Saved and restored again, a position on any real screen stays put.
  // (Beyond 2^24 twips a single no longer holds every whole number.)
  constexpr float kExact = 16777216.0F;
  if (std::fabs(restored.left) <= kExact && std::fabs(restored.top) <= kExact) {
    position.GuardarPosicion();
    machine.ui.Move(nocturo::WindowId::Principal, 0, 0);
    position.Restore();
    const nocturo::TwipsRect again = machine.ui.Bounds(nocturo::WindowId::Principal);
    Require(again.left == restored.left && again.top == restored.top,
            "a saved position comes back unchanged");
  }
  return 0;
}
