#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace nocturo::linux_desktop {

// One place Qt's accessibility bridge takes its bus's address from, and
// whether that bus answered our Hello in time (a launcher that gave no address
// in time counts as a bus that did not answer).
struct AccessibilityBusSource {
  std::string address;
  bool answered = false;
};

// What AT_SPI_BUS_ADDRESS must hold so that Qt's bridge opens only a bus that
// answered; nothing to leave the environment as it is. Qt takes the variable
// when set and then asks nothing else; otherwise the launcher (org.a11y.Bus on
// the session bus) and the X root window's AT_SPI_BUS property, both. Any of
// them that did not answer and the variable is set: to an answering one's
// address, else to absent, an address that fails at once.
std::optional<std::string> BridgeBusAddress(
    const std::optional<AccessibilityBusSource>& environment,
    const std::optional<AccessibilityBusSource>& launcher,
    const std::optional<AccessibilityBusSource>& rootWindow, std::string_view absent);

}  // namespace nocturo::linux_desktop
