#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Presses key combinations in the focused Wayland window through the RemoteDesktop portal,
as a user's keyboard would: the end-to-end tests' xdotool for a Wayland session.

    wayland_keys.py ctrl+n Return ...
"""
import sys

import dbus
import dbus.mainloop.glib
from gi.repository import GLib

PORTAL = "org.freedesktop.portal.Desktop"
PATH = "/org/freedesktop/portal/desktop"
REMOTE = "org.freedesktop.portal.RemoteDesktop"

# Linux evdev key codes (linux/input-event-codes.h).
KEYS = {"ctrl": 29, "shift": 42, "alt": 56, "super": 125, "return": 28, "escape": 1, "tab": 15, "space": 57}
KEYS.update(zip("1234567890", range(2, 12)))
KEYS.update(zip("qwertyuiop", range(16, 26)))
KEYS.update(zip("asdfghjkl", range(30, 39)))
KEYS.update(zip("zxcvbnm", range(44, 51)))


def main(combinations):
    for combination in combinations:
        for name in combination.split("+"):
            if name.lower() not in KEYS:
                sys.exit(f"wayland_keys: unknown key {name!r}")
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    portal = dbus.Interface(bus.get_object(PORTAL, PATH), REMOTE)
    sender = bus.get_unique_name()[1:].replace(".", "_")
    counter = [0]

    def request(method, *arguments):
        counter[0] += 1
        token = f"keys{counter[0]}"
        answer = {}
        loop = GLib.MainLoop()

        def responded(code, results):
            answer.update(code=int(code), results=results)
            loop.quit()

        bus.add_signal_receiver(responded, "Response", "org.freedesktop.portal.Request",
                                path=f"/org/freedesktop/portal/desktop/request/{sender}/{token}")
        options = dict(arguments[-1], handle_token=token)
        getattr(portal, method)(*arguments[:-1], options)
        GLib.timeout_add(10000, loop.quit)
        loop.run()
        if answer.get("code") != 0:
            sys.exit(f"wayland_keys: {method} answered {answer.get('code', 'nothing')}")
        return answer["results"]

    session = request("CreateSession", {"session_handle_token": "keys"})["session_handle"]
    request("SelectDevices", session, {"types": dbus.UInt32(1)})
    request("Start", session, "", {})
    for combination in combinations:
        codes = [KEYS[name.lower()] for name in combination.split("+")]
        for code, state in [(c, 1) for c in codes] + [(c, 0) for c in reversed(codes)]:
            portal.NotifyKeyboardKeycode(session, {}, dbus.Int32(code), dbus.UInt32(state))
            GLib.usleep(15000)
        GLib.usleep(100000)
    dbus.Interface(bus.get_object(PORTAL, session), "org.freedesktop.portal.Session").Close()


if __name__ == "__main__":
    main(sys.argv[1:])
