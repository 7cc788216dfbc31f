# SPDX-License-Identifier: GPL-3.0-or-later
# A GTK text field in a process of its own, titled by its argument, that prints its text on
# every change: a paste target outside Qt, with GTK's own shortcut handling.
import sys

import gi

gi.require_version("Gtk", "3.0")
from gi.repository import Gtk  # noqa: E402

window = Gtk.Window(title=sys.argv[1] if len(sys.argv) > 1 else "gtk-paste-target")
entry = Gtk.Entry()
entry.connect("changed", lambda field: print(field.get_text(), flush=True))
window.add(entry)
window.connect("destroy", Gtk.main_quit)
window.show_all()
Gtk.main()
