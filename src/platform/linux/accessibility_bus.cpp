#include "platform/linux/accessibility_bus.hpp"

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "platform/linux/accessibility_choice.hpp"
#include "platform/linux/bus_connection.hpp"
#include "platform/linux/bus_probe.hpp"
#include "platform/linux/journal.hpp"

namespace nocturo::linux_desktop {
namespace {

const char* const kLauncher = "org.a11y.Bus";

struct Disconnect {
  void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
};
template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

// The AT_SPI_BUS property of the X root window, which the launcher sets for
// programs that do not share its session bus.
std::optional<std::string> RootWindowAddress() {
  const char* const display = std::getenv("DISPLAY");  // NOLINT(concurrency-mt-unsafe)
  if (display == nullptr || *display == '\0') {
    return std::nullopt;
  }
  int screenNumber = 0;
  const std::unique_ptr<xcb_connection_t, Disconnect> connection(
      xcb_connect(nullptr, &screenNumber));
  if (xcb_connection_has_error(connection.get()) != 0) {
    return std::nullopt;
  }
  auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection.get()));
  for (int i = 0; i < screenNumber && screens.rem > 0; ++i) {
    xcb_screen_next(&screens);
  }
  if (screens.rem == 0) {
    return std::nullopt;
  }
  const std::string name = "AT_SPI_BUS";
  const ReplyPtr<xcb_intern_atom_reply_t> atom(
      xcb_intern_atom_reply(connection.get(),
                            xcb_intern_atom(connection.get(), 1,
                                            static_cast<std::uint16_t>(name.size()), name.c_str()),
                            nullptr),
      &std::free);
  if (!atom || atom->atom == XCB_ATOM_NONE) {
    return std::nullopt;
  }
  const ReplyPtr<xcb_get_property_reply_t> property(
      xcb_get_property_reply(connection.get(),
                             xcb_get_property(connection.get(), 0, screens.data->root, atom->atom,
                                              XCB_ATOM_STRING, 0, 1024),
                             nullptr),
      &std::free);
  if (!property || property->format != 8 || xcb_get_property_value_length(property.get()) <= 0) {
    return std::nullopt;
  }
  return std::string(static_cast<const char*>(xcb_get_property_value(property.get())),
                     static_cast<std::size_t>(xcb_get_property_value_length(property.get())));
}

// A source whose bus was asked for its Hello; why not, in failure.
AccessibilityBusSource Asked(const std::string& address, std::string& failure) {
  const ProbedBus bus(address);
  if (!bus.Failure().empty()) {
    failure = address + ": " + bus.Failure();
  }
  return {address, bus.Failure().empty()};
}

// The launcher's bus, when the launcher is on the session bus: Qt asks it only
// then.
std::optional<AccessibilityBusSource> LauncherBus(std::string& failure) {
  const std::optional<std::string> session = SessionBusAddress();
  if (!session) {
    return std::nullopt;
  }
  ProbedBus bus(*session);
  if (!bus.HasOwner(kLauncher)) {
    return std::nullopt;
  }
  std::string why;
  const std::optional<std::string> address =
      bus.CallForString(kLauncher, "/org/a11y/bus", kLauncher, "GetAddress", why);
  if (!address) {
    failure = std::string(kLauncher) + ".GetAddress: " + why;
    return AccessibilityBusSource{};
  }
  // Qt gives up at once on an empty address.
  if (address->empty()) {
    return std::nullopt;
  }
  return Asked(*address, failure);
}

}  // namespace

void ProbeAccessibilityBus() {
  std::optional<AccessibilityBusSource> environment;
  std::optional<AccessibilityBusSource> launcher;
  std::optional<AccessibilityBusSource> rootWindow;
  std::string failure;
  const char* const set = std::getenv("AT_SPI_BUS_ADDRESS");  // NOLINT(concurrency-mt-unsafe)
  if (set != nullptr && *set != '\0') {
    environment = Asked(set, failure);
  } else {
    launcher = LauncherBus(failure);
    if (const std::optional<std::string> address = RootWindowAddress()) {
      // Usually the launcher's own bus, asked once.
      rootWindow = launcher && launcher->address == *address ? launcher : Asked(*address, failure);
    }
  }
  const std::optional<std::string> chosen =
      BridgeBusAddress(environment, launcher, rootWindow, AbsentBusAddress());
  if (!chosen) {
    return;
  }
  if (*chosen == AbsentBusAddress()) {
    Journal("no accessibility bus: " + failure);
  }
  ::setenv("AT_SPI_BUS_ADDRESS", chosen->c_str(), 1);  // NOLINT(concurrency-mt-unsafe)
}

}  // namespace nocturo::linux_desktop
