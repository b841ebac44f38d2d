#pragma once

#include <QDBusConnection>
#include <optional>
#include <string>

namespace nocturo::linux_desktop {

enum class BusKind { Session, System };

struct OpenedBus {
  std::optional<QDBusConnection> bus;  // nothing when the bus is absent
  std::string failure;                 // why it is absent, for the journal
};

// Qt's default connection to a bus, opened only after the bus has answered a
// Hello of our own within 3 seconds. Qt opens it with no time limit, in its one
// connection thread, while holding its lock on the default buses: a bus that
// accepts and never answers would stop every D-Bus user in the process for
// good. A bus that has not answered is absent for the rest of the run.
OpenedBus OpenBus(BusKind kind);

// Asks the session bus before anything of Qt may: Qt's own parts (the tray
// icon, the accessibility bridge, platform themes) open it on their own.
// Absent, it is taken away from them too: they then find no bus at once.
void ProbeSessionBus();

// The session bus's address once it has answered (after ProbeSessionBus);
// nothing when it is absent.
std::optional<std::string> SessionBusAddress();

// An address that fails at once, for a bus taken away from Qt's parts.
const char* AbsentBusAddress();

}  // namespace nocturo::linux_desktop
