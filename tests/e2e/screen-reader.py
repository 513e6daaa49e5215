#!/usr/bin/python3
# The listening half of a screen reader, on the accessibility bus of the D-Bus session it runs in.
#
# It tells the session that a screen reader runs (as one does when it starts, which starts the
# accessibility bus and makes the programs speak on it), writes "ready", then writes on its standard
# output, one a line, what a screen reader announces:
#   focus | ROLE | NAME | DESCRIPTION | VALUE | STATES   an object takes the focus
#   window | ...  or  alert | ...                         another window, or a message box, becomes
#                                                         the active one
#   menu | ...                                            a pop-up menu shows
# VALUE is what is read after the name: a text's text, a combo box's text, a list's number of
# items, a message box's message. STATES are the states a reader speaks. A focus announcement that
# repeats the one just said, or the activation of the window already active, is not said again.
# On SIGUSR1 it walks the window of the program "ostrevan-host" as a reader reviews it, and writes
# one line per object (two spaces of indentation per level; a combo box with its items, its
# selected item and its actions; a list with its rows), then "end".
import signal
import sys

import pyatspi
from gi.repository import Gio, GLib

SPOKEN_STATES = [(name, getattr(pyatspi, "STATE_" + name.upper())) for name in
                 ("editable", "expandable", "expanded", "focusable", "focused", "selected")]
TEXT_ROLES = ("text", "password text", "entry")
last_said = None
active_window = None


def children(acc):
    return [acc.getChildAtIndex(i) for i in range(acc.childCount)]


def text_of(acc):
    try:
        return acc.queryText().getText(0, -1)
    except NotImplementedError:
        return ""


def value_of(acc):
    role = acc.getRoleName()
    if role in TEXT_ROLES:
        return text_of(acc)
    if role == "combo box":
        return " ".join(text_of(child) for child in children(acc) if child.getRoleName() == "text")
    if role == "list":
        return str(acc.childCount)
    if role == "alert":
        return " ".join(child.name for child in walk_all(acc)
                        if child.getRoleName() == "label" and child.name)
    return ""


def walk_all(acc):
    for child in children(acc):
        yield child
        yield from walk_all(child)


def states_of(acc):
    held = acc.getState()
    spoken = [name for name, state in SPOKEN_STATES if held.contains(state)]
    if not held.contains(pyatspi.STATE_SENSITIVE):
        spoken.append("unavailable")
    return " ".join(spoken)


def describe(acc):
    return " | ".join(
        [acc.getRoleName(), acc.name, acc.description, value_of(acc), states_of(acc)])


def say(kind, acc):
    global last_said
    last_said = kind + " | " + describe(acc)
    print(last_said, flush=True)


def on_focus(event):
    if event.detail1 == 1 and "focus | " + describe(event.source) != last_said:
        say("focus", event.source)


def on_activate(event):
    global active_window
    if event.source == active_window:
        return
    active_window = event.source
    say("alert" if event.source.getRoleName() == "alert" else "window", event.source)


def on_showing(event):
    if event.detail1 == 1 and event.source.getRoleName() == "popup menu":
        say("menu", event.source)


def combo_summary(combo):
    items = children(children(combo)[0])
    selected = [item.name for item in items if item.getState().contains(pyatspi.STATE_SELECTED)]
    action = combo.queryAction()
    actions = [action.getName(i) for i in range(action.nActions)]
    return "%d items, selected %s, actions %s" % (len(items), ", ".join(selected) or "none",
                                                   " ".join(actions))


def walk(acc, depth):
    line = "  " * depth + describe(acc)
    role = acc.getRoleName()
    if role == "combo box":
        print(line + " | " + combo_summary(acc))
        return
    print(line)
    for child in children(acc):
        if role == "list":
            print("  " * (depth + 1) + describe(child))
        else:
            walk(child, depth + 1)


def walk_program():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "ostrevan-host":
            for window in children(app):
                walk(window, 0)
    print("end", flush=True)
    return GLib.SOURCE_CONTINUE


def ready():
    print("ready", flush=True)
    return GLib.SOURCE_REMOVE


def announce_screen_reader():
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                  GLib.Variant("(ssv)", ("org.a11y.Status", "ScreenReaderEnabled",
                                         GLib.Variant("b", True))),
                  None, Gio.DBusCallFlags.NONE, -1, None)


def main():
    announce_screen_reader()
    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    pyatspi.Registry.registerEventListener(on_activate, "window:activate")
    pyatspi.Registry.registerEventListener(on_showing, "object:state-changed:showing")
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGUSR1, walk_program)
    GLib.idle_add(ready)
    pyatspi.Registry.start()
    return 0


if __name__ == "__main__":
    sys.exit(main())
