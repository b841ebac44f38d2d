#include "platform/linux/bus_connection.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <QDBusError>
#include <QString>
#include <array>
#include <cstdlib>

#include "platform/linux/bus_probe.hpp"
#include "platform/linux/journal.hpp"

namespace nocturo::linux_desktop {
namespace {

// An address that fails at once, without looking anything up.
const char* const kAbsentAddress = "unix:path=/dev/null/nocturo-bus-absent";

const char* EnvironmentName(BusKind kind) {
  return kind == BusKind::Session ? "DBUS_SESSION_BUS_ADDRESS" : "DBUS_SYSTEM_BUS_ADDRESS";
}

// The address libdbus would use for the bus.
std::string Address(BusKind kind) {
  const char* const set = std::getenv(EnvironmentName(kind));  // NOLINT(concurrency-mt-unsafe)
  if (set != nullptr && *set != '\0') {
    return set;
  }
  if (kind == BusKind::System) {
    return "unix:path=/var/run/dbus/system_bus_socket";
  }
  const char* const runtime = std::getenv("XDG_RUNTIME_DIR");  // NOLINT(concurrency-mt-unsafe)
  if (runtime != nullptr && *runtime != '\0') {
    const std::string socket = std::string(runtime) + "/bus";
    struct stat status {};
    if (::stat(socket.c_str(), &status) == 0 && S_ISSOCK(status.st_mode) &&
        status.st_uid == ::getuid()) {
      return "unix:path=" + socket;
    }
  }
  return "autolaunch:";
}

enum class BusState { Unknown, Present, Absent };

struct Known {
  BusState state = BusState::Unknown;
  std::string failure;
};

// Per process, as Qt's default connections are.
Known& KnownBus(BusKind kind) {
  static std::array<Known, 2> known;
  return known.at(kind == BusKind::Session ? 0 : 1);
}

Known& Learn(BusKind kind) {
  Known& known = KnownBus(kind);
  if (known.state == BusState::Unknown) {
    known.failure = ProbedBus(Address(kind)).Failure();
    known.state = known.failure.empty() ? BusState::Present : BusState::Absent;
  }
  return known;
}

}  // namespace

OpenedBus OpenBus(BusKind kind) {
  const Known& known = Learn(kind);
  if (known.state == BusState::Absent) {
    return {std::nullopt, known.failure};
  }
  QDBusConnection bus =
      kind == BusKind::Session ? QDBusConnection::sessionBus() : QDBusConnection::systemBus();
  if (!bus.isConnected()) {
    return {
        std::nullopt,
        (bus.lastError().name() + QStringLiteral(": ") + bus.lastError().message()).toStdString()};
  }
  return {bus, {}};
}

std::optional<std::string> SessionBusAddress() {
  if (Learn(BusKind::Session).state == BusState::Absent) {
    return std::nullopt;
  }
  return Address(BusKind::Session);
}

const char* AbsentBusAddress() {
  return kAbsentAddress;
}

void ProbeSessionBus() {
  const Known& known = Learn(BusKind::Session);
  if (known.state == BusState::Absent) {
    Journal("no session bus: " + known.failure);
    // libdbus reads the addresses when a bus is first opened, so this holds
    // for every later open in the process.
    ::setenv(EnvironmentName(BusKind::Session), kAbsentAddress,
             1);  // NOLINT(concurrency-mt-unsafe)
  }
}

}  // namespace nocturo::linux_desktop
