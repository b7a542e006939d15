#!/usr/bin/python3
"""The sheet view as a screen reader reads it, from outside the program.

Run inside a private D-Bus session (dbus-run-session). Starts an X server on
a free display, the accessibility bus, and the real program on a workbook
made by `tgc build`, then reads the program's accessibility tree through
AT-SPI: a 5 x 5 table whose cells are named by the sheet's words, the focused
cell on the selected box; an arrow key moves the focused cell, with the focus
event a screen reader speaks from; a word typed into a box renames its cell,
with its name-change event. With --dump it prints the tree it read.

Usage: atspi_test.py PROGRAM TGC [--dump]
"""
import json
import os
import subprocess
import sys
import tempfile
import time

WORDS = ["発想", "替え芯", "インク", "軸", "ばね",
         "キャップ", "香り", "色", "重さ", "長さ",
         "グリップ", "透明", "ボールペン", "クリップ", "紙",
         "机", "手帳", "名前", "先端", "ゴム",
         "鉛筆", "消しゴム", "定規", "封筒", "切手"]
TYPED = "kami"

program_log = None  # the program's standard error, shown when the test fails


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    if program_log and os.path.exists(program_log):
        with open(program_log, encoding="utf-8", errors="replace") as f:
            print("The program said:\n" + f.read()[-3000:], file=sys.stderr)
    sys.exit(1)


def wait_for(what, probe, seconds=20):
    end = time.monotonic() + seconds
    while True:
        pump_events()
        value = probe()
        if value:
            return value
        if time.monotonic() > end:
            fail("timed out waiting for " + what)
        time.sleep(0.1)


heard = []  # (event type, detail1, index of the source in its parent)


def pump_events():
    """Delivers the accessibility events that have arrived."""
    if "pyatspi" in sys.modules:
        from gi.repository import GLib
        context = GLib.MainContext.default()
        while context.iteration(False):
            pass


def listen(event):
    try:
        heard.append((event.type, event.detail1, event.source.getIndexInParent()))
    except Exception:  # a source gone meanwhile
        pass


def heard_of(kind, detail1, index):
    return (kind, detail1, index) in heard


def make_workbook(tgc, folder):
    """A new workbook whose first sheet has a word in every box."""
    new = os.path.join(folder, "new.tgc")
    subprocess.run([tgc, "new", new], check=True)
    book = json.loads(subprocess.run([tgc, "dump", new], check=True, capture_output=True).stdout)
    book["words"] = [{"hasMemo": 0, "text": w} for w in WORDS]
    for box in book["sheets"][0]["boxes"]:
        box["word"] = box["row"] * 5 + box["column"]
    source = os.path.join(folder, "filled.json")
    with open(source, "w", encoding="utf-8") as f:
        json.dump(book, f, ensure_ascii=False)
    path = os.path.join(folder, "filled.tgc")
    subprocess.run([tgc, "build", source, path], check=True)
    return path


def start_x_server():
    """Xvfb on the first free display, as it reports it."""
    read_end, write_end = os.pipe()
    # No reset when the last client leaves: a server resetting turns clients
    # away and forgets the accessibility bus's address on its root window.
    # Only the abstract socket: a server that tries a display number another
    # one holds would delete that one's socket file.
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                               "-noreset", "-nolisten", "tcp", "-nolisten", "unix"], pass_fds=[write_end],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as f:
        number = f.readline().strip()
    if not number:
        fail("Xvfb did not start")
    display = ":" + number
    # It names the display before it takes clients.
    wait_for("the X server to take clients",
             lambda: subprocess.run(["xdotool", "getdisplaygeometry"], env=dict(os.environ, DISPLAY=display),
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0)
    return server, display


def session_bus_has(name):
    from gi.repository import Gio, GLib
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    reply = bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                          "NameHasOwner", GLib.Variant("(s)", (name,)), GLib.VariantType("(b)"),
                          Gio.DBusCallFlags.NONE, -1, None)
    return reply.unpack()[0]


def find_application(pyatspi, name):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == name:
            return app
    return None


def find_role(pyatspi, root, role):
    return pyatspi.findDescendant(root, lambda a: a is not None and a.getRole() == role)


def cells(table):
    t = table.queryTable()
    return [[t.getAccessibleAt(r, c) for c in range(t.nColumns)] for r in range(t.nRows)]


def focused_cell(pyatspi, table):
    """(row, column) of the one focused cell, or None."""
    table.clearCache()
    found = [(r, c) for r, row in enumerate(cells(table)) for c, cell in enumerate(row)
             if cell.getState().contains(pyatspi.STATE_FOCUSED)]
    return found[0] if len(found) == 1 else None


def dump(pyatspi, node, depth=0):
    if node is None or depth > 12:
        return
    states = node.getState()
    shown = "" if states.contains(pyatspi.STATE_SHOWING) or depth < 2 else " (hidden)"
    focus = " [focused]" if states.contains(pyatspi.STATE_FOCUSED) else ""
    description = " — " + node.description if node.description else ""
    print("  " * depth + "%s \"%s\"%s%s%s" % (node.getRoleName(), node.name, description, focus, shown))
    for i in range(node.childCount):
        dump(pyatspi, node.getChildAtIndex(i), depth + 1)


def main():
    if len(sys.argv) < 3:
        fail(__doc__)
    program, tgc = sys.argv[1], sys.argv[2]
    if "DBUS_SESSION_BUS_ADDRESS" not in os.environ:
        fail("run me inside dbus-run-session")
    processes = []
    with tempfile.TemporaryDirectory() as folder:
        try:
            workbook = make_workbook(tgc, folder)
            server, display = start_x_server()
            processes.append(server)
            os.environ["DISPLAY"] = display
            # The bus's socket goes in the runtime folder: a private one, so
            # that runs side by side keep to their own.
            runtime = os.path.join(folder, "runtime")
            os.mkdir(runtime, 0o700)
            os.environ["XDG_RUNTIME_DIR"] = runtime
            # Its registry outlives it and complains when the X server goes.
            processes.append(subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                              stderr=subprocess.DEVNULL))
            # Until it owns its name, a reader or the program asking for the
            # bus would have the session start a second one.
            wait_for("the accessibility bus", lambda: session_bus_has("org.a11y.Bus"))
            env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                       HOME=folder, XDG_CONFIG_HOME=os.path.join(folder, "config"),
                       XDG_STATE_HOME=os.path.join(folder, "state"), LANG="C.UTF-8")
            global program_log
            program_log = os.path.join(folder, "program.log")
            with open(program_log, "w") as log:
                app_process = subprocess.Popen([program, workbook], env=env, stderr=log)
            processes.append(app_process)

            import pyatspi  # after DISPLAY and the bus exist
            app = wait_for("the program on the accessibility bus",
                           lambda: find_application(pyatspi, "ThoughtGridCraft"))
            table = wait_for("the sheet table", lambda: find_role(pyatspi, app, pyatspi.ROLE_TABLE))
            pyatspi.Registry.registerEventListener(listen, "object:state-changed:focused",
                                                   "object:property-change:accessible-name")
            t = table.queryTable()
            if (t.nRows, t.nColumns) != (5, 5):
                fail("table is %d x %d" % (t.nRows, t.nColumns))
            names = [[cell.name for cell in row] for row in cells(table)]
            expected = [WORDS[r * 5:r * 5 + 5] for r in range(5)]
            if names != expected:
                fail("cell names %s, expected %s" % (names, expected))

            # The keyboard goes to the program's window.
            window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid",
                                     str(app_process.pid)], check=True, capture_output=True,
                                    text=True).stdout.split()[0]
            subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
            start = wait_for("a focused cell", lambda: focused_cell(pyatspi, table))
            if start != (2, 2):
                fail("focused cell %s, the selected box is the theme (2, 2)" % (start,))
            if "--dump" in sys.argv:
                dump(pyatspi, app)

            moved_to = 2 * 5 + 3
            subprocess.run(["xdotool", "key", "Right"], check=True)
            wait_for("the focus to move right", lambda: focused_cell(pyatspi, table) == (2, 3))
            wait_for("the focus event of the cell it moved to",
                     lambda: heard_of("object:state-changed:focused", 1, moved_to))

            subprocess.run(["xdotool", "key", "Return", "ctrl+a"], check=True)
            subprocess.run(["xdotool", "type", TYPED], check=True)
            subprocess.run(["xdotool", "key", "Return"], check=True)
            cell = t.getAccessibleAt(2, 3)

            def renamed():
                cell.clearCache()
                return cell.name == TYPED
            wait_for("the cell to be named " + TYPED, renamed)
            wait_for("the name-change event of the cell",
                     lambda: heard_of("object:property-change:accessible-name", 0, moved_to))
            print("PASS: 25 cells named by their words; focus follows the arrow; the typed word names its cell")
        finally:
            for p in reversed(processes):
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()


if __name__ == "__main__":
    main()
