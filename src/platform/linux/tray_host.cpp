#include "platform/linux/tray_host.hpp"

#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "platform/linux/bus_connection.hpp"
#include "platform/linux/notify_icon_table.hpp"
#include "platform/linux/qt_menu.hpp"
#include "platform/linux/tray_reach.hpp"
#include "platform/linux/window_handles.hpp"
#include "tray/notify_icon_record.hpp"
#include "ui/design.hpp"

namespace nocturo::linux_desktop {
namespace {

constexpr int kHostQueryMilliseconds = 2000;
// Long enough for a panel to restart, or to start after the program at log-in.
constexpr int kTrayGraceMilliseconds = 10000;

QString WatcherService() {
  return QStringLiteral("org.kde.StatusNotifierWatcher");
}

// Asked directly: Qt's own check opens a second bus connection and reads the
// watcher's introspection first (a millisecond or so of start-up). A watcher
// that is not running is not started for the question.
bool StatusNotifierHostRegistered() {
  const std::optional<QDBusConnection> bus = OpenBus(BusKind::Session).bus;
  if (!bus) {
    return false;
  }
  QDBusMessage get = QDBusMessage::createMethodCall(
      WatcherService(), QStringLiteral("/StatusNotifierWatcher"),
      QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
  get << WatcherService() << QStringLiteral("IsStatusNotifierHostRegistered");
  get.setAutoStartService(false);
  const QDBusMessage reply = bus->call(get, QDBus::Block, kHostQueryMilliseconds);
  return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
         qvariant_cast<QDBusVariant>(reply.arguments().constFirst()).variant().toBool();
}

// xcb_intern_atom's reply, or XCB_ATOM_NONE.
xcb_atom_t InternAtom(xcb_connection_t* connection, const QByteArray& name) {
  const auto cookie =
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.constData());
  const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
      xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// An X11 system tray manager announces itself with a MANAGER client message
// on the root window, as a new StatusNotifierWatcher does on the bus; its
// window's end is the tray's.
class X11TrayWatcher final : public QAbstractNativeEventFilter {
 public:
  X11TrayWatcher(xcb_connection_t* connection, xcb_atom_t manager, xcb_atom_t selection,
                 QTimer& appeared, QTimer& gone)
      : connection_(connection),
        manager_(manager),
        selection_(selection),
        appeared_(appeared),
        gone_(gone) {}

  // Asked of the X server itself: Qt's own check would settle, for the life
  // of the process, whether its icons ever use a StatusNotifier host.
  bool TrayRunning() {
    const auto cookie = xcb_get_selection_owner(connection_, selection_);
    const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> reply(
        xcb_get_selection_owner_reply(connection_, cookie, nullptr), &std::free);
    if (!reply || reply->owner == XCB_WINDOW_NONE) {
      return false;
    }
    if (reply->owner != owner_) {
      owner_ = reply->owner;
      const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
      xcb_change_window_attributes(connection_, owner_, XCB_CW_EVENT_MASK, &mask);
      xcb_flush(connection_);
    }
    return true;
  }

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) override {
    if (eventType != "xcb_generic_event_t") {
      return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7FU) == XCB_DESTROY_NOTIFY) {
      const auto* destroyed = static_cast<const xcb_destroy_notify_event_t*>(message);
      if (destroyed->window == owner_ && owner_ != XCB_WINDOW_NONE) {
        owner_ = XCB_WINDOW_NONE;
        gone_.start();
      }
    }
    if ((event->response_type & 0x7FU) == XCB_CLIENT_MESSAGE) {
      const auto* client = static_cast<const xcb_client_message_event_t*>(message);
      if (client->format == 32 && client->type == manager_ &&
          client->data.data32[1] == selection_) {
        appeared_.start();
      }
    }
    return false;
  }

 private:
  xcb_connection_t* connection_;
  xcb_atom_t manager_;
  xcb_atom_t selection_;
  QTimer& appeared_;
  QTimer& gone_;
  xcb_window_t owner_ = XCB_WINDOW_NONE;
};

// The watcher's signals about its hosts, which QtDBus delivers to slots only.
class HostSignals final : public QObject {
  Q_OBJECT

 public:
  explicit HostSignals(std::function<void(bool)> changed) : changed_(std::move(changed)) {}

 public Q_SLOTS:  // NOLINT(readability-redundant-access-specifiers): moc's section
  void Registered() { changed_(true); }
  void Unregistered() { changed_(false); }

 private:
  std::function<void(bool)> changed_;
};

// Which tray Qt's icons use: settled by Qt when it makes the first one.
enum class TrayKind { Unsettled, StatusNotifier, X11 };

// An icon Qt shows, with the menu a StatusNotifier host draws for it. Qt does
// not own the menu: the icon goes first.
struct ShownIcon {
  std::unique_ptr<QMenu> menu;
  std::unique_ptr<QSystemTrayIcon> icon;
};

}  // namespace

struct TrayHost::State {
  explicit State(Ui& shellUi) : ui(shellUi) {}

  Ui& ui;
  UiEvents* events = nullptr;
  std::function<void(bool)> windowStandsIn;
  NotifyIconTable table;
  std::map<IconKey, ShownIcon> shown;
  QIcon picture;
  TrayKind kind = TrayKind::Unsettled;
  // The watcher's answer for the add that makes the first icon.
  bool hostAtLastCheck = false;
  TrayReach reach;
  QTimer grace;
  std::unique_ptr<QDBusServiceWatcher> hostWatcher;
  std::unique_ptr<HostSignals> hostSignals;
  // Fire once the event loop is past the manager's announcement or end.
  QTimer x11TrayAppeared;
  QTimer x11TrayGone;
  std::unique_ptr<X11TrayWatcher> x11Watcher;
  // Receives every notification; going first, it drops any still queued.
  QObject context;

  const QIcon& Picture() {
    if (picture.isNull()) {
      picture = QIcon(QStringLiteral(":/nocturo/nocturo.ico"));
    }
    return picture;
  }

  bool X11TrayRunning() const { return x11Watcher && x11Watcher->TrayRunning(); }

  // Qt makes its choice of tray once, with the first icon: before that either
  // tray will do; after it, only the one chosen shows anything.
  bool TrayAvailable() {
    switch (kind) {
      case TrayKind::Unsettled:
        hostAtLastCheck = StatusNotifierHostRegistered();
        return hostAtLastCheck || X11TrayRunning();
      case TrayKind::StatusNotifier:
        return StatusNotifierHostRegistered();
      case TrayKind::X11:
        return X11TrayRunning();
    }
    return false;
  }

  void Show(IconKey key, const IconState& state) {
    ShownIcon& entry = shown[key];
    auto& icon = entry.icon;
    if (!icon) {
      if (kind == TrayKind::Unsettled) {
        // Qt asks the same question the moment the icon is made.
        kind = hostAtLastCheck ? TrayKind::StatusNotifier : TrayKind::X11;
      }
      icon = std::make_unique<QSystemTrayIcon>();
      // Queued, as the shell posts its notifications: a D-Bus caller gets its
      // reply before the tray menu's own loop runs.
      QObject::connect(
          icon.get(), &QSystemTrayIcon::activated, &context,
          [this, key](QSystemTrayIcon::ActivationReason reason) { Activated(key, reason); },
          Qt::QueuedConnection);
      if (kind == TrayKind::StatusNotifier) {
        entry.menu = TrayMenu(key);
        icon->setContextMenu(entry.menu.get());
      }
    }
    // The count modifies the icon every second; each change Qt passes on is a
    // signal to the host, which then reads the item again (the whole picture,
    // for a new icon). Only what changed is passed on.
    if (state.icon == kWindowIconHandle && icon->icon().isNull()) {
      icon->setIcon(Picture());
    }
    const QString tooltip =
        QString::fromUtf8(state.tooltip.data(), static_cast<qsizetype>(state.tooltip.size()));
    if (icon->toolTip() != tooltip) {
      icon->setToolTip(tooltip);
    }
    if (!icon->isVisible()) {
      icon->show();
    }
  }

  // The menu the program pops up for the icon, exported as the item's DBusMenu
  // for the hosts that draw it themselves (GNOME's AppIndicator extension,
  // Xfce's panel and Plasma call no ContextMenu then). An item chosen there is
  // the program's own menu item. The X11 tray gets none: Qt would pop it up
  // itself on a right click, beside the menu the program pops up for the
  // same click.
  std::unique_ptr<QMenu> TrayMenu(IconKey key) {
    const auto window = WindowOfHandle(key.window);
    if (!window) {
      return nullptr;
    }
    auto menu = std::make_unique<QMenu>();
    AddMenuItems(*menu, DesignOf(*window).menu);
    ReportChosenItems(*menu, context, [this](int index) {
      if (events != nullptr) {
        events->OnMenuItem(index);
      }
    });
    return menu;
  }

  void Activated(IconKey key, QSystemTrayIcon::ActivationReason reason) const {
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) {
      Notify(key, kLeftDoubleClick);
    } else if (reason == QSystemTrayIcon::Context) {
      Notify(key, kRightButtonUp);
    }
  }

  void Notify(IconKey key, int message) const {
    const IconState* state = table.Find(key);
    const auto window = WindowOfHandle(key.window);
    if (state == nullptr || state->callbackMessage != kMouseMove || !window || events == nullptr) {
      return;
    }
    const float x = static_cast<float>(message) * ui.Screen().twipsPerPixelX;
    events->OnMouseMove(*window, x, 0, false);
  }

  void Act(TrayReach::Step step) {
    switch (step) {
      case TrayReach::Step::None:
        break;
      case TrayReach::Step::StartGrace:
        grace.start();
        break;
      case TrayReach::Step::WindowStandsIn:
      case TrayReach::Step::IconStandsIn:
        if (windowStandsIn) {
          windowStandsIn(step == TrayReach::Step::WindowStandsIn);
        }
        break;
    }
  }

  // A new tray host knows none of the icons the old one showed; the program
  // adds its own again when told the taskbar is back.
  void HostRestarted() {
    table.Clear();
    shown.clear();
    if (events != nullptr) {
      events->OnTaskbarCreated();
    }
  }

  // Qt docks the icons it shows in a new X11 tray on its own; an icon whose add
  // was refused for want of any tray is the program's to add again.
  void WatchX11Tray() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr) {
      return;
    }
    // The screen Qt's own tray lookup uses: the one $DISPLAY names.
    char* host = nullptr;
    int display = 0;
    int screen = 0;
    const int parsed = xcb_parse_display(nullptr, &host, &display, &screen);
    const std::unique_ptr<char, decltype(&std::free)> hostName(host, &std::free);
    if (parsed == 0) {
      return;
    }
    xcb_connection_t* connection = x11->connection();
    const xcb_atom_t manager = InternAtom(connection, QByteArrayLiteral("MANAGER"));
    const xcb_atom_t selection =
        InternAtom(connection, "_NET_SYSTEM_TRAY_S" + QByteArray::number(screen));
    if (manager == XCB_ATOM_NONE || selection == XCB_ATOM_NONE) {
      return;
    }
    for (QTimer* timer : {&x11TrayAppeared, &x11TrayGone}) {
      timer->setSingleShot(true);
      timer->setInterval(0);
    }
    QObject::connect(&x11TrayAppeared, &QTimer::timeout, &context, [this] {
      if (shown.empty()) {
        HostRestarted();
      } else if (kind == TrayKind::X11 && X11TrayRunning()) {
        // Qt docks the icon there itself; the new manager's end is watched too.
        Act(reach.IconShown());
      }
    });
    QObject::connect(&x11TrayGone, &QTimer::timeout, &context, [this] {
      if (kind == TrayKind::X11) {
        Act(reach.TrayLost());
      }
    });
    x11Watcher = std::make_unique<X11TrayWatcher>(connection, manager, selection, x11TrayAppeared,
                                                  x11TrayGone);
    QCoreApplication::instance()->installNativeEventFilter(x11Watcher.get());
  }

  // A watcher may come before its host: the icon is added again when either
  // appears, and counts as gone with the watcher or its host.
  void WatchHost() {
    std::optional<QDBusConnection> bus = OpenBus(BusKind::Session).bus;
    if (!bus) {
      return;
    }
    hostWatcher = std::make_unique<QDBusServiceWatcher>(
        WatcherService(), *bus,
        QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration);
    QObject::connect(hostWatcher.get(), &QDBusServiceWatcher::serviceRegistered, &context,
                     [this](const QString& /*service*/) { HostRestarted(); });
    QObject::connect(hostWatcher.get(), &QDBusServiceWatcher::serviceUnregistered, &context,
                     [this](const QString& /*service*/) { HostGone(); });
    hostSignals = std::make_unique<HostSignals>([this](bool registered) {
      if (!registered) {
        HostGone();
      } else if (shown.empty()) {
        HostRestarted();
      } else if (kind == TrayKind::StatusNotifier) {
        // A host back with the same watcher (a panel restarting while the
        // session's watcher stays) reads the items the watcher kept.
        Act(reach.IconShown());
      }
    });
    const QString path = QStringLiteral("/StatusNotifierWatcher");
    bus->connect(WatcherService(), path, WatcherService(),
                 QStringLiteral("StatusNotifierHostRegistered"), hostSignals.get(),
                 SLOT(Registered()));
    bus->connect(WatcherService(), path, WatcherService(),
                 QStringLiteral("StatusNotifierHostUnregistered"), hostSignals.get(),
                 SLOT(Unregistered()));
  }

  void HostGone() {
    if (kind == TrayKind::StatusNotifier) {
      Act(reach.TrayLost());
    }
  }
};

TrayHost::TrayHost(Ui& ui) : state_(std::make_unique<State>(ui)) {
  state_->grace.setSingleShot(true);
  state_->grace.setInterval(kTrayGraceMilliseconds);
  QObject::connect(&state_->grace, &QTimer::timeout, &state_->context,
                   [this] { state_->Act(state_->reach.GraceOver()); });
}

TrayHost::~TrayHost() = default;

void TrayHost::SetEvents(UiEvents& events) {
  state_->events = &events;
  if (!state_->hostWatcher) {
    state_->WatchHost();
  }
  if (!state_->x11Watcher) {
    state_->WatchX11Tray();
  }
}

void TrayHost::OnWindowStandsIn(std::function<void(bool)> changed) {
  state_->windowStandsIn = std::move(changed);
}

bool TrayHost::IconShown() const {
  return state_->reach.IconShownNow();
}

void TrayHost::ShowMainWindow() {
  if (state_->events != nullptr) {
    const float x = static_cast<float>(kLeftDoubleClick) * state_->ui.Screen().twipsPerPixelX;
    state_->events->OnMouseMove(WindowId::AcercaDe, x, 0, false);
  }
}

std::int32_t TrayHost::Apply(std::uint32_t message, NotifyIconBytes record) {
  const auto data = DecodeNotifyIcon(record);
  if (!data) {
    return 0;
  }
  // Asked only for an add: the check may itself ask the session bus.
  const bool trayAvailable = message == kNimAdd && state_->TrayAvailable();
  const IconKey key{data->window, data->id};
  switch (state_->table.Apply(message, *data, trayAvailable)) {
    case IconChange::Refused:
      if (message == kNimAdd && !trayAvailable) {
        state_->Act(state_->reach.IconRefused());
      }
      return 0;
    case IconChange::Added:
      state_->Show(key, *state_->table.Find(key));
      state_->Act(state_->reach.IconShown());
      return 1;
    case IconChange::Modified:
      state_->Show(key, *state_->table.Find(key));
      return 1;
    case IconChange::Deleted:
      state_->shown.erase(key);
      return 1;
  }
  return 0;
}

}  // namespace nocturo::linux_desktop

#include "tray_host.moc"
