#!/usr/bin/python3
"""What a desktop's tray host knows and does, asked over the session bus.

  host.py item PID                the item of process PID that the desktop's
                                  StatusNotifierWatcher lists: "SERVICE PATH"
  host.py activate PID X Y        Activate(X, Y) on it, as a host's left click
  host.py menu PID                its DBusMenu's top-level items, one label a
                                  line, as a host that draws the menu reads
                                  them (AboutToShow, then GetLayout)
  host.py choose PID LABEL        the "clicked" event a host sends for the
                                  menu item whose label (mnemonics taken out)
                                  is LABEL
  host.py gnome-shot FILE         a screenshot through GNOME Shell
  host.py kwin-shot FILE          a screenshot through KWin (written as raw
                                  pixels to FILE.rgba, with FILE.size "WxH")

Exits 1 with a message on stderr when the host, the item or its menu is not
there.
"""

import os
import sys
import time

import dbus

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM_IFACE = "org.kde.StatusNotifierItem"
MENU_IFACE = "com.canonical.dbusmenu"


def fail(message):
    print(f"host.py: {message}", file=sys.stderr)
    sys.exit(1)


def split_item(entry):
    # ":1.14@/StatusNotifierItem" (GNOME's extension), "SERVICE/PATH" (KDE's).
    if "@" in entry:
        service, path = entry.split("@", 1)
    elif "/" in entry:
        service, path = entry[: entry.index("/")], entry[entry.index("/"):]
    else:
        service, path = entry, "/StatusNotifierItem"
    return service, path


def find_item(bus, pid):
    try:
        watcher = bus.get_object(WATCHER, "/StatusNotifierWatcher")
        entries = watcher.Get(WATCHER, "RegisteredStatusNotifierItems",
                              dbus_interface=dbus.PROPERTIES_IFACE)
    except dbus.DBusException as error:
        fail(f"no StatusNotifierWatcher: {error.get_dbus_message()}")
    daemon = bus.get_object("org.freedesktop.DBus", "/org/freedesktop/DBus")
    for entry in entries:
        service, path = split_item(str(entry))
        try:
            owner_pid = int(daemon.GetConnectionUnixProcessID(service))
        except dbus.DBusException:
            continue
        if owner_pid == pid:
            return service, path
    fail(f"the watcher lists no item of PID {pid}: {[str(e) for e in entries]}")


def item_menu(bus, pid):
    service, path = find_item(bus, pid)
    item = bus.get_object(service, path)
    menu_path = str(item.Get(ITEM_IFACE, "Menu", dbus_interface=dbus.PROPERTIES_IFACE))
    if not menu_path or menu_path == "/NO_DBUSMENU":
        fail(f"the item exports no menu (Menu is {menu_path or 'empty'}): a host that draws "
             "the item's DBusMenu (GNOME's extension, Xfce's panel) shows none of its items")
    return bus.get_object(service, menu_path)


def menu_items(menu):
    try:
        menu.AboutToShow(dbus.Int32(0), dbus_interface=MENU_IFACE)
    except dbus.DBusException:
        pass  # optional for a menu
    _, (_, _, children) = menu.GetLayout(dbus.Int32(0), dbus.Int32(1), dbus.Array([], "s"),
                                         dbus_interface=MENU_IFACE)
    items = []
    for child in children:
        ident, props, _ = child
        if props.get("visible", True) and props.get("type", "standard") != "separator":
            items.append((int(ident), str(props.get("label", ""))))
    return items


def plain(label):
    # DBusMenu marks a mnemonic with "_" and doubles a literal one.
    return label.replace("__", "\0").replace("_", "").replace("\0", "_")


def gnome_shot(bus, path):
    # GNOME Shell answers only callers that own this name.
    bus.request_name("org.gnome.Screenshot", dbus.bus.NAME_FLAG_DO_NOT_QUEUE)
    shell = bus.get_object("org.gnome.Shell.Screenshot", "/org/gnome/Shell/Screenshot")
    ok, _ = shell.Screenshot(False, False, path, dbus_interface="org.gnome.Shell.Screenshot")
    if not ok:
        fail("GNOME Shell took no screenshot")


def kwin_shot(bus, path):
    read_end, write_end = os.pipe()
    kwin = bus.get_object("org.kde.KWin", "/org/kde/KWin/ScreenShot2")
    result = kwin.CaptureActiveScreen({"native-resolution": True}, dbus.types.UnixFd(write_end),
                                      dbus_interface="org.kde.KWin.ScreenShot2")
    os.close(write_end)
    with open(path + ".rgba", "wb") as out:
        while chunk := os.read(read_end, 1 << 20):
            out.write(chunk)
    with open(path + ".size", "w", encoding="ascii") as out:
        out.write(f"{int(result['width'])}x{int(result['height'])}\n")


def main(argv):
    if len(argv) < 2:
        fail(__doc__)
    command, args = argv[0], argv[1:]
    bus = dbus.SessionBus()
    if command == "gnome-shot":
        gnome_shot(bus, args[0])
        return
    if command == "kwin-shot":
        kwin_shot(bus, args[0])
        return
    pid = int(args[0])
    try:
        if command == "item":
            print(*find_item(bus, pid))
        elif command == "activate":
            service, path = find_item(bus, pid)
            bus.get_object(service, path).Activate(dbus.Int32(int(args[1])), dbus.Int32(int(args[2])),
                                                   dbus_interface=ITEM_IFACE)
        elif command == "menu":
            for _, label in menu_items(item_menu(bus, pid)):
                print(plain(label))
        elif command == "choose":
            menu = item_menu(bus, pid)
            matches = [ident for ident, label in menu_items(menu) if plain(label) == args[1]]
            if not matches:
                fail(f"the menu has no item \"{args[1]}\"")
            menu.Event(dbus.Int32(matches[0]), "clicked", dbus.Int32(0, variant_level=1),
                       dbus.UInt32(int(time.time()) & 0xFFFFFFFF), dbus_interface=MENU_IFACE)
        else:
            fail(f"unknown command {command}\n{__doc__}")
    except dbus.DBusException as error:
        fail(f"{command}: {error.get_dbus_message()}")


if __name__ == "__main__":
    main(sys.argv[1:])
