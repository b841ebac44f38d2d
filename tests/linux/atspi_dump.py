#!/usr/bin/python3
"""The accessible tree of one program's windows, as a screen reader sees it.

  atspi_dump.py PID                    one line per object, indented by depth:
                                       role "name" [states] @x,y wxh
  atspi_dump.py PID --json             the same as a JSON list
  atspi_dump.py PID --check-names      exit 1 listing every control (button,
                                       option, check box, text box, group,
                                       menu item) whose name is empty
  atspi_dump.py PID --press ROLE NAME  runs the first action of the showing
                                       object with that role and name
  atspi_dump.py PID --set-text ROLE NAME TEXT
                                       writes TEXT as its whole text, as a
                                       screen reader's setTextContents does,
                                       and prints the text it then holds
  atspi_dump.py PID --popup SECONDS [--press|--click ITEM]
                                       prints "listening", waits for a popup
                                       menu to show, prints its tree, and
                                       chooses ITEM in it: --press through
                                       its accessible action, as a screen
                                       reader does, --click with the pointer
                                       at its middle (xdotool); exit 1 when
                                       no menu showed within SECONDS

Only showing windows are listed. Qt keeps popup menus out of the
application's children: a screen reader learns of them from the event that
they show, and so does --popup. Exit 2 when the program is
not (yet) on the accessibility bus.
"""

import json
import subprocess
import sys

import pyatspi

# What a screen reader announces as something to operate or a group of them.
CONTROL_ROLES = {
    "push button", "toggle button", "radio button", "check box", "text", "entry",
    "password text", "spin button", "combo box", "menu item", "panel", "grouping",
    "frame", "dialog", "window", "popup menu", "menu", "scroll pane",
}
# Parts of a control that carry no name of their own on any toolkit.
UNNAMED_OK = {"filler", "scroll bar", "label", "unknown", "layered pane", "viewport",
              "redundant object", "separator", "image", "icon"}


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except Exception:  # an application that went away while we looked
            continue
    return None


def describe(obj, depth):
    states = sorted(pyatspi.stateToString(s) for s in obj.getState().getStates())
    try:
        box = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        extents = (box.x, box.y, box.width, box.height)
    except NotImplementedError:
        extents = None
    return {"depth": depth, "role": obj.getRoleName(), "name": obj.name or "",
            "states": states, "extents": extents, "object": obj}


def walk(obj, depth=0, out=None):
    out = [] if out is None else out
    entry = describe(obj, depth)
    out.append(entry)
    for i in range(obj.childCount):
        child = obj.getChildAtIndex(i)
        if child is not None:
            walk(child, depth + 1, out)
    return out


def showing_windows(app):
    windows = []
    for i in range(app.childCount):
        window = app.getChildAtIndex(i)
        if window is not None and window.getState().contains(pyatspi.STATE_SHOWING):
            windows.append(window)
    return windows


def print_entries(entries):
    for e in entries:
        extents = "@%d,%d %dx%d" % e["extents"] if e["extents"] else ""
        print(f"{'  ' * e['depth']}{e['role']} \"{e['name']}\" [{' '.join(e['states'])}] {extents}",
              flush=True)


def wait_for_popup(pid, seconds, how, item):
    from gi.repository import GLib

    outcome = {"status": 1}

    def choose(popup):
        entries = walk(popup)
        print_entries(entries)
        outcome["status"] = 0
        if item is not None:
            outcome["status"] = 1
            for e in entries:
                if e["role"] == "menu item" and e["name"] == item:
                    if how == "--press":
                        e["object"].queryAction().doAction(0)
                    else:
                        x, y, w, h = e["extents"]
                        subprocess.run(["xdotool", "mousemove", str(x + w // 2), str(y + h // 2),
                                        "click", "1"], check=True)
                    print(f"chose \"{item}\" ({how[2:]})", flush=True)
                    outcome["status"] = 0
                    break
            else:
                print(f"no menu item \"{item}\"", flush=True)
        pyatspi.Registry.stop()
        return False

    def on_event(event):
        try:
            source = event.source
            if (event.detail1 == 1 and source.getRoleName() == "popup menu"
                    and source.get_process_id() == pid):
                GLib.idle_add(choose, source)
        except Exception:  # the source went away meanwhile
            pass

    pyatspi.Registry.registerEventListener(on_event, "object:state-changed:showing")
    GLib.timeout_add(int(seconds * 1000), lambda: pyatspi.Registry.stop())
    print("listening", flush=True)
    pyatspi.Registry.start()
    return outcome["status"]


def main(argv):
    if not argv or not argv[0].isdigit():
        print(__doc__, file=sys.stderr)
        return 2
    options = argv[1:]
    if options[:1] == ["--popup"]:
        how, item = (options[2:4] + [None, None])[:2]
        return wait_for_popup(int(argv[0]), float(options[1]), how, item)
    app = application(int(argv[0]))
    if app is None:
        print(f"atspi_dump: PID {argv[0]} is not on the accessibility bus", file=sys.stderr)
        return 2
    entries = []
    for window in showing_windows(app):
        entries.extend(walk(window))
    if options[:1] in (["--press"], ["--set-text"]):
        role, name = options[1], options[2]
        for entry in entries:
            if entry["role"] == role and entry["name"] == name and "showing" in entry["states"]:
                if options[0] == "--press":
                    entry["object"].queryAction().doAction(0)
                    return 0
                entry["object"].queryEditableText().setTextContents(options[3])
                print(entry["object"].queryText().getText(0, -1), flush=True)
                return 0
        print(f"atspi_dump: no showing {role} \"{name}\"", file=sys.stderr)
        return 1
    if options[:1] == ["--check-names"]:
        unnamed = [e for e in entries
                   if not e["name"].strip() and e["role"] in CONTROL_ROLES
                   and e["role"] not in UNNAMED_OK and e["depth"] > 0 or
                   (e["depth"] == 0 and not e["name"].strip())]
        for e in unnamed:
            print(f"unnamed {e['role']} at depth {e['depth']}, extents {e['extents']}")
        return 1 if unnamed or not entries else 0
    if options[:1] == ["--json"]:
        for entry in entries:
            del entry["object"]
        json.dump(entries, sys.stdout, ensure_ascii=False, indent=1)
        print()
        return 0
    print_entries(entries)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
