#include "platform/linux/bus_probe.hpp"

#include <chrono>

namespace nocturo::linux_desktop {
namespace {

constexpr std::chrono::milliseconds kTimeout{3000};

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

}  // namespace

void ProbedBus::Close::operator()(DBusConnection* connection) const {
  dbus_connection_close(connection);
  dbus_connection_unref(connection);
}

ProbedBus::ProbedBus(const std::string& address) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + kTimeout;
  Error error;
  connection_.reset(dbus_connection_open_private(address.c_str(), &error.error));
  if (!connection_) {
    failure_ = error.Text();
    return;
  }
  dbus_connection_set_exit_on_disconnect(connection_.get(), FALSE);
  const Message hello(dbus_message_new_method_call(DBUS_SERVICE_DBUS, DBUS_PATH_DBUS,
                                                   DBUS_INTERFACE_DBUS, "Hello"));
  if (!hello || dbus_connection_send(connection_.get(), hello.get(), nullptr) == FALSE) {
    failure_ = "out of memory";
    return;
  }
  for (auto now = Clock::now(); now < deadline; now = Clock::now()) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
    if (dbus_connection_read_write(connection_.get(), static_cast<int>(left.count())) == FALSE) {
      failure_ = std::string(DBUS_ERROR_DISCONNECTED) + ": the bus closed the connection";
      return;
    }
    // The bus's first word is Hello's reply.
    const Message answer(dbus_connection_pop_message(connection_.get()));
    if (answer) {
      if (dbus_set_error_from_message(&error.error, answer.get()) != FALSE) {
        failure_ = error.Text();
      }
      return;
    }
  }
  failure_ = std::string(DBUS_ERROR_NO_REPLY) + ": no answer to Hello within 3 seconds";
}

ProbedBus::Message ProbedBus::Call(const Message& call, std::string& failure) {
  if (!failure_.empty()) {
    failure = failure_;
    return nullptr;
  }
  if (!call) {
    failure = "out of memory";
    return nullptr;
  }
  Error error;
  Message reply(dbus_connection_send_with_reply_and_block(
      connection_.get(), call.get(), static_cast<int>(kTimeout.count()), &error.error));
  if (!reply) {
    failure = error.Text();
  }
  return reply;
}

std::optional<std::string> ProbedBus::CallForString(const char* destination, const char* path,
                                                    const char* interface, const char* method,
                                                    std::string& failure) {
  const Message reply =
      Call(Message(dbus_message_new_method_call(destination, path, interface, method)), failure);
  const char* text = nullptr;
  if (!reply || dbus_message_get_args(reply.get(), nullptr, DBUS_TYPE_STRING, &text,
                                      DBUS_TYPE_INVALID) == FALSE) {
    if (reply) {
      failure = std::string(method) + " answered no string";
    }
    return std::nullopt;
  }
  return std::string(text);
}

bool ProbedBus::HasOwner(const char* name) {
  const Message call(dbus_message_new_method_call(DBUS_SERVICE_DBUS, DBUS_PATH_DBUS,
                                                  DBUS_INTERFACE_DBUS, "NameHasOwner"));
  if (!call ||
      dbus_message_append_args(call.get(), DBUS_TYPE_STRING, &name, DBUS_TYPE_INVALID) == FALSE) {
    return false;
  }
  std::string failure;
  const Message reply = Call(call, failure);
  dbus_bool_t owned = FALSE;
  return reply &&
         dbus_message_get_args(reply.get(), nullptr, DBUS_TYPE_BOOLEAN, &owned,
                               DBUS_TYPE_INVALID) != FALSE &&
         owned != FALSE;
}

}  // namespace nocturo::linux_desktop
