#!/usr/bin/python3
"""Drives the real program through the platform accessibility bus, as a screen reader would.

Starts a private X server (no window manager) and a private D-Bus session with the accessibility
bus, starts the program in a fresh working directory, opens a client with the keyboard, switches
"Automat" on through its accessible action, types kilometres and a rate into the mileage grid,
reads the amount and the sum back from the accessibility tree, leaves with "Powrót" and checks the
bytes of the year's ".prz" file. Then it opens the operating costs, clicks "Data", types the kind
of the invoice with the keyboard that stayed on the grid, leaves with Escape and finds the invoice
in the year's ".eks" file. Every process it starts is ended; the whole run is bounded.

Usage: atspi_e2e.py PATH_TO_PROGRAM
"""
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time

DEADLINE = 120  # seconds for the whole run


def fail(message):
    print("FAIL: " + message, flush=True)
    sys.exit(1)


def wait_for_display(display, seconds=20):
    """Xvfb names its display before every listener is up: wait until its socket answers."""
    path = "/tmp/.X11-unix/X" + display
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        probe = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        try:
            probe.connect(path)
            return
        except OSError:
            time.sleep(0.1)
        finally:
            probe.close()
    fail("Xvfb's display :" + display + " does not answer")


def outer(program):
    """Starts Xvfb and a private session bus, runs the inner part under them."""
    read_fd, write_fd = os.pipe()
    # -noreset: the accessibility bus launcher reads its address from the X server and hangs up;
    # without it the server would reset then and refuse the program's connection.
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24",
                             "-nolisten", "tcp", "-noreset"], pass_fds=[write_fd],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_fd)
    try:
        display = os.read(read_fd, 64).decode().strip()
        if not display:
            fail("Xvfb did not start")
        wait_for_display(display)
        env = dict(os.environ, DISPLAY=":" + display, MIRTAL_E2E_INNER="1")
        env.pop("QT_QPA_PLATFORM", None)
        inner_run = subprocess.Popen(["dbus-run-session", "--", sys.executable,
                                      os.path.abspath(__file__), program], env=env,
                                     start_new_session=True)
        try:
            return inner_run.wait(timeout=DEADLINE)
        except subprocess.TimeoutExpired:
            os.killpg(inner_run.pid, signal.SIGKILL)
            inner_run.wait()
            fail("timed out")
    finally:
        xvfb.terminate()
        try:
            xvfb.wait(timeout=10)
        except subprocess.TimeoutExpired:
            xvfb.kill()


def wait_for(what, probe, seconds=20):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        found = probe()
        if found:
            return found
        time.sleep(0.1)
    fail("not found: " + what)


def inner(program):
    started = []
    workdir = None
    try:
        started.append(subprocess.Popen(["/usr/libexec/at-spi-bus-launcher",
                                         "--launch-immediately"]))
        import pyatspi  # only after the accessibility bus is there

        workdir = tempfile.mkdtemp(prefix="mirtal-e2e-")
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                   QT_QPA_PLATFORM="xcb")
        started.append(subprocess.Popen([program], cwd=workdir, env=env))
        run(pyatspi, workdir)
        print("PASS", flush=True)
    finally:
        for process in reversed(started):
            process.terminate()
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        if workdir:
            shutil.rmtree(workdir, ignore_errors=True)


def find(root, role, name=None):
    """The first node below root with the role (and the name, when given), depth first."""
    def match(node):
        try:
            return node.getRoleName() == role and (name is None or node.name == name)
        except Exception:
            return False
    try:
        return pyatspi_module.findDescendant(root, match)
    except Exception:
        return None


def do_action(node, wanted):
    actions = node.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i) in wanted:
            actions.doAction(i)
            return
    fail("no action %s on %s" % (wanted, node.name))


def any_focused(node):
    try:
        return pyatspi_module.findDescendant(
            node, lambda n: n.getState().contains(pyatspi_module.STATE_FOCUSED)) is not None
    except Exception:
        return False


def frames(app):
    return [app.getChildAtIndex(i) for i in range(app.childCount)]


def frame_with(app, role, name):
    for frame in frames(app):
        if frame is not None and find(frame, role, name) is not None:
            try:
                if frame.getState().contains(pyatspi_module.STATE_SHOWING):
                    return frame
            except Exception:
                pass
    return None


def run(pyatspi, workdir):
    global pyatspi_module
    pyatspi_module = pyatspi
    desktop = pyatspi.Registry.getDesktop(0)

    def the_app():
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name.lower() == "mirtal":
                return app
        return None
    app = wait_for("the program on the accessibility bus", the_app, 30)

    # The main window opens on the client register; Enter opens the selected client.
    clients = wait_for("Lista podmiotów",
                       lambda: find(app, "list", "Lista podmiotów"), 30)
    wait_for("the register filled", lambda: clients.childCount >= 500)
    # Without a window manager nothing activates the window: a click on it does, as a window
    # manager would. The rest is the keyboard.
    extents = clients.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(extents.x + extents.width // 2,
                                        extents.y + extents.height // 2, "b1c")
    clients.queryComponent().grabFocus()
    wait_for("the list focused", lambda: clients.getState().contains(pyatspi.STATE_FOCUSED))
    pyatspi.Registry.generateKeyboardEvent(0xFF50, None, pyatspi.KEY_SYM)  # Home
    pyatspi.Registry.generateKeyboardEvent(0xFF0D, None, pyatspi.KEY_SYM)  # Return

    settlement = wait_for("the settlement window",
                          lambda: frame_with(app, "push button", "Przebieg"), 20)
    for field, text in (("Nazwa", "Jan Kowalski"), ("Nazwa, drugi wiersz", "ul. Żytnia 5"),
                        ("Nazwa, trzeci wiersz", "00-001 Warszawa"),
                        ("Nr rejestracyjny", "WA 12345"), ("Marka pojazdu", "Fiat")):
        edit = wait_for(field, lambda: find(settlement, "text", field))
        edit.queryEditableText().setTextContents(text)
    przebieg = find(settlement, "push button", "Przebieg")
    wait_for("Przebieg enabled",
             lambda: przebieg.getState().contains(pyatspi.STATE_ENABLED))
    do_action(przebieg, ("Press", "press", "Naciśnij"))

    mileage = wait_for("the mileage window",
                       lambda: frame_with(app, "table", "Przebieg pojazdu"), 20)
    tak = find(mileage, "radio button", "Tak")
    do_action(tak, ("Toggle", "toggle", "Przełącz"))
    wait_for("Tak checked", lambda: tak.getState().contains(pyatspi.STATE_CHECKED))

    # The window opens on January's kilometres: typed, Tab to the rate, typed, Enter.
    table = find(mileage, "table", "Przebieg pojazdu")
    wait_for("the grid focused", lambda: table.getState().contains(pyatspi.STATE_FOCUSED)
             or any_focused(table))
    keys = pyatspi.Registry.generateKeyboardEvent
    keys(0, "400", pyatspi.KEY_STRING)
    keys(0xFF09, None, pyatspi.KEY_SYM)  # Tab
    keys(0, "0.5", pyatspi.KEY_STRING)
    keys(0xFF0D, None, pyatspi.KEY_SYM)  # Return
    grid = table.queryTable()

    def cell_text(row, column):
        cell = grid.getAccessibleAt(row, column)
        text = cell.name
        if not text.strip():
            try:
                text = cell.queryText().getText(0, -1)
            except NotImplementedError:
                pass
        return text.strip()
    wait_for("the kilometres", lambda: cell_text(0, 0) == "400", 10)
    wait_for("the amount 200.00", lambda: cell_text(0, 2) == "200.00", 10)

    def sum_label():
        for node in pyatspi.findAllDescendants(mileage, lambda n: n.getRoleName() == "label"):
            if node.description == "Suma kwot":
                return node
        return None
    total = wait_for("Suma kwot", sum_label)
    wait_for("the sum read as 200.00", lambda: total.name.strip() == "200.00", 10)

    do_action(find(mileage, "push button", "Powrót"), ("Press", "press", "Naciśnij"))
    stored = None

    def saved():
        nonlocal stored
        for root, _, files in os.walk(os.path.join(workdir, "DANE")):
            for name in files:
                if name.endswith(".prz"):
                    with open(os.path.join(root, name), "rb") as f:
                        data = f.read()
                    if len(data) == 413 and data[412] == 1:
                        stored = data
                        return True
        return False
    wait_for("the .prz file with Automat on", saved, 10)
    expected_km = bytes([9]) + b"   400.00"
    if stored[0:10] != expected_km:
        fail("kilometres stored as %r" % stored[0:10])
    amount_cell = stored[264:274]
    if amount_cell != bytes([9]) + b"   200.00":
        fail("amount stored as %r" % amount_cell)

    # The operating costs: a click on "Data" fills the date and leaves the keyboard on the grid,
    # so that Tab and the kind typed next fill the row; Escape leaves the window as "Powrót"
    # does, saving the month.
    do_action(find(settlement, "push button", "Eksploatacja"), ("Press", "press", "Naciśnij"))
    costs = wait_for("the operating-cost window",
                     lambda: frame_with(app, "table", "Eksploatacja pojazdu"), 20)
    cost_table = find(costs, "table", "Eksploatacja pojazdu")
    wait_for("the cost grid focused",
             lambda: cost_table.getState().contains(pyatspi.STATE_FOCUSED)
             or any_focused(cost_table))
    cost_grid = cost_table.queryTable()

    def cost_text(row, column):
        cell = cost_grid.getAccessibleAt(row, column)
        return cell.name.strip() if cell is not None else ""
    date_button = find(costs, "push button", "Data")
    extents = date_button.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(extents.x + extents.width // 2,
                                        extents.y + extents.height // 2, "b1c")
    wait_for("the date filled by Data", lambda: cost_text(0, 0) != "", 10)
    keys(0xFF09, None, pyatspi.KEY_SYM)  # Tab
    keys(0, "Paliwo", pyatspi.KEY_STRING)
    keys(0xFF0D, None, pyatspi.KEY_SYM)  # Return
    wait_for("the kind typed after Data", lambda: cost_text(0, 1) == "Paliwo", 10)
    keys(0xFF1B, None, pyatspi.KEY_SYM)  # Escape

    def costs_left():
        try:
            return not costs.getState().contains(pyatspi.STATE_SHOWING)
        except Exception:
            return True
    wait_for("the cost window left with Escape", costs_left, 10)

    def costs_saved():
        for root, _, files in os.walk(os.path.join(workdir, "DANE")):
            for name in files:
                if name.endswith(".eks"):
                    with open(os.path.join(root, name), "rb") as f:
                        if b"Paliwo" in f.read():
                            return True
        return False
    wait_for("the .eks file with the invoice", costs_saved, 10)


pyatspi_module = None

if __name__ == "__main__":
    if len(sys.argv) != 2:
        print(__doc__)
        sys.exit(2)
    if os.environ.get("MIRTAL_E2E_INNER"):
        inner(os.path.abspath(sys.argv[1]))
    else:
        sys.exit(outer(os.path.abspath(sys.argv[1])))
