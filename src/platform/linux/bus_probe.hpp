#pragma once

#include <dbus/dbus.h>

#include <memory>
#include <optional>
#include <string>

namespace nocturo::linux_desktop {

// A private libdbus connection, usable only once the bus has answered the
// Hello that every client first says, within 3 seconds. libdbus's own blocking
// calls wait for the authentication with no limit, so the connection is
// driven here; after the Hello they keep their timeout.
class ProbedBus {
 public:
  explicit ProbedBus(const std::string& address);

  // Empty when the bus answered, else what went wrong.
  const std::string& Failure() const { return failure_; }

  // A method call answered within 3 seconds: the reply's first argument, a
  // string (nothing for a reply with no string), or the failure in failure.
  std::optional<std::string> CallForString(const char* destination, const char* path,
                                           const char* interface, const char* method,
                                           std::string& failure);
  // Whether NAME has an owner, as the bus daemon answers within 3 seconds.
  bool HasOwner(const char* name);

 private:
  struct Close {
    void operator()(DBusConnection* connection) const;
  };
  struct UnrefMessage {
    void operator()(DBusMessage* message) const { dbus_message_unref(message); }
  };
  using Message = std::unique_ptr<DBusMessage, UnrefMessage>;

  Message Call(const Message& call, std::string& failure);

  std::unique_ptr<DBusConnection, Close> connection_;
  std::string failure_;
};

}  // namespace nocturo::linux_desktop
