#include "platform/linux/bus_connection.hpp"

#include <dbus/dbus.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDBusError>
#include <QString>
#include <array>
#include <chrono>
#include <cstdlib>
#include <memory>

#include "platform/linux/journal.hpp"

namespace nocturo::linux_desktop {
namespace {

constexpr int kTimeoutMs = 3000;

// An address that fails at once, without looking anything up.
const char* const kAbsentAddress = "unix:path=/dev/null/nocturo-bus-absent";

struct CloseConnection {
  void operator()(DBusConnection* connection) const {
    dbus_connection_close(connection);
    dbus_connection_unref(connection);
  }
};
struct UnrefMessage {
  void operator()(DBusMessage* message) const { dbus_message_unref(message); }
};
struct Error {
  DBusError error{};
  Error() { dbus_error_init(&error); }
  ~Error() { dbus_error_free(&error); }
  Error(const Error&) = delete;
  Error& operator=(const Error&) = delete;
  Error(Error&&) = delete;
  Error& operator=(Error&&) = delete;
  [[nodiscard]] std::string Text() const {
    return std::string(error.name != nullptr ? error.name : "") + ": " +
           (error.message != nullptr ? error.message : "");
  }
};

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

// Connects and says Hello, as every client of a bus first does, within the
// time limit. Empty when the bus answered, else what went wrong. libdbus's own
// blocking calls wait for the authentication with no limit, so the connection
// is driven here.
std::string Probe(BusKind kind) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(kTimeoutMs);
  const std::string address = Address(kind);
  Error error;
  const std::unique_ptr<DBusConnection, CloseConnection> connection(
      dbus_connection_open_private(address.c_str(), &error.error));
  if (!connection) {
    return error.Text();
  }
  dbus_connection_set_exit_on_disconnect(connection.get(), FALSE);
  const std::unique_ptr<DBusMessage, UnrefMessage> hello(dbus_message_new_method_call(
      DBUS_SERVICE_DBUS, DBUS_PATH_DBUS, DBUS_INTERFACE_DBUS, "Hello"));
  if (!hello || dbus_connection_send(connection.get(), hello.get(), nullptr) == FALSE) {
    return "out of memory";
  }
  for (auto now = Clock::now(); now < deadline; now = Clock::now()) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
    if (dbus_connection_read_write(connection.get(), static_cast<int>(left.count())) == FALSE) {
      return std::string(DBUS_ERROR_DISCONNECTED) + ": the bus closed the connection";
    }
    // The bus's first word is Hello's reply.
    const std::unique_ptr<DBusMessage, UnrefMessage> answer(
        dbus_connection_pop_message(connection.get()));
    if (answer) {
      if (dbus_set_error_from_message(&error.error, answer.get()) != FALSE) {
        return error.Text();
      }
      return {};
    }
  }
  return std::string(DBUS_ERROR_NO_REPLY) + ": no answer to Hello within 3 seconds";
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
    known.failure = Probe(kind);
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
