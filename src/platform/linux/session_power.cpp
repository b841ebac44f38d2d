#include "platform/linux/session_power.hpp"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QList>
#include <QString>
#include <QVariant>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/linux/bus_connection.hpp"
#include "platform/linux/journal.hpp"
#include "platform/linux/power_plan.hpp"

namespace nocturo::linux_desktop {
namespace {

// A question waits 3 seconds at most. The request itself waits longer: logind
// asks polkit, which a busy machine may first have to start (seen taking 7
// seconds), and a request given up on too early is a power off lost.
constexpr int kQueryTimeoutMs = 3000;
constexpr int kRequestTimeoutMs = 25000;

const char* const kLogind = "org.freedesktop.login1";
const char* const kLogindPath = "/org/freedesktop/login1";
const char* const kLogindManager = "org.freedesktop.login1.Manager";

QString Latin1(const char* text) {
  return QString::fromLatin1(text);
}

QDBusMessage Call(QDBusConnection& bus, const char* service, const QString& path,
                  const char* interface, const QString& method, const QList<QVariant>& arguments,
                  int timeoutMs = kQueryTimeoutMs) {
  QDBusMessage call =
      QDBusMessage::createMethodCall(Latin1(service), path, Latin1(interface), method);
  call.setArguments(arguments);
  call.setInteractiveAuthorizationAllowed(false);
  return bus.call(call, QDBus::Block, timeoutMs);
}

QDBusMessage CallLogind(QDBusConnection& bus, const QString& method,
                        const QList<QVariant>& arguments = {}, int timeoutMs = kQueryTimeoutMs) {
  return Call(bus, kLogind, Latin1(kLogindPath), kLogindManager, method, arguments, timeoutMs);
}

bool Succeeded(const QDBusMessage& reply) {
  return reply.type() == QDBusMessage::ReplyMessage;
}

// One journal line for a refused or failed request: "<what> refused: <why>".
bool Refused(const QString& what, const std::string& why) {
  Journal((what + QStringLiteral(" refused: ")).toStdString() + why);
  return false;
}

// The error's name and message, or what was wrong with a reply.
std::string WhyNot(const QDBusMessage& reply) {
  if (reply.type() == QDBusMessage::ErrorMessage) {
    return (reply.errorName() + QStringLiteral(": ") + reply.errorMessage()).toStdString();
  }
  return "unexpected reply (signature \"" + reply.signature().toStdString() + "\")";
}

bool Answered(const QString& what, const QDBusMessage& reply) {
  return Succeeded(reply) || Refused(what, WhyNot(reply));
}

bool HasOwner(QDBusConnection& bus, const char* name) {
  const QDBusMessage reply =
      Call(bus, "org.freedesktop.DBus", QStringLiteral("/org/freedesktop/DBus"),
           "org.freedesktop.DBus", QStringLiteral("NameHasOwner"), {Latin1(name)});
  return Succeeded(reply) && reply.signature() == QStringLiteral("b") &&
         reply.arguments().value(0).toBool();
}

// logind's inhibitors, or nothing when it does not say (journaled as what
// was refused).
std::optional<std::vector<Inhibitor>> ListInhibitors(QDBusConnection& bus, const QString& request) {
  const QDBusMessage reply = CallLogind(bus, QStringLiteral("ListInhibitors"));
  if (!Succeeded(reply) || reply.signature() != QStringLiteral("a(ssssuu)")) {
    Refused(request, "ListInhibitors: " + WhyNot(reply));
    return std::nullopt;
  }
  std::vector<Inhibitor> inhibitors;
  const auto list = reply.arguments().value(0).value<QDBusArgument>();
  list.beginArray();
  while (!list.atEnd()) {
    QString what;
    QString who;
    QString why;
    QString mode;
    uint uid = 0;
    uint pid = 0;
    list.beginStructure();
    list >> what >> who >> why >> mode >> uid >> pid;
    list.endStructure();
    inhibitors.push_back(
        {what.toStdString(), mode.toStdString(), who.toStdString(), why.toStdString()});
  }
  list.endArray();
  return inhibitors;
}

bool Shutdown(const PowerPlan& plan) {
  const QString method = QString::fromUtf8(
      LogindMethod(plan.action).data(), static_cast<qsizetype>(LogindMethod(plan.action).size()));
  OpenedBus opened = OpenBus(BusKind::System);
  if (!opened.bus) {
    return Refused(method, "no system bus: " + opened.failure);
  }
  QDBusConnection& bus = *opened.bus;
  if (!plan.forced) {
    // logind lets a caller past inhibitors its own user holds, and root past
    // all of them; an unforced request stops at any block.
    const auto inhibitors = ListInhibitors(bus, method);
    if (!inhibitors) {
      return false;
    }
    if (const Inhibitor* blocker = ShutdownBlocker(*inhibitors)) {
      return Refused(method, "inhibited by " + blocker->who + " (" + blocker->mode + ": " +
                                 blocker->why + ")");
    }
    const QString withFlags = method + QStringLiteral("WithFlags");
    const QDBusMessage reply = CallLogind(
        bus, withFlags, {QVariant::fromValue(static_cast<qulonglong>(LogindFlags(plan)))},
        kRequestTimeoutMs);
    if (reply.errorName() != QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod")) {
      return Answered(withFlags, reply);
    }
    // Before systemd 248 there is only the plain call.
  }
  return Answered(method, CallLogind(bus, method, {false}, kRequestTimeoutMs));
}

// Ends the session with all its processes, as a forced log off does.
bool TerminateOwnSession() {
  const QString method = QStringLiteral("TerminateSession");
  OpenedBus opened = OpenBus(BusKind::System);
  if (!opened.bus) {
    return Refused(method, "no system bus: " + opened.failure);
  }
  const QString session =
      QString::fromStdString(SessionToEnd(qEnvironmentVariable("XDG_SESSION_ID").toStdString()));
  return Answered(method + QLatin1Char('(') + session + QLatin1Char(')'),
                  CallLogind(*opened.bus, method, {session}, kRequestTimeoutMs));
}

enum class LogoutArguments { None, GnomeNoConfirmation, XfceNoDialogButSave };

struct SessionManager {
  const char* service;
  const char* path;
  const char* interface;
  const char* method;
  LogoutArguments arguments;
};

// Each asks for the desktop's own orderly log off, without its confirmation
// dialog: applications may still save their work or refuse.
constexpr std::array kSessionManagers = {
    SessionManager{"org.gnome.SessionManager", "/org/gnome/SessionManager",
                   "org.gnome.SessionManager", "Logout", LogoutArguments::GnomeNoConfirmation},
    SessionManager{"org.kde.Shutdown", "/Shutdown", "org.kde.Shutdown", "logout",
                   LogoutArguments::None},
    SessionManager{"org.xfce.SessionManager", "/org/xfce/SessionManager",
                   "org.xfce.Session.Manager", "Logout", LogoutArguments::XfceNoDialogButSave},
};

QList<QVariant> ArgumentsOf(LogoutArguments arguments) {
  switch (arguments) {
    case LogoutArguments::GnomeNoConfirmation:
      return {1U};
    case LogoutArguments::XfceNoDialogButSave:
      return {false, true};  // show_dialog, allow_save
    case LogoutArguments::None:
      break;
  }
  return {};
}

bool AskSessionManager() {
  const QString logOff = QStringLiteral("Logout");
  OpenedBus opened = OpenBus(BusKind::Session);
  if (!opened.bus) {
    return Refused(logOff, "no session bus: " + opened.failure);
  }
  for (const SessionManager& manager : kSessionManagers) {
    if (HasOwner(*opened.bus, manager.service)) {
      return Answered(
          Latin1(manager.service) + QLatin1Char('.') + Latin1(manager.method),
          Call(*opened.bus, manager.service, Latin1(manager.path), manager.interface,
               Latin1(manager.method), ArgumentsOf(manager.arguments), kRequestTimeoutMs));
    }
  }
  return Refused(logOff, "no session manager on the session bus");
}

}  // namespace

std::int32_t SessionPower::Request(std::uint32_t exitFlags) {
  const PowerPlan plan = PlanFor(exitFlags);
  bool accepted = false;
  switch (plan.action) {
    case PlannedAction::PowerOff:
    case PlannedAction::Reboot:
      accepted = Shutdown(plan);
      break;
    case PlannedAction::LogOff:
      accepted = plan.forced ? TerminateOwnSession() : AskSessionManager();
      break;
    case PlannedAction::Refuse:
      Refused(QStringLiteral("ExitWindowsEx(%1)").arg(exitFlags),
              "not one action this program can tell apart");
      break;
  }
  return accepted ? 1 : 0;
}

}  // namespace nocturo::linux_desktop
