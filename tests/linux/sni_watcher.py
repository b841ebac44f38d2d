#!/usr/bin/python3
"""A StatusNotifierWatcher and host of our own, and a client to drive it.

  sni_watcher.py serve [HOST_AFTER] own org.kde.StatusNotifierWatcher on the
                                    session bus and say that a host is there
                                    (only HOST_AFTER seconds later, when given,
                                    with StatusNotifierHostRegistered then);
                                    one line per registration on stdout:
                                    "<unix time ns> <service> <path>"
  sni_watcher.py items              the registered items, "<ns> <service> <path>"
  sni_watcher.py tooltip            the first item's tooltip title
  sni_watcher.py title | status     the first item's Title / Status property
  sni_watcher.py icon               the first item's IconPixmap sizes, "WxH ..."
  sni_watcher.py signals            how many of each signal the items have
                                    sent, "<member> <count>" per line
  sni_watcher.py activate X Y       Activate(X, Y) on the first item
  sni_watcher.py menu X Y           ContextMenu(X, Y) on the first item
  sni_watcher.py menu-items         the first item's DBusMenu as a host reads
                                    it (AboutToShow, then GetLayout): one
                                    line per top-level entry, "<id> <label>"
  sni_watcher.py menu-click LABEL   Event(id, "clicked") on the entry of the
                                    first item's DBusMenu with that label
  sni_watcher.py host-gone          the watcher's host goes, the watcher stays
                                    (StatusNotifierHostUnregistered)
  sni_watcher.py host-back          a host registers with it again

The clients exit 1 with a message on stderr when there is no watcher or no
item; "items" prints nothing then.
"""

import os
import signal
import sys
import time

import dbus
import dbus.service

WATCHER = "org.kde.StatusNotifierWatcher"
WATCHER_PATH = "/StatusNotifierWatcher"
ITEM_IFACE = "org.kde.StatusNotifierItem"
TEST_IFACE = "org.nocturo.TestWatcher"
MENU_IFACE = "com.canonical.dbusmenu"


class Watcher(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, WATCHER_PATH)
        self._bus = bus
        self._items = []  # [(ns, service, path)], in registration order
        self._signals = {}  # member -> count, of every item's signals
        self._host_name = None
        self.host = False
        bus.add_signal_receiver(self._owner_changed, "NameOwnerChanged",
                                "org.freedesktop.DBus")
        # A host reads the item again on each of these: a new icon is its
        # whole picture.
        bus.add_signal_receiver(self._item_signal, dbus_interface=ITEM_IFACE,
                                member_keyword="member")

    # An item names itself by its bus name (Qt does this) or by its object
    # path on the caller's connection.
    @dbus.service.method(WATCHER, in_signature="s", out_signature="",
                         sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        if service.startswith("/"):
            service, path = sender, service
        else:
            path = "/StatusNotifierItem"
        owner = self._owner(service) or sender
        self._items = [i for i in self._items if i[1] != service]
        entry = (time.time_ns(), str(service), str(path), str(owner))
        self._items.append(entry)
        print(f"{entry[0]} {entry[1]} {entry[2]}", flush=True)
        self.StatusNotifierItemRegistered(f"{service}{path}")

    @dbus.service.method(WATCHER, in_signature="s", out_signature="")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, item):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemUnregistered(self, item):
        pass

    @dbus.service.signal(WATCHER, signature="")
    def StatusNotifierHostRegistered(self):
        pass

    @dbus.service.signal(WATCHER, signature="")
    def StatusNotifierHostUnregistered(self):
        pass

    def register_host(self):
        self._host_name = dbus.service.BusName(f"org.kde.StatusNotifierHost-{os.getpid()}",
                                               self._bus)
        self.host = True
        self.StatusNotifierHostRegistered()
        return False

    # As a panel's restart looks to a watcher that stays (Plasma's in kded):
    # its items are kept for the next host.
    @dbus.service.method(TEST_IFACE, in_signature="", out_signature="")
    def HostGone(self):
        if self._host_name is not None:
            self._host_name.get_bus().release_name(self._host_name.get_name())
            self._host_name = None
        self.host = False
        self.StatusNotifierHostUnregistered()

    @dbus.service.method(TEST_IFACE, in_signature="", out_signature="")
    def HostBack(self):
        self.register_host()

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.GetAll(interface)[name]

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        if interface != WATCHER:
            return {}
        return {
            "RegisteredStatusNotifierItems":
                dbus.Array([f"{i[1]}{i[2]}" for i in self._items], signature="s"),
            "IsStatusNotifierHostRegistered": dbus.Boolean(self.host),
            "ProtocolVersion": dbus.Int32(0),
        }

    # Qt reads the properties through an introspected proxy, so they must be
    # declared; dbus-python's own introspection leaves properties out.
    @dbus.service.method(dbus.INTROSPECTABLE_IFACE, in_signature="", out_signature="s",
                         path_keyword="object_path", connection_keyword="connection")
    def Introspect(self, object_path, connection):
        xml = super().Introspect(object_path, connection)
        properties = (
            '<property name="RegisteredStatusNotifierItems" type="as" access="read"/>'
            '<property name="IsStatusNotifierHostRegistered" type="b" access="read"/>'
            '<property name="ProtocolVersion" type="i" access="read"/>')
        return xml.replace(f'<interface name="{WATCHER}">',
                           f'<interface name="{WATCHER}">{properties}', 1)

    @dbus.service.method(TEST_IFACE, in_signature="", out_signature="a(tss)")
    def Items(self):
        return [(dbus.UInt64(i[0]), i[1], i[2]) for i in self._items]

    @dbus.service.method(TEST_IFACE, in_signature="", out_signature="a{su}")
    def Signals(self):
        return dbus.Dictionary(self._signals, signature="su")

    def _item_signal(self, *args, member=None):
        self._signals[member] = self._signals.get(member, 0) + 1

    def _owner(self, name):
        if name.startswith(":"):
            return str(name)
        try:
            return str(self._bus.get_name_owner(name))
        except dbus.DBusException:
            return None

    def _owner_changed(self, name, old, new):
        if new:
            return
        gone = [i for i in self._items if i[1] == name or i[3] == name]
        self._items = [i for i in self._items if i not in gone]
        for i in gone:
            self.StatusNotifierItemUnregistered(f"{i[1]}{i[2]}")


def serve(host_after=None):
    from dbus.mainloop.glib import DBusGMainLoop
    from gi.repository import GLib

    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    watcher = Watcher(bus)

    # The host first: an item looks for the watcher's name, then asks it
    # whether a host is there. A panel may also start its watcher first.
    if host_after is None:
        watcher.register_host()
    name = dbus.service.BusName(WATCHER, bus, do_not_queue=True)
    if host_after is not None:
        GLib.timeout_add(int(host_after * 1000), watcher.register_host)
    loop = GLib.MainLoop()
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGTERM, loop.quit)
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGINT, loop.quit)
    loop.run()
    del name


def fail(message):
    print(f"sni_watcher: {message}", file=sys.stderr)
    sys.exit(1)


def registered(bus):
    try:
        proxy = bus.get_object(WATCHER, WATCHER_PATH)
        return [(int(ns), str(s), str(p))
                for ns, s, p in proxy.Items(dbus_interface=TEST_IFACE)]
    except dbus.DBusException as error:
        fail(f"no watcher: {error.get_dbus_message()}")


def first_item(bus):
    items = registered(bus)
    if not items:
        fail("no item is registered")
    _, service, path = items[-1]
    return bus.get_object(service, path)


def item_property(bus, name):
    try:
        return first_item(bus).Get(ITEM_IFACE, name, dbus_interface=dbus.PROPERTIES_IFACE)
    except dbus.DBusException as error:
        fail(f"cannot read {name}: {error.get_dbus_message()}")


def item_menu(bus):
    path = str(item_property(bus, "Menu"))
    if path in ("", "/", "/NO_DBUSMENU"):
        fail(f"the item exports no menu (Menu is {path!r})")
    return first_item(bus).bus_name, path


def menu_entries(bus):
    """The top-level entries of the item's menu, as (id, properties)."""
    service, path = item_menu(bus)
    try:
        menu = bus.get_object(service, path)
        menu.AboutToShow(dbus.Int32(0), dbus_interface=MENU_IFACE)
        _, (_, _, children) = menu.GetLayout(dbus.Int32(0), dbus.Int32(-1),
                                             dbus.Array([], signature="s"),
                                             dbus_interface=MENU_IFACE)
    except dbus.DBusException as error:
        fail(f"cannot read the menu at {service} {path}: {error.get_dbus_message()}")
    entries = [(int(child[0]), dict(child[1])) for child in children]
    # What a host leaves out: separators and entries set invisible.
    return menu, [(i, p) for i, p in entries
                  if p.get("type", "standard") != "separator" and p.get("visible", True)]


def main(argv):
    if not argv:
        fail(__doc__)
    command, args = argv[0], argv[1:]
    if command == "serve":
        serve(float(args[0]) if args else None)
        return
    bus = dbus.SessionBus()
    if command == "items":
        for ns, service, path in registered(bus):
            print(ns, service, path)
    elif command == "tooltip":
        # (icon name, icon pixmaps, title, text)
        print(str(item_property(bus, "ToolTip")[2]))
    elif command in ("title", "status"):
        print(str(item_property(bus, command.capitalize())))
    elif command == "icon":
        pixmaps = item_property(bus, "IconPixmap")
        print(" ".join(f"{int(w)}x{int(h)}" for w, h, _ in pixmaps))
    elif command == "signals":
        try:
            counts = bus.get_object(WATCHER, WATCHER_PATH).Signals(dbus_interface=TEST_IFACE)
        except dbus.DBusException as error:
            fail(f"no watcher: {error.get_dbus_message()}")
        for member, count in sorted(counts.items()):
            print(member, int(count))
    elif command == "menu-items":
        for entry_id, properties in menu_entries(bus)[1]:
            print(entry_id, str(properties.get("label", "")))
    elif command == "menu-click":
        if not args:
            fail("menu-click needs a label")
        menu, entries = menu_entries(bus)
        ids = [i for i, p in entries if str(p.get("label", "")) == args[0]]
        if not ids:
            fail(f"no entry \"{args[0]}\" in the menu: {[str(p.get('label')) for _, p in entries]}")
        try:
            menu.Event(dbus.Int32(ids[0]), "clicked", dbus.Int32(0), dbus.UInt32(0),
                       dbus_interface=MENU_IFACE, signature="isvu")
        except dbus.DBusException as error:
            fail(f"Event clicked failed: {error.get_dbus_message()}")
    elif command in ("host-gone", "host-back"):
        method = "HostGone" if command == "host-gone" else "HostBack"
        try:
            getattr(bus.get_object(WATCHER, WATCHER_PATH), method)(dbus_interface=TEST_IFACE)
        except dbus.DBusException as error:
            fail(f"no watcher: {error.get_dbus_message()}")
    elif command in ("activate", "menu"):
        x, y = (int(a) for a in (args + ["0", "0"])[:2])
        method = "Activate" if command == "activate" else "ContextMenu"
        try:
            getattr(first_item(bus), method)(dbus.Int32(x), dbus.Int32(y),
                                            dbus_interface=ITEM_IFACE)
        except dbus.DBusException as error:
            fail(f"{method} failed: {error.get_dbus_message()}")
    else:
        fail(f"unknown command {command}\n{__doc__}")


if __name__ == "__main__":
    main(sys.argv[1:])
