#!/usr/bin/python3
"""A system tray manager of our own for X11, as the XEmbed tray panels are.

  xembed_tray.py [SCREEN]   own _NET_SYSTEM_TRAY_S<SCREEN> (default 0) on
                            $DISPLAY, announce it to the clients, and dock
                            every icon that asks; one line per event on
                            stdout:
                              "manager 0x<window>"   the selection is ours
                              "docked 0x<icon> X,Y WxH"  an icon is embedded
                                                     (its place on the screen)
                              "undocked 0x<icon>"    it went away or left

Icons sit side by side, 24x24, from the screen's top-left corner, in an
override-redirect window: no window manager is needed. Icons are in our
save-set, so they survive this manager's death as top-level windows, and the
clients dock them again with the next manager. Exits on SIGTERM or when
another manager takes the selection.
"""

import signal
import sys

from Xlib import X, Xatom, display
from Xlib.protocol import event

ICON = 24
REQUEST_DOCK = 0
XEMBED_EMBEDDED_NOTIFY = 0


def say(line):
    print(line, flush=True)


class Tray:
    def __init__(self, screen_number):
        self.d = display.Display()
        self.screen = self.d.screen(screen_number)
        self.root = self.screen.root
        atom = self.d.intern_atom
        self.selection = atom(f"_NET_SYSTEM_TRAY_S{screen_number}")
        self.opcode = atom("_NET_SYSTEM_TRAY_OPCODE")
        self.xembed = atom("_XEMBED")
        self.manager_atom = atom("MANAGER")
        self.icons = []  # windows, in docking order: their slots
        self.window = self.root.create_window(
            0, 0, ICON, ICON, 0, self.screen.root_depth, X.InputOutput, X.CopyFromParent,
            background_pixel=self.screen.black_pixel, override_redirect=True,
            event_mask=X.PropertyChangeMask | X.SubstructureNotifyMask)
        self.window.change_property(atom("_NET_SYSTEM_TRAY_ORIENTATION"), Xatom.CARDINAL, 32,
                                    [0])  # horizontal
        self.window.map()

    def now(self):
        # A server time for the selection: the one of a property change of ours.
        self.window.change_property(Xatom.WM_NAME, Xatom.STRING, 8, b"xembed_tray")
        while True:
            e = self.d.next_event()
            if e.type == X.PropertyNotify and e.window == self.window:
                return e.time

    def acquire(self):
        time = self.now()
        self.window.set_selection_owner(self.selection, time)
        if self.d.get_selection_owner(self.selection) != self.window:
            sys.exit("xembed_tray: another manager holds the selection")
        self.root.send_event(event.ClientMessage(
            window=self.root, client_type=self.manager_atom,
            data=(32, [time, self.selection, self.window.id, 0, 0])),
            event_mask=X.StructureNotifyMask)
        self.d.flush()
        say(f"manager 0x{self.window.id:x}")

    def layout(self):
        self.window.configure(width=ICON * max(1, len(self.icons)), height=ICON,
                              stack_mode=X.Above)
        for slot, icon in enumerate(self.icons):
            icon.configure(x=slot * ICON, y=0, width=ICON, height=ICON)

    def dock(self, wid, time):
        icon = self.d.create_resource_object("window", wid)
        if any(i.id == wid for i in self.icons):
            return
        try:
            icon.get_geometry()  # a window already gone fails here, not later
            icon.change_attributes(event_mask=X.StructureNotifyMask)
            icon.change_save_set(X.SetModeInsert)
            icon.reparent(self.window, len(self.icons) * ICON, 0)
            self.icons.append(icon)
            self.layout()
            icon.send_event(event.ClientMessage(
                window=icon, client_type=self.xembed,
                data=(32, [time, XEMBED_EMBEDDED_NOTIFY, 0, self.window.id, 0])))
            icon.map()
            self.d.sync()
        except Exception as error:  # the icon's window went away meanwhile
            self.forget(wid)
            print(f"xembed_tray: cannot dock 0x{wid:x}: {error}", file=sys.stderr, flush=True)

    def forget(self, wid):
        before = len(self.icons)
        self.icons = [i for i in self.icons if i.id != wid]
        if len(self.icons) != before:
            say(f"undocked 0x{wid:x}")
            self.layout()

    def run(self):
        self.acquire()
        while True:
            e = self.d.next_event()
            if e.type == X.ClientMessage and e.client_type == self.opcode:
                fmt, data = e.data
                if data[1] == REQUEST_DOCK:
                    self.dock(data[2], data[0])
            elif e.type == X.ReparentNotify and e.event == self.window:
                if e.parent == self.window:
                    # Told once the icon is really ours: its place on the screen.
                    g = e.window.get_geometry()
                    at = self.root.translate_coords(e.window, 0, 0)
                    say(f"docked 0x{e.window.id:x} {at.x},{at.y} {g.width}x{g.height}")
                else:
                    self.forget(e.window.id)
            elif e.type == X.DestroyNotify:
                self.forget(e.window.id)
            elif e.type == X.SelectionClear and e.atom == self.selection:
                sys.exit("xembed_tray: another manager took the selection")


def main(argv):
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    Tray(int(argv[0]) if argv else 0).run()


if __name__ == "__main__":
    main(sys.argv[1:])
